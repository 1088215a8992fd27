#include "core/io/SafeFileOutput.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <utility>

#include "core/io/TextEncoding.h"

namespace vorla {
namespace {

std::string SystemReason(int error) { return Utf8ToCp1252(std::strerror(error)); }

// mkstemp makes the file private; a picture gets the mode an ordinary new
// file would get, or keeps the mode of the file it replaces.
mode_t TargetMode(const std::filesystem::path& target) {
  struct stat info {};
  if (::stat(target.c_str(), &info) == 0) return info.st_mode & 07777;
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

}  // namespace

SafeFileOutput::SafeFileOutput(std::filesystem::path target, WriteFailure failure, bool durable)
    : target_(std::move(target)), failure_(failure), durable_(durable) {
  const std::filesystem::path folder = target_.has_parent_path() ? target_.parent_path() : ".";
  std::string name = ".";
  name += target_.filename().string();
  name += ".XXXXXX";
  std::string pattern = (folder / name).string();
  const int fd = ::mkstemp(pattern.data());
  if (fd < 0) Fail(SystemReason(errno));
  temp_ = pattern;
  ::fchmod(fd, TargetMode(target_));
  file_ = ::fdopen(fd, "wb");
  if (!file_) {
    const int error = errno;
    ::close(fd);
    Discard();
    Fail(SystemReason(error));
  }
}

SafeFileOutput::~SafeFileOutput() { Discard(); }

void SafeFileOutput::Commit() {
  const bool written = std::fflush(file_) == 0 && !std::ferror(file_) &&
                       (!durable_ || ::fsync(::fileno(file_)) == 0);
  int error = errno;
  const bool closed = std::fclose(file_) == 0;
  if (written && !closed) error = errno;
  file_ = nullptr;
  if (!written || !closed) Fail(SystemReason(error));
  if (::rename(temp_.c_str(), target_.c_str()) != 0) Fail(SystemReason(errno));
  temp_.clear();
}

void SafeFileOutput::Fail(const std::string& reason) {
  Discard();
  std::rethrow_exception(failure_(target_, reason));
}

void SafeFileOutput::Discard() {
  if (file_) {
    std::fclose(file_);
    file_ = nullptr;
  }
  if (!temp_.empty()) {
    std::error_code ignored;
    std::filesystem::remove(temp_, ignored);
    temp_.clear();
  }
}

}  // namespace vorla
