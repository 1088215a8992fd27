#pragma once
// What screen readers see of the program beyond Qt's own accessibility: open
// popups (the function picker) among the application's windows, the
// program's windows in the role of a window, and toggles whose action is a
// click, with everything a click sets off.

namespace vorla {

// Call once, after the application object exists and before any window shows.
void InstallAccessibility();

}  // namespace vorla
