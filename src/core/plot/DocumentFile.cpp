#include "core/plot/DocumentFile.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>

#include "core/io/NumberText.h"
#include "core/io/PictureText.h"
#include "core/io/TextEncoding.h"

namespace vorla {
namespace {

class KeyReader {
 public:
  KeyReader(const IniFile& file, std::string_view section) : file_(file), section_(section) {}

  void Text(std::string_view key, std::string& value) const {
    if (auto text = file_.ReadString(section_, key)) value = std::move(*text);
  }
  void Integer(std::string_view key, int& value) const {
    if (auto number = Parsed(key, ParseInteger)) value = *number;
  }
  // Colours above 0x7FFFFFFF (system colours) are stored as negative numbers.
  void Color(std::string_view key, TColor& value) const {
    if (auto number = Parsed(key, ParseInteger)) value = static_cast<TColor>(*number);
  }
  void Boolean(std::string_view key, bool& value) const {
    if (auto number = Parsed(key, ParseInteger)) value = *number != 0;
  }
  // A number beyond the float range cannot be held: it takes the default.
  void Float(std::string_view key, float& value) const {
    if (auto number = Parsed(key, ParseDouble))
      if (const float single = static_cast<float>(*number); std::isfinite(single)) value = single;
  }

 private:
  template <typename Parse>
  auto Parsed(std::string_view key, Parse parse) const -> decltype(parse(std::string_view{})) {
    const auto text = file_.ReadString(section_, key);
    if (!text) return std::nullopt;
    return parse(*text);
  }

  const IniFile& file_;
  std::string_view section_;
};

std::string ExpressionValue(std::string_view text) {
  std::string value(text);
  for (char& c : value)
    if (static_cast<unsigned char>(c) < 32) c = ' ';
  return value;
}

std::string_view SectionOrMain(std::string_view section) {
  return section.empty() ? kDocumentSection : section;
}

}  // namespace

DocumentMissingError::DocumentMissingError(const std::filesystem::path& path)
    : DocumentError(path, "No se encuentra ", "") {}

NotADocumentError::NotADocumentError(const std::filesystem::path& path)
    : DocumentError(path, "", "\nno es un documento de Vorlascope") {}

NoDocumentInPictureError::NoDocumentInPictureError(const std::filesystem::path& path)
    : DocumentError(path, "La imagen ", "\nno lleva ning\xFAn documento de Vorlascope: s\xF3lo lo llevan las "
                                       "im\xE1genes PNG y JPEG que guarda Vorlascope") {}

namespace {

LoadedDocument ReadKeys(const IniFile& file, std::string_view section) {
  const KeyReader read(file, section);
  LoadedDocument loaded{PlotDocument::FileDefaults(), 1.0f};
  PlotDocument& d = loaded.document;
  read.Text("Func", d.Func);
  read.Boolean("Ani", d.Ani);
  read.Integer("Vel", d.Vel);
  d.Vel = std::clamp(d.Vel, kMinSpeed, kMaxSpeed);
  read.Boolean("Gra", d.Gra);
  read.Color("ColFun", d.ColFun);
  read.Color("ColMin", d.ColMin);
  read.Color("ColMax", d.ColMax);
  read.Color("ColFon", d.ColFon);
  read.Boolean("BucMin", d.BucMin);
  read.Text("Zmin", d.Zmin);
  read.Text("ColGra", d.ColGra);
  read.Text("Xmin", d.Xmin);
  read.Text("Ymin", d.Ymin);
  read.Text("Xmax", d.Xmax);
  read.Text("Ymax", d.Ymax);
  read.Boolean("BucMax", d.BucMax);
  read.Text("Zmax", d.Zmax);
  read.Float("FilMax", d.FilMax);
  read.Float("FilMin", d.FilMin);
  read.Float("Aspecto", loaded.aspect);
  read.Boolean("UsaFilMax", d.UsaFilMax);
  read.Boolean("UsaFilMin", d.UsaFilMin);
  return loaded;
}

}  // namespace

LoadedDocument ReadDocument(const IniFile& file, std::string_view section,
                            const std::filesystem::path& path) {
  LoadedDocument loaded = ReadKeys(file, section);
  if (loaded.document.Func.empty()) throw NotADocumentError(path);
  return loaded;
}

void WriteDocument(IniFile& file, std::string_view section, const PlotDocument& d,
                   float aspect) {
  const auto flag = [](bool value) { return value ? "1" : "0"; };
  const auto color = [](TColor value) { return std::to_string(static_cast<std::int32_t>(value)); };
  file.WriteString(section, "Func", ExpressionValue(d.Func));
  file.WriteString(section, "Ani", flag(d.Ani));
  file.WriteString(section, "Vel", std::to_string(d.Vel));
  file.WriteString(section, "Gra", flag(d.Gra));
  file.WriteString(section, "ColFun", color(d.ColFun));
  file.WriteString(section, "ColMin", color(d.ColMin));
  file.WriteString(section, "ColFon", color(d.ColFon));
  file.WriteString(section, "BucMin", flag(d.BucMin));
  file.WriteString(section, "Zmin", ExpressionValue(d.Zmin));
  file.WriteString(section, "ColGra", ExpressionValue(d.ColGra));
  file.WriteString(section, "Xmin", ExpressionValue(d.Xmin));
  file.WriteString(section, "Ymin", ExpressionValue(d.Ymin));
  file.WriteString(section, "Xmax", ExpressionValue(d.Xmax));
  file.WriteString(section, "Ymax", ExpressionValue(d.Ymax));
  file.WriteString(section, "ColMax", color(d.ColMax));
  file.WriteString(section, "BucMax", flag(d.BucMax));
  file.WriteString(section, "Zmax", ExpressionValue(d.Zmax));
  file.WriteString(section, "FilMax", FormatG(d.FilMax));
  file.WriteString(section, "FilMin", FormatG(d.FilMin));
  file.WriteString(section, "UsaFilMax", flag(d.UsaFilMax));
  file.WriteString(section, "UsaFilMin", flag(d.UsaFilMin));
  file.WriteString(section, "Aspecto", FormatG(aspect));
}

std::string DocumentText(const PlotDocument& document, float aspect) {
  IniFile file;
  WriteDocument(file, kDocumentSection, document, aspect);
  return Cp1252ToUtf8(file.Text());
}

LoadedDocument LoadDocument(const std::filesystem::path& path, std::string_view section) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec)) throw DocumentMissingError(path);
  if (PictureKindOf(path)) {
    const std::optional<std::string> text = ReadPictureText(path).text;
    if (!text) throw NoDocumentInPictureError(path);
    return ReadDocument(IniFile::FromText(DecodeFileText(*text)), kDocumentSection, path);
  }
  return ReadDocument(IniFile::Read(path), SectionOrMain(section), path);
}

void SaveDocument(const std::filesystem::path& path, std::string_view section,
                  const PlotDocument& document, float aspect) {
  IniFile file = IniFile::Read(path);
  WriteDocument(file, SectionOrMain(section), document, aspect);
  file.Write(path);
}

bool CorrectAspect(PlotDocument& document, float savedAspect, float currentAspect, float xmin,
                   float xmax) {
  if (savedAspect == currentAspect || currentAspect == 0) return false;
  const long double width = static_cast<long double>(xmax) - xmin;
  const long double half = (width * savedAspect / currentAspect - width) / 2;
  document.Xmin = FormatG(static_cast<double>(xmin - half));
  document.Xmax = FormatG(static_cast<double>(xmax + half));
  return true;
}

}  // namespace vorla
