#include "core/io/SafeFileOutput.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <optional>
#include <string_view>
#include <utility>

#include "core/io/SystemErrorText.h"

namespace vorla {
namespace {

// As many links as the system itself follows before it gives up with ELOOP.
constexpr int kMaxLinkHops = 40;
constexpr std::string_view kTempSuffix = ".XXXXXX";

// mkstemp makes the file private; a picture gets the mode an ordinary new
// file would get, or keeps the mode of the file it replaces.
mode_t TargetMode(const std::filesystem::path& target) {
  struct stat info {};
  if (::stat(target.c_str(), &info) == 0) return info.st_mode & 07777;
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

// The file a symbolic link names, through any chain of links, even when that
// file does not exist yet; nothing when the chain does not end.
std::optional<std::filesystem::path> FollowLinks(std::filesystem::path path) {
  std::error_code ec;
  for (int hops = 0; hops < kMaxLinkHops; ++hops) {
    if (!std::filesystem::is_symlink(path, ec)) return path;
    const std::filesystem::path link = std::filesystem::read_symlink(path, ec);
    if (ec) return path;
    path = link.is_absolute() ? link : path.parent_path() / link;
  }
  return std::nullopt;
}

// "." + the name + ".XXXXXX", with the name cut short where needed so that
// the temporary fits the folder's longest name whenever the target does. The
// cut never splits a UTF-8 character.
std::string TempPattern(const std::filesystem::path& folder, const std::string& name) {
  const long longest = ::pathconf(folder.c_str(), _PC_NAME_MAX);
  const std::size_t limit = longest > 0 ? static_cast<std::size_t>(longest) : NAME_MAX;
  const std::size_t room = limit > kTempSuffix.size() + 1 ? limit - kTempSuffix.size() - 1 : 0;
  std::size_t kept = std::min(name.size(), room);
  while (kept > 0 && kept < name.size() && (static_cast<unsigned char>(name[kept]) & 0xC0) == 0x80) --kept;
  std::string pattern = ".";
  pattern.append(name, 0, kept).append(kTempSuffix);
  return (folder / pattern).string();
}

}  // namespace

SafeFileOutput::SafeFileOutput(std::filesystem::path target, WriteFailure failure, bool durable)
    : target_(std::move(target)), failure_(failure), durable_(durable) {
  const std::optional<std::filesystem::path> destination = FollowLinks(target_);
  if (!destination) Fail(SystemErrorText(ELOOP));
  destination_ = *destination;
  const std::filesystem::path folder = destination_.has_parent_path() ? destination_.parent_path() : ".";
  std::string pattern = TempPattern(folder, destination_.filename().string());
  const int fd = ::mkstemp(pattern.data());
  if (fd < 0) Fail(SystemErrorText(errno));
  temp_ = pattern;
  ::fchmod(fd, TargetMode(destination_));
  file_ = ::fdopen(fd, "wb");
  if (!file_) {
    const int error = errno;
    ::close(fd);
    Discard();
    Fail(SystemErrorText(error));
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
  if (!written || !closed) Fail(SystemErrorText(error));
  if (::rename(temp_.c_str(), destination_.c_str()) != 0) Fail(SystemErrorText(errno));
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
