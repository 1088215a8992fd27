#pragma once
// The mosaic preview: the picture scaled down to a tile, mirrored so its
// edges match, repeated over the window. It follows the picture live and
// copies or exports the mirrored picture at full quality through the export
// dialog.

#include <QWidget>

#include <filesystem>

#include "core/io/Bitmap.h"

class QToolButton;

namespace vorla {

class MosaicView;
class TfmExportar;

class TfmMozaico : public QWidget {
  Q_OBJECT

 public:
  // picture is the main window's picture, read at every rebuild; the
  // placement is kept in settingsFile.
  TfmMozaico(const Bitmap& picture, TfmExportar& exporter, std::filesystem::path settingsFile,
             QWidget* parent = nullptr);
  ~TfmMozaico() override;

  // Makes the tile anew from the picture and repaints.
  void Rebuild();
  // After every calculation and palette change of the picture.
  void RefreshIfShown();
  // The picture's indices moved by shift (the animation): the tile follows.
  void StepAnimation(int shift);

  int TileSize() const { return tileSize_; }
  const Bitmap& Tile() const { return tile_; }

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void btnChicoClick();
  void btnGrandeClick();
  void ViewClicked(Qt::MouseButton button);
  void ExportWithMirrors(bool toClipboard);

  const Bitmap& picture_;
  TfmExportar& exporter_;
  std::filesystem::path settingsFile_;
  int tileSize_;
  Bitmap tile_;

  MosaicView* view_ = nullptr;
  QToolButton* btnChico = nullptr;
  QToolButton* btnGrande = nullptr;
  QToolButton* btnHor = nullptr;
  QToolButton* btnVer = nullptr;
  QToolButton* ToolButton3 = nullptr;
  QToolButton* ToolButton2 = nullptr;
  QToolButton* ToolButton1 = nullptr;
};

}  // namespace vorla
