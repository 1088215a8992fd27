#include "core/io/IniFile.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <initializer_list>
#include <memory>

#include "core/io/NumberText.h"
#include "core/io/SafeFileOutput.h"
#include "core/io/SystemErrorText.h"
#include "core/io/TextEncoding.h"

namespace vorla {
namespace {

unsigned char FoldCase(unsigned char c) {
  if (c >= 'A' && c <= 'Z') return c + 32;
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 32;
  switch (c) {
    case 0x8A: return 0x9A;  // S caron
    case 0x8C: return 0x9C;  // OE
    case 0x8E: return 0x9E;  // Z caron
    case 0x9F: return 0xFF;  // Y diaeresis
    default: return c;
  }
}

// "[name]" gives name; any other line gives nothing.
std::optional<std::string_view> HeaderName(std::string_view line) {
  line = TrimBlanks(line);
  if (line.size() < 2 || line.front() != '[') return std::nullopt;
  const std::size_t close = line.find(']');
  if (close == std::string_view::npos) return std::nullopt;
  return TrimBlanks(line.substr(1, close - 1));
}

// Splits off the first line of `text`. A line ends at LF, at CR, or at CRs
// followed by LF: "\r\n" is one end, and so is "\r\r\n", which some tools
// make of a CRLF file, while "\n\n" and "\r\r" keep the blank line between.
std::string_view NextLine(std::string_view& text) {
  const std::size_t end = text.find_first_of("\r\n");
  const std::string_view line = text.substr(0, end);
  if (end == std::string_view::npos) {
    text = {};
    return line;
  }
  std::size_t next = end + 1;
  if (text[end] == '\r') {
    const std::size_t afterCrs = text.find_first_not_of('\r', end);
    if (afterCrs != std::string_view::npos && text[afterCrs] == '\n') next = afterCrs + 1;
  }
  text.remove_prefix(next);
  return line;
}

bool IsQuote(char c) { return c == '"' || c == '\''; }

bool InMatchingQuotes(std::string_view text) {
  return text.size() >= 2 && IsQuote(text.front()) && text.back() == text.front();
}

// The value of a "key=value" line, read as the platform's profile-string
// functions read it: without the blanks around it and one pair of quotes.
std::string ValueOf(std::string_view line) {
  std::string_view value = TrimBlanks(line.substr(line.find('=') + 1));
  if (InMatchingQuotes(value)) value = value.substr(1, value.size() - 2);
  return std::string(value);
}

// The key of a "key=value" line; comments and lines without "=" have none.
std::optional<std::string_view> LineKey(std::string_view line) {
  const std::string_view trimmed = TrimBlanks(line);
  if (trimmed.empty() || trimmed.front() == ';') return std::nullopt;
  const std::size_t equals = line.find('=');
  if (equals == std::string_view::npos) return std::nullopt;
  return TrimBlanks(line.substr(0, equals));
}

// Concatenation without the temporaries of operator+, whose inlining GCC 12
// mistakes for overlapping copies.
std::string Join(std::initializer_list<std::string_view> parts) {
  std::string text;
  for (std::string_view part : parts) text += part;
  return text;
}

bool IsValidSectionName(std::string_view name) {
  return !name.empty() && TrimBlanks(name).size() == name.size() &&
         std::none_of(name.begin(), name.end(), [](char c) {
           return c == ']' || static_cast<unsigned char>(c) < 32 || c == 127;
         });
}

// The line of `lines` holding `key`, or lines.end().
template <class Lines>
auto FindKeyLine(Lines& lines, std::string_view key) {
  return std::find_if(lines.begin(), lines.end(), [key](const std::string& line) {
    const auto lineKey = LineKey(line);
    return lineKey && IniFile::SameName(*lineKey, key);
  });
}

IniFileError ReadFailure(const std::filesystem::path& path, int error) {
  return IniFileError(path, "No se puede leer ", ": " + SystemErrorText(error));
}

std::exception_ptr SaveFailure(const std::filesystem::path& path, const std::string& reason) {
  return std::make_exception_ptr(IniFileError(path, "No se puede guardar ", ": " + reason));
}

}  // namespace

bool IniFile::SameName(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return FoldCase(static_cast<unsigned char>(x)) == FoldCase(static_cast<unsigned char>(y));
  });
}

bool IniFile::IsValidKey(std::string_view key) {
  if (key.empty() || key.front() == '[' || key.front() == ';') return false;
  if (TrimBlanks(key).size() != key.size()) return false;
  return std::none_of(key.begin(), key.end(), [](char c) {
    return c == '=' || static_cast<unsigned char>(c) < 32 || c == 127;
  });
}

IniFile IniFile::FromText(std::string_view text) {
  IniFile file;
  file.sections_.push_back(Section{});
  while (!text.empty()) {
    const std::string_view line = NextLine(text);
    if (const auto name = HeaderName(line)) {
      file.sections_.push_back(Section{std::string(*name), std::string(line), {}});
    } else {
      file.sections_.back().lines.emplace_back(line);
    }
  }
  return file;
}

// Through stdio rather than a stream: a stream's buffer throws its own
// English exception when reading fails, a folder's for instance.
IniFile IniFile::Read(const std::filesystem::path& path) {
  const std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"), std::fclose);
  if (!file) {
    const int error = errno;
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) return IniFile{};
    throw ReadFailure(path, error);
  }
  std::string bytes;
  char chunk[8192];
  while (const std::size_t count = std::fread(chunk, 1, sizeof chunk, file.get())) bytes.append(chunk, count);
  if (std::ferror(file.get())) throw ReadFailure(path, errno);
  return FromText(DecodeFileText(bytes));
}

std::string IniFile::Text() const {
  std::string text;
  for (const Section& section : sections_) {
    if (section.header) text.append(*section.header).append(1, '\n');
    for (const std::string& line : section.lines) text.append(line).append(1, '\n');
  }
  return text;
}

void IniFile::Write(const std::filesystem::path& path, bool durable) const {
  const std::string bytes = Cp1252ToUtf8(Text());
  SafeFileOutput out(path, SaveFailure, durable);
  if (std::fwrite(bytes.data(), 1, bytes.size(), out.File()) != bytes.size())
    out.Fail(SystemErrorText(errno));
  out.Commit();
}

IniFile::Section* IniFile::FindSection(std::string_view name) {
  for (Section& section : sections_)
    if (section.header && SameName(section.name, name)) return &section;
  return nullptr;
}

const IniFile::Section* IniFile::FindSection(std::string_view name) const {
  return const_cast<IniFile*>(this)->FindSection(name);
}

std::optional<std::string> IniFile::ReadString(std::string_view section,
                                               std::string_view key) const {
  const Section* found = FindSection(section);
  if (!found) return std::nullopt;
  const auto line = FindKeyLine(found->lines, key);
  if (line == found->lines.end()) return std::nullopt;
  return ValueOf(*line);
}

std::string IniFile::ReadString(std::string_view section, std::string_view key,
                                std::string_view fallback) const {
  return ReadString(section, key).value_or(std::string(fallback));
}

void IniFile::WriteString(std::string_view section, std::string_view key,
                          std::string_view value) {
  if (!IsValidKey(key))
    throw IniFileError(Join({"El nombre \"", key, "\" no puede guardarse como clave"}));
  if (!IsValidSectionName(section))
    throw IniFileError(Join({"La secci\xF3n \"", section, "\" no puede guardarse"}));
  if (value.find_first_of("\r\n") != std::string_view::npos)
    throw IniFileError(Join({"El valor de \"", key, "\" contiene saltos de l\xEDnea"}));
  const bool quoted = InMatchingQuotes(value) || TrimBlanks(value).size() != value.size();
  std::string line = quoted ? Join({key, "=\"", value, "\""}) : Join({key, "=", value});
  Section* found = FindSection(section);
  if (!found) {
    sections_.push_back(Section{std::string(section), Join({"[", section, "]"}), {}});
    sections_.back().lines.push_back(std::move(line));
    return;
  }
  if (const auto existing = FindKeyLine(found->lines, key); existing != found->lines.end()) {
    *existing = std::move(line);
    return;
  }
  // After the section's last non-blank line, so a blank line before the
  // next header stays where it is.
  auto last = found->lines.end();
  while (last != found->lines.begin() && TrimBlanks(*(last - 1)).empty()) --last;
  found->lines.insert(last, std::move(line));
}

bool IniFile::DeleteKey(std::string_view section, std::string_view key) {
  Section* found = FindSection(section);
  if (!found) return false;
  const auto line = FindKeyLine(found->lines, key);
  if (line == found->lines.end()) return false;
  found->lines.erase(line);
  return true;
}

bool IniFile::DeleteSection(std::string_view section) {
  const auto it = std::find_if(sections_.begin(), sections_.end(), [&](const Section& s) {
    return s.header && SameName(s.name, section);
  });
  if (it == sections_.end()) return false;
  sections_.erase(it);
  return true;
}

bool IniFile::HasSection(std::string_view section) const { return FindSection(section) != nullptr; }

std::vector<std::string> IniFile::Sections() const {
  std::vector<std::string> names;
  for (const Section& section : sections_)
    if (section.header) names.push_back(section.name);
  return names;
}

std::vector<std::string> IniFile::Keys(std::string_view section) const {
  std::vector<std::string> keys;
  if (const Section* found = FindSection(section))
    for (const std::string& line : found->lines)
      if (const auto key = LineKey(line)) keys.emplace_back(*key);
  return keys;
}

}  // namespace vorla
