#pragma once
// Plot documents as INI files: the ".vlx" document (section "Vorlascope") and
// the numbered sections of the undo file hold the same 22 keys.

#include <filesystem>
#include <string>
#include <string_view>

#include "core/io/IniFile.h"
#include "core/plot/PlotDocument.h"

namespace vorla {

inline constexpr std::string_view kDocumentSection = "Vorlascope";

// A document that cannot be loaded; the message is Spanish.
class DocumentError : public FileError {
 public:
  using FileError::FileError;
};

// "No se encuentra " + the file name.
class DocumentMissingError : public DocumentError {
 public:
  explicit DocumentMissingError(const std::filesystem::path& path);
};

// The file has no Func: it is not a plot document. The window still takes
// the file name as its document's name.
class NotADocumentError : public DocumentError {
 public:
  explicit NotADocumentError(const std::filesystem::path& path);
};

// A PNG or JPEG that carries no document.
class NoDocumentInPictureError : public DocumentError {
 public:
  explicit NoDocumentInPictureError(const std::filesystem::path& path);
};

struct LoadedDocument {
  PlotDocument document;
  float aspect = 1.0f;  // "Aspecto": picture height / width when it was saved
};

// Missing keys, and numbers that do not convert, take the file defaults.
// Raises NotADocumentError (naming `path`) when Func is missing or empty.
LoadedDocument ReadDocument(const IniFile& file, std::string_view section,
                            const std::filesystem::path& path);
// Writes the 22 keys in their fixed order. Every control character of an
// expression text is written as a blank, so a text typed over several lines
// stays one key on one line (compiling ignores them anyway).
void WriteDocument(IniFile& file, std::string_view section, const PlotDocument& document,
                   float aspect);

// The document as the whole text of a ".vlx" file, UTF-8: what pictures carry.
std::string DocumentText(const PlotDocument& document, float aspect);

// The file as a whole; an empty section means kDocumentSection. A PNG or
// JPEG (known by its content) gives the document it carries, the section
// aside. Loading raises DocumentMissingError, NotADocumentError,
// NoDocumentInPictureError, PictureReadError or IniFileError; saving
// raises IniFileError and leaves any old file intact.
LoadedDocument LoadDocument(const std::filesystem::path& path, std::string_view section = {});
void SaveDocument(const std::filesystem::path& path, std::string_view section,
                  const PlotDocument& document, float aspect);

// A document saved from a picture area of height/width `savedAspect` shown
// in one of `currentAspect`: the x range (evaluated as xmin, xmax) widens or
// narrows around its centre so that the y range shows as it did; the Xmin
// and Xmax texts become the new bounds printed with up to 15 digits. Returns
// whether the texts changed (the aspects differ).
bool CorrectAspect(PlotDocument& document, float savedAspect, float currentAspect, float xmin,
                   float xmax);

}  // namespace vorla
