#pragma once
// A file written under a temporary name in the target's folder and renamed
// over the target by Commit; destroyed uncommitted, it removes the temporary
// file and leaves any old target untouched. A target that is a symbolic link
// stays one: the file it names is the one replaced, its temporary beside it.

#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>

namespace vorla {

// The error a writer raises for its target and a reason (core text).
using WriteFailure = std::exception_ptr (*)(const std::filesystem::path& target,
                                             const std::string& reason);

class SafeFileOutput {
 public:
  // Raises the writer's error when the temporary file cannot be created.
  // Durable output reaches the disk before the rename, so a power cut cannot
  // leave an empty file; scratch files such as the undo file skip the wait.
  SafeFileOutput(std::filesystem::path target, WriteFailure failure, bool durable = true);
  ~SafeFileOutput();
  SafeFileOutput(const SafeFileOutput&) = delete;
  SafeFileOutput& operator=(const SafeFileOutput&) = delete;

  std::FILE* File() const { return file_; }
  // Flushes, closes and renames; raises the writer's error on any failure.
  void Commit();
  // Raises the writer's error for the target, with `reason` (core text),
  // a Spanish wording of the system's error (SystemErrorText) or the library's.
  [[noreturn]] void Fail(const std::string& reason);

 private:
  void Discard();

  std::filesystem::path target_;       // as given: errors name it
  std::filesystem::path destination_;  // the target with its links followed
  WriteFailure failure_;
  bool durable_;
  std::filesystem::path temp_;
  std::FILE* file_ = nullptr;
};

}  // namespace vorla
