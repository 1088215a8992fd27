#include "core/io/FileError.h"

#include <utility>

#include "core/io/TextEncoding.h"

namespace vorla {

FileError::FileError(std::filesystem::path path, std::string before, std::string after)
    : std::runtime_error(before + Utf8ToCp1252(FileNameUtf8(path)) + after),
      path_(std::move(path)),
      before_(std::move(before)),
      after_(std::move(after)) {}

FileError::FileError(const std::string& message) : std::runtime_error(message), before_(message) {}

std::string FileError::Utf8Message() const {
  if (path_.empty()) return Cp1252ToUtf8(before_);
  return Cp1252ToUtf8(before_) + FileNameUtf8(path_) + Cp1252ToUtf8(after_);
}

std::string FileNameUtf8(const std::filesystem::path& path) {
  const std::string& name = path.native();
  return IsValidUtf8(name) ? name : Cp1252ToUtf8(name);
}

std::string Utf8Message(const std::exception& error) {
  if (const auto* fileError = dynamic_cast<const FileError*>(&error)) return fileError->Utf8Message();
  return Cp1252ToUtf8(error.what());
}

}  // namespace vorla
