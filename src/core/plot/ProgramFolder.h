#pragma once
// Where the program keeps its files: "vorla.ini", "vorla.gra", "vlx.tmp" and
// the help file "VORLA.HLP" live in the folder of the executable.

#include <string>

namespace vorla {

// The executable's folder with a trailing separator, fixed at first use.
const std::string& ProgramFolder();

// The folder for the files the program writes itself: the program folder when
// it is writable, otherwise (a system-wide install) $XDG_CONFIG_HOME/vorlascope/
// (default ~/.config/vorlascope/), created on demand. Trailing separator.
const std::string& SettingsFolder();

// The manual's index "VORLA.HLP": beside the executable, else in the installed
// documentation folder (share/doc/vorlascope).
std::string HelpFilePath();

}  // namespace vorla
