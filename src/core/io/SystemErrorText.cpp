#include "core/io/SystemErrorText.h"

#include <cerrno>

namespace vorla {
namespace {

struct Wording {
  int errorNumber;
  const char* text;
};

// The failures that opening, writing and renaming a file can meet.
constexpr Wording kWordings[] = {
    {ENOENT, "no existe el archivo o la carpeta"},
    {EACCES, "permiso denegado"},
    {EPERM, "operaci\xF3n no permitida"},
    {ENOSPC, "no queda espacio en el disco"},
    {EDQUOT, "se ha superado la cuota de disco"},
    {EISDIR, "es una carpeta"},
    {ENOTDIR, "una parte de la ruta no es una carpeta"},
    {EROFS, "el disco es de solo lectura"},
    {ENAMETOOLONG, "el nombre es demasiado largo"},
    {EFBIG, "el archivo es demasiado grande"},
    {EEXIST, "el archivo ya existe"},
    {EIO, "error de entrada/salida del disco"},
    {ELOOP, "demasiados enlaces simb\xF3licos"},
    {EMFILE, "demasiados archivos abiertos"},
    {ENFILE, "demasiados archivos abiertos en el sistema"},
    {ENOMEM, "memoria insuficiente"},
    {EBUSY, "el recurso est\xE1 ocupado"},
    {ETXTBSY, "el archivo est\xE1 en uso"},
    {EINVAL, "nombre o argumento no v\xE1lido"},
    {EXDEV, "no se puede mover entre discos distintos"},
};

}  // namespace

std::string SystemErrorText(int errorNumber) {
  for (const Wording& wording : kWordings)
    if (wording.errorNumber == errorNumber) return wording.text;
  return "error del sistema (c\xF3" "digo " + std::to_string(errorNumber) + ")";
}

}  // namespace vorla
