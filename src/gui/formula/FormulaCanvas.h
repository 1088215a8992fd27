#pragma once
// The typesetting canvas over a QPainter. Times New Roman and Arial are set
// in their metric-compatible free faces, Liberation Serif and Liberation
// Sans; Symbol characters become their Unicode counterparts in the serif
// face. Lines and text are black; nothing is painted behind the text.

#include <QFont>
#include <QString>

#include <string>
#include <vector>

#include "core/expr/Canvas.h"

class QPainter;

namespace vorla {

class FormulaCanvas : public TCanvas {
 public:
  explicit FormulaCanvas(QPainter& painter);

  int PixelsPerInch() const override;
  int TextWidth(const std::string& text) override;
  int TextHeight(const std::string& text) override;
  void TextOut(int x, int y, const std::string& text) override;
  void Line(TPoint from, TPoint to, int penWidth) override;
  void Polyline(const std::vector<TPoint>& points, int penWidth) override;
  void Rectangle(int left, int top, int right, int bottom, bool filled) override;

  // The Qt font for a typesetting font.
  static QFont QtFont(const TFont& font);
  // Core text as shown in `face`: Symbol letters are Greek.
  static QString Shown(const std::string& text, TFace face);

 private:
  QPainter& painter_;
};

}  // namespace vorla
