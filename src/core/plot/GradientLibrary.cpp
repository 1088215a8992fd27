#include "core/plot/GradientLibrary.h"

#include "core/gradient/ScientificGradients.h"

namespace vorla {

GradientNameError::GradientNameError(const std::string& name)
    : IniFileError(name.empty()
                       ? std::string("Necesita un nombre para guardar el gradiente")
                       : std::string("El nombre \"")
                             .append(name)
                             .append("\" no sirve para un gradiente: no puede contener \"=\" ni "
                                     "saltos de l\xEDnea, empezar con \"[\" o \";\", ni tener "
                                     "blancos al principio o al final")) {}

std::vector<std::string> GradientLibrary::Names() const {
  return IniFile::Read(path_).Keys(kGradientSection);
}

std::string GradientLibrary::Read(std::string_view name) const {
  return IniFile::Read(path_).ReadString(kGradientSection, name, "");
}

bool GradientLibrary::Contains(std::string_view name) const {
  return IniFile::Read(path_).ReadString(kGradientSection, name).has_value();
}

IniFile GradientLibrary::ReadOrSeed() const {
  std::error_code ec;
  if (std::filesystem::exists(path_, ec) || ec) return IniFile::Read(path_);
  IniFile file;
  for (const NamedGradient& gradient : ScientificGradients())
    file.WriteString(kGradientSection, gradient.name, gradient.palString);
  return file;
}

bool GradientLibrary::CreateSeeded() const {
  std::error_code ec;
  if (std::filesystem::exists(path_, ec) || ec) return false;
  ReadOrSeed().Write(path_);
  return true;
}

void GradientLibrary::Write(std::string_view name, std::string_view palString) const {
  if (!IniFile::IsValidKey(name)) throw GradientNameError(std::string(name));
  IniFile file = ReadOrSeed();
  file.WriteString(kGradientSection, name, palString);
  file.Write(path_);
}

bool GradientLibrary::Remove(std::string_view name) const {
  IniFile file = IniFile::Read(path_);
  if (!file.DeleteKey(kGradientSection, name)) return false;
  file.Write(path_);
  return true;
}

}  // namespace vorla
