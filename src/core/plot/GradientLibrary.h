#pragma once
// The library of named gradients shared by all documents: "vorla.gra" in the
// settings folder, section "Gradientes", one key per name whose value is the
// gradient's palette string. The file is read for each operation and
// replaced crash-safely on each change; nothing is cached. A file is born
// holding the scientific gradients (ScientificGradients); after that only
// the user changes it.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/io/IniFile.h"

namespace vorla {

inline constexpr std::string_view kGradientSection = "Gradientes";

// A name the library file cannot hold as a key; what() says why, in Spanish.
class GradientNameError : public IniFileError {
 public:
  explicit GradientNameError(const std::string& name);
};

class GradientLibrary {
 public:
  explicit GradientLibrary(std::filesystem::path path) : path_(std::move(path)) {}

  const std::filesystem::path& Path() const { return path_; }

  // Names as stored, in file order; a missing file has none.
  std::vector<std::string> Names() const;
  // The palette string stored under the name (letter case ignored), or empty.
  std::string Read(std::string_view name) const;
  bool Contains(std::string_view name) const;
  // Creates the file with the scientific gradients unless it exists; true
  // when it did. Raises IniFileError when it cannot be written.
  bool CreateSeeded() const;
  // Adds or redefines, in a file created seeded when missing. Raises GradientNameError for an empty name, one
  // with "=", one starting with "[" or ";", or with blanks at either end,
  // and IniFileError when the file cannot be written.
  void Write(std::string_view name, std::string_view palString) const;
  // False when the name was not there (the file is then left untouched).
  bool Remove(std::string_view name) const;

 private:
  // The file as it is, or as it is born when there is none.
  IniFile ReadOrSeed() const;

  std::filesystem::path path_;
};

}  // namespace vorla
