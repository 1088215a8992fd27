#include "core/plot/UndoHistory.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

namespace vorla {
namespace {

bool NamesFile(const std::filesystem::path& path, int fd) {
  struct stat named {};
  struct stat opened {};
  return ::stat(path.c_str(), &named) == 0 && ::fstat(fd, &opened) == 0 && named.st_dev == opened.st_dev &&
         named.st_ino == opened.st_ino;
}

// An exclusive lock held for the instance's lifetime on a companion file.
// The undo file itself is replaced on every write, which would drop a lock
// held on it. The holder removes the file on closing, so a lock won on a file
// removed meanwhile does not count. Returns the descriptor, or -1 when
// another process holds it.
int TryLock(const std::filesystem::path& lockPath) {
  for (int attempt = 0; attempt < 2; ++attempt) {
    const int fd = ::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0) return -1;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
      ::close(fd);
      return -1;
    }
    if (NamesFile(lockPath, fd)) return fd;
    ::close(fd);
  }
  return -1;
}

}  // namespace

UndoHistory::UndoHistory(const std::filesystem::path& folder) {
  path_ = folder / "vlx.tmp";
  lockFd_ = TryLock(folder / "vlx.tmp.lock");
  if (lockFd_ < 0) {
    const std::string own = "vlx-" + std::to_string(::getpid());
    path_ = folder / (own + ".tmp");
    lockFd_ = TryLock(folder / (own + ".tmp.lock"));
  }
  ClearUndo();
}

UndoHistory::~UndoHistory() {
  ClearUndo();
  // Removed while still locked, so that no other instance holds it meanwhile.
  if (lockFd_ >= 0) {
    std::error_code ec;
    std::filesystem::remove(path_.string() + ".lock", ec);
    ::close(lockFd_);
  }
}

void UndoHistory::PushUndo(const PlotDocument& document, float aspect) {
  IniFile updated = file_;
  WriteDocument(updated, std::to_string(counter_), document, aspect);
  updated.Write(path_, /*durable=*/false);
  file_ = std::move(updated);
  ++counter_;
}

void UndoHistory::ClearUndo() {
  std::error_code ec;
  std::filesystem::remove(path_, ec);
  file_ = IniFile{};
  counter_ = 0;
}

std::optional<UndoHistory::Step> UndoHistory::Undo() {
  if (!CanUndo()) return std::nullopt;
  counter_ -= 2;
  return Step{ReadDocument(file_, std::to_string(counter_), path_), counter_};
}

}  // namespace vorla
