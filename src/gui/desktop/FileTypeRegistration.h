#pragma once
// Registers the document type with the desktop, so that documents open with
// the program.

#include <QString>

namespace vorla {

// Writes a MIME type for "*.<extension>" (described by description) and a
// desktop entry that opens it with programPath, under dataDir (the user's
// XDG data directory: "mime/packages/" and "applications/"). Files already
// holding the same text are left alone, so a registration repeated at every
// start costs nothing. Returns true when a file was written.
bool RegisterFileType(const QString& extension, const QString& typeKey, const QString& description,
                      const QString& programPath, const QString& dataDir);

// Rebuilds the desktop's MIME and application caches after a registration,
// in the background and only where the tools exist.
void NotifyAssociationsChanged(const QString& dataDir);

}  // namespace vorla
