#pragma once
// A rectangle of the plotted plane laid over a pixel area: conversions between
// pixel edges and plane coordinates both ways, and what a resize does to it.
// The paint box owns one; the calculation and navigation read it.

namespace vorla {

class ViewScale {
 public:
  ViewScale() = default;

  double ScaleLeft() const { return left_; }
  double ScaleTop() const { return top_; }
  double ScaleRight() const { return right_; }
  double ScaleBottom() const { return bottom_; }
  double ScaleWidth() const { return right_ - left_; }
  double ScaleHeight() const { return bottom_ - top_; }

  void SetScaleLeft(double value);
  void SetScaleTop(double value);
  void SetScaleRight(double value);
  void SetScaleBottom(double value);
  void SetScaleWidth(double value) { SetScaleRight(left_ + value); }
  void SetScaleHeight(double value) { SetScaleBottom(top_ + value); }
  void SetScale(double left, double top, double right, double bottom);

  // Pixel x is the left edge of column x: column Width() is ScaleRight().
  double PixelToScaleX(int x) const { return left_ + x * unitsX_; }
  double PixelToScaleY(int y) const { return top_ + y * unitsY_; }
  // Rounded to nearest, ties to even. A zero-sized scale or area gives 0
  // rather than dividing by zero.
  int ScaleToPixelX(double value) const;
  int ScaleToPixelY(double value) const;

  double ScaleCenterX() const { return (right_ - left_) / 2 + left_; }
  double ScaleCenterY() const { return (bottom_ - top_) / 2 + top_; }
  void SetScaleCenterX(double value);
  void SetScaleCenterY(double value);

  // Scale units per pixel; negative when that axis is mirrored.
  double UnitsPerPixelX() const { return unitsX_; }
  double UnitsPerPixelY() const { return unitsY_; }

  bool KeepScaleAspect() const { return keepAspect_; }
  void SetKeepScaleAspect(bool keep) { keepAspect_ = keep; }

  int Width() const { return width_; }
  int Height() const { return height_; }
  // With KeepScaleAspect the units per pixel stay and the visible rectangle
  // grows or shrinks around its centre; otherwise the rectangle stays and is
  // stretched over the new size. The first sizing (from nothing) and a
  // sizing to nothing always take the second way: there is no old area whose
  // units could be kept, and no division by a zero size.
  void Resize(int width, int height);

 private:
  void UpdateUnitsX();
  void UpdateUnitsY();

  double left_ = 0;
  double top_ = 0;
  double right_ = 1;
  double bottom_ = 1;
  double unitsX_ = 0;
  double unitsY_ = 0;
  int width_ = 0;
  int height_ = 0;
  bool keepAspect_ = false;
};

}  // namespace vorla
