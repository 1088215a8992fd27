// Typesetting on a canvas of fixed glyph metrics: any formula measures
// within the typesetting's bounds, and one that fits a picture draws inside
// it, at the usual type size and the largest.

#include <cstdlib>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "core/expr/Expresion.h"
#include "core/expr/Typeset.h"

namespace {

// Every character half an em wide, its cell 6/5 of an em tall; everything
// painted must fall inside the picture.
class FixedCanvas final : public vorla::TCanvas {
 public:
  explicit FixedCanvas(vorla::TPictureSize picture) : picture_(picture) {}
  int PixelsPerInch() const override { return 96; }
  int TextWidth(const std::string& text) override { return static_cast<int>(text.size()) * (Em() / 2); }
  int TextHeight(const std::string&) override { return CellHeight(); }
  void TextOut(int x, int y, const std::string&) override { Inside({x, y}); }
  void Line(vorla::TPoint from, vorla::TPoint to, int) override {
    Inside(from);
    Inside(to);
  }
  void Polyline(const std::vector<vorla::TPoint>& points, int) override {
    for (const vorla::TPoint point : points) Inside(point);
  }
  void Rectangle(int left, int top, int right, int bottom, bool) override {
    Inside({left, top});
    Inside({right, bottom});
  }

 private:
  int Em() const { return Font.Kind == vorla::THeightKind::Character ? Font.Height : Font.Height * 5 / 6; }
  int CellHeight() const { return Font.Kind == vorla::THeightKind::Character ? Font.Height * 6 / 5 : Font.Height; }
  // Text and strokes may reach a little past their box (a cell's leading,
  // a sign's stroke): a generous margin, far below any runaway coordinate.
  void Inside(vorla::TPoint point) const {
    const int slack = 4 * vorla::kFormulaSize + picture_.Height;
    if (point.X < -slack || point.Y < -slack || point.X > picture_.Width + slack ||
        point.Y > picture_.Height + slack)
      std::abort();
  }

  vorla::TPictureSize picture_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  vorla::TExpresion root;
  root.SetWantsCatalog(true);
  root.AddVariable("x");
  root.AddVariable("y");
  root.SetText(vorla::fuzz::Text(data, size));
  if (root.Root() == nullptr) return 0;
  for (const int typeSize : {vorla::kFormulaSize, 255}) {
    FixedCanvas measuring({0, 0});
    const vorla::TPictureSize picture = vorla::FormulaPictureSize(*root.Root(), measuring, typeSize);
    if (!vorla::FitsFormulaLimits(picture)) continue;
    FixedCanvas drawing(picture);
    vorla::DrawFormulaPicture(*root.Root(), drawing, typeSize);
  }
  return 0;
}
