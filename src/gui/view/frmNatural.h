#pragma once
// TfmNatural ("Espiar"): a small tool window that pops up in the middle of
// the screen showing one picture at its own size over a soft shading, and
// never takes the focus from the main window.

#include <QWidget>

class QPicture;

namespace vorla {

class TfmNatural : public QWidget {
  Q_OBJECT

 public:
  // Created hidden; stays above `owner`.
  explicit TfmNatural(QWidget* owner = nullptr);

  // Shows the window with `graphic` (not owned: it must outlive the
  // showing) at its own size, or scaled down in its aspect to the screen
  // width, centred on the screen. Without a graphic nothing happens.
  void ShowGraphic(const QPicture* graphic);
  const QPicture* Graphic() const { return graphic_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void CentreOn(const QRect& screen);

  const QPicture* graphic_ = nullptr;
};

}  // namespace vorla
