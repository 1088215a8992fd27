#pragma once
// INI-format text files read and written key by key, as documents, the undo
// file, the gradient library and the settings are: sections and keys are found
// without regard to letter case, a key is rewritten in place, a new key goes
// to the end of its section, a missing section is added at the end, and every
// other line (unknown sections and keys, comments, blank lines) is kept.
// Files are read as people write them by hand: CR, LF or any mix of them
// ends a line, blanks around keys and values do not count, and one pair of
// matching quotes around a value is taken off. Text is core text
// (Windows-1252); files are read as UTF-8 when valid, else as Windows-1252,
// a UTF-8 byte-order mark skipped either way, and written UTF-8 with LF.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/io/FileError.h"

namespace vorla {

// A file that could not be read or written, or a key or value the format
// cannot hold. The message is Spanish.
class IniFileError : public FileError {
 public:
  using FileError::FileError;
};

class IniFile {
 public:
  IniFile() = default;

  // A missing file reads as an empty one; an unreadable one raises IniFileError.
  static IniFile Read(const std::filesystem::path& path);
  static IniFile FromText(std::string_view text);

  // Writes a temporary file in the same folder and renames it over the old
  // one, so a failure leaves the old file intact. Raises IniFileError.
  // Durable writes also reach the disk before the rename, so a power cut
  // cannot leave an empty file; scratch files such as the undo file skip it.
  void Write(const std::filesystem::path& path, bool durable = true) const;
  std::string Text() const;

  std::optional<std::string> ReadString(std::string_view section, std::string_view key) const;
  std::string ReadString(std::string_view section, std::string_view key,
                         std::string_view fallback) const;
  // Raises IniFileError for a key that IsValidKey refuses or a value holding
  // a line break: either would read back as something else. A value with a
  // blank at either end, or inside matching quotes, is written quoted so
  // that it reads back as given; any other is written as it stands.
  void WriteString(std::string_view section, std::string_view key, std::string_view value);
  bool DeleteKey(std::string_view section, std::string_view key);
  bool DeleteSection(std::string_view section);

  bool HasSection(std::string_view section) const;
  std::vector<std::string> Sections() const;
  // Key names of a section in file order, as spelt in the file.
  std::vector<std::string> Keys(std::string_view section) const;

  // A key the format holds: not empty, no "=", no line break or other control
  // character, no blank at either end, not starting with "[" or ";".
  static bool IsValidKey(std::string_view key);

  // Letter case folded over Windows-1252, as section and key lookups compare.
  static bool SameName(std::string_view a, std::string_view b);

 private:
  struct Section {
    std::string name;
    std::optional<std::string> header;  // none for the lines before the first header
    std::vector<std::string> lines;
  };
  Section* FindSection(std::string_view name);
  const Section* FindSection(std::string_view name) const;

  std::vector<Section> sections_;
};

}  // namespace vorla
