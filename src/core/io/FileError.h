#pragma once
// Failures that name a file. The name stays apart from the message's core
// text: it is the system's own bytes, most scripts do not fit Windows-1252,
// so it joins the message only when the whole is put in UTF-8.

#include <exception>
#include <filesystem>
#include <stdexcept>
#include <string>

namespace vorla {

class FileError : public std::runtime_error {
 public:
  // The message reads before + the file name + after (both core text).
  FileError(std::filesystem::path path, std::string before, std::string after);
  // A message that names no file (core text).
  explicit FileError(const std::string& message);

  const std::filesystem::path& Path() const { return path_; }
  // The message with the file name whole, in UTF-8. what() holds the same
  // message as core text, where a name in another script is cut to '?'.
  std::string Utf8Message() const;

 private:
  std::filesystem::path path_;
  std::string before_;
  std::string after_;
};

// A file name as UTF-8: the name itself when it is valid UTF-8, else its
// bytes read as Windows-1252, so that something readable is always shown.
std::string FileNameUtf8(const std::filesystem::path& path);

// The message of any failure for the user, in UTF-8: a FileError's with its
// file name whole, any other's what() read as core text.
std::string Utf8Message(const std::exception& error);

}  // namespace vorla
