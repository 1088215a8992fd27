#pragma once
// Where the program keeps its files: "vorla.ini", "vorla.gra", "vlx.tmp" and
// the help file "VORLA.HLP" live in the folder of the executable.

#include <string>

namespace vorla {

// The executable's folder with a trailing separator, fixed at first use.
const std::string& ProgramFolder();

// True when the program runs from an install (bin/ beside share/vorlascope/,
// the manual there) rather than from a folder of its own holding its manual,
// such as the build's bin/.
bool InstalledProgram();

// The folder for the files the program writes itself: the program folder when
// it is writable and not an install, otherwise $XDG_CONFIG_HOME/vorlascope/
// (default ~/.config/vorlascope/), created on demand. Trailing separator.
const std::string& SettingsFolder();

// The manual's index "VORLA.HLP": beside the executable, else in the install's
// data folder (share/vorlascope).
std::string HelpFilePath();

// The sample documents of an install (share/vorlascope/samples/), else the
// program folder. Trailing separator.
std::string SamplesFolder();

}  // namespace vorla
