#pragma once
// Opens a web address in the desktop's default browser.

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

}  // namespace vorla
