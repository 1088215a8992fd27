#include "core/plot/ProgramFolder.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace vorla {
namespace fs = std::filesystem;

namespace {

std::string WithSeparator(const fs::path& folder) {
  std::string text = folder.string();
  if (text.empty() || text.back() != '/') text += '/';
  return text;
}

std::string FindProgramFolder() {
  std::error_code error;
  const fs::path exe = fs::read_symlink("/proc/self/exe", error);
  return WithSeparator(error ? fs::current_path() : exe.parent_path());
}

fs::path InstallDataFolder() { return (fs::path(ProgramFolder()) / ".." / "share" / "vorlascope").lexically_normal(); }

bool HelpBesideProgram() {
  std::error_code error;
  return fs::exists(ProgramFolder() + "VORLA.HLP", error);
}

std::string FindSettingsFolder() {
  const std::string& program = ProgramFolder();
  // Run as root, an install's bin/ is writable, but no file may be left there.
  if (!InstalledProgram() && access(program.c_str(), W_OK) == 0) return program;
  fs::path base;
  if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg) {
    base = xdg;
  } else if (const char* home = std::getenv("HOME"); home && *home) {
    base = fs::path(home) / ".config";
  } else {
    base = fs::temp_directory_path();
  }
  const fs::path folder = base / "vorlascope";
  std::error_code error;
  fs::create_directories(folder, error);
  return WithSeparator(folder);
}

}  // namespace

const std::string& ProgramFolder() {
  static const std::string folder = FindProgramFolder();
  return folder;
}

const std::string& SettingsFolder() {
  static const std::string folder = FindSettingsFolder();
  return folder;
}

bool InstalledProgram() {
  static const bool installed = [] {
    std::error_code error;
    return !HelpBesideProgram() && fs::exists(InstallDataFolder() / "VORLA.HLP", error);
  }();
  return installed;
}

std::string HelpFilePath() {
  if (HelpBesideProgram()) return ProgramFolder() + "VORLA.HLP";
  return (InstallDataFolder() / "VORLA.HLP").string();
}

std::string SamplesFolder() {
  const fs::path samples = InstallDataFolder() / "samples";
  std::error_code error;
  return fs::is_directory(samples, error) ? WithSeparator(samples) : ProgramFolder();
}

}  // namespace vorla
