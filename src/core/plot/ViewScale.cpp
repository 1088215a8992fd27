#include "core/plot/ViewScale.h"

#include <climits>
#include <cmath>

namespace vorla {
namespace {

int RoundToPixel(double offset, double units) {
  if (units == 0) return 0;
  const double pixel = std::nearbyint(offset / units);
  if (!(pixel >= INT_MIN)) return pixel != pixel ? 0 : INT_MIN;
  if (pixel > INT_MAX) return INT_MAX;
  return static_cast<int>(pixel);
}

}  // namespace

void ViewScale::UpdateUnitsX() {
  if (width_ != 0) unitsX_ = (right_ - left_) / width_;
}

void ViewScale::UpdateUnitsY() {
  if (height_ != 0) unitsY_ = (bottom_ - top_) / height_;
}

void ViewScale::SetScaleLeft(double value) {
  left_ = value;
  UpdateUnitsX();
}

void ViewScale::SetScaleTop(double value) {
  top_ = value;
  UpdateUnitsY();
}

void ViewScale::SetScaleRight(double value) {
  right_ = value;
  UpdateUnitsX();
}

void ViewScale::SetScaleBottom(double value) {
  bottom_ = value;
  UpdateUnitsY();
}

void ViewScale::SetScale(double left, double top, double right, double bottom) {
  left_ = left;
  top_ = top;
  right_ = right;
  bottom_ = bottom;
  UpdateUnitsX();
  UpdateUnitsY();
}

int ViewScale::ScaleToPixelX(double value) const { return RoundToPixel(value - left_, unitsX_); }

int ViewScale::ScaleToPixelY(double value) const { return RoundToPixel(value - top_, unitsY_); }

void ViewScale::SetScaleCenterX(double value) {
  const double half = (right_ - left_) / 2;
  left_ = value - half;
  right_ = value + half;
  UpdateUnitsX();
}

void ViewScale::SetScaleCenterY(double value) {
  const double half = (bottom_ - top_) / 2;
  top_ = value - half;
  bottom_ = value + half;
  UpdateUnitsY();
}

void ViewScale::Resize(int width, int height) {
  if (width < 0) width = 0;
  if (height < 0) height = 0;
  const int oldWidth = width_;
  const int oldHeight = height_;
  if (keepAspect_ && oldWidth != 0 && oldHeight != 0 && width != 0 && height != 0) {
    const int halfW = (width - oldWidth) / 2;
    const int halfH = (height - oldHeight) / 2;
    const double left = PixelToScaleX(-halfW);
    const double top = PixelToScaleY(-halfH);
    const double right = PixelToScaleX(oldWidth + halfW);
    const double bottom = PixelToScaleY(oldHeight + halfH);
    width_ = width;
    height_ = height;
    SetScale(left, top, right, bottom);
  } else {
    width_ = width;
    height_ = height;
    UpdateUnitsX();
    UpdateUnitsY();
  }
}

}  // namespace vorla
