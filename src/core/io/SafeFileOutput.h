#pragma once
// A file written under a temporary name in the target's folder and renamed
// over the target by Commit; destroyed uncommitted, it removes the temporary
// file and leaves any old target untouched.

#include <cstdio>
#include <filesystem>
#include <string>

namespace vorla {

class SafeFileOutput {
 public:
  // Raises ImageWriteError when the temporary file cannot be created.
  explicit SafeFileOutput(std::filesystem::path target);
  ~SafeFileOutput();
  SafeFileOutput(const SafeFileOutput&) = delete;
  SafeFileOutput& operator=(const SafeFileOutput&) = delete;

  std::FILE* File() const { return file_; }
  // Flushes, closes and renames; raises ImageWriteError on any failure.
  void Commit();
  // Raises ImageWriteError naming the target, with `reason` (core text).
  [[noreturn]] void Fail(const std::string& reason);

 private:
  void Discard();

  std::filesystem::path target_;
  std::filesystem::path temp_;
  std::FILE* file_ = nullptr;
};

}  // namespace vorla
