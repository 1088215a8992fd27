#include "gui/plot/fmVorla.h"

namespace vorla {

TFVorla::TFVorla(QWidget* parent) : QMainWindow(parent) {
  setWindowTitle(QString::fromLatin1(kVersionTitle));
  resize(627, 495);
}

}  // namespace vorla
