#pragma once
// The main window: tool bar, picture area, properties panel and status bar.

#include <QMainWindow>

namespace vorla {

inline constexpr char kVersionTitle[] = "Vorlascope 1.23";

class TFVorla : public QMainWindow {
  Q_OBJECT

 public:
  explicit TFVorla(QWidget* parent = nullptr);
};

}  // namespace vorla
