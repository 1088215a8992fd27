#pragma once
// Ties to the desktop: opening a web address in the default browser and
// registering the document type so that documents open with the program.

#include <QString>

namespace vorla {

class TpvlUrl {
 public:
  QString Url;

  // Opens Url in the desktop's default browser. An empty Url does nothing;
  // returns false (and the caller reports "No se puede activar el navegador
  // predeterminado") when the desktop could not start a browser.
  bool OpenUrl() const;
};

inline constexpr char kBrowserFailedText[] = "No se puede activar el navegador predeterminado";

// Writes a MIME type for "*.<extension>" (described by description) and a
// desktop entry that opens it with programPath, under dataDir (the user's
// XDG data directory: "mime/packages/" and "applications/"). Files already
// holding the same text are left alone, so a registration repeated at every
// start costs nothing. iconIndex has no meaning on this desktop. Returns true
// when a file was written.
bool RegisterFileType(const QString& extension, const QString& typeKey, const QString& description, int iconIndex,
                      const QString& programPath, const QString& dataDir);

// Rebuilds the desktop's MIME and application caches after a registration,
// in the background and only where the tools exist.
void NotifyAssociationsChanged(const QString& dataDir);

}  // namespace vorla
