#include "core/plot/PlotSession.h"

#include <cmath>

#include "core/expr/Expresion.h"
#include "core/io/MulDiv.h"

namespace vorla {
namespace {

constexpr int kFirstCountedError = 11;
constexpr int kLastCountedError = 19;
constexpr int kGuardError = 19;

// Values beyond the scale with "Bucle" run round the 250 gradient levels
// again; below the scale the levels count down from 255.
std::uint8_t Wrap(std::int32_t k) {
  if (k >= 0) return static_cast<std::uint8_t>(6 + k % 250);
  return static_cast<std::uint8_t>(255 + k % 250);
}

}  // namespace

bool ScaleIndex(float z, float zmin, float zmax, const CalculationOptions& options, std::uint8_t& index) {
  const float step = static_cast<float>((static_cast<long double>(zmax) - zmin) / 249.0L);
  const bool narrow = std::fabs(step) < 1e-30f;
  // The level is needed only for gradient colours; a level that does not fit
  // 32 bits is a failed pixel.
  auto level = [&](std::int32_t& k) {
    const float q = static_cast<float>((static_cast<long double>(z) - zmin) / step);
    if (!(std::fabs(q) < 2147483647.0f)) return false;
    k = static_cast<std::int32_t>(std::nearbyint(q));
    return true;
  };
  std::int32_t k = 0;
  if (!(z >= zmin)) {
    if (!options.bucMin || narrow) return index = 1, true;
    if (!level(k)) return false;
    index = Wrap(k);
  } else if (z > zmax) {
    if (!options.bucMax || narrow) return index = 2, true;
    if (!level(k)) return false;
    index = Wrap(k);
  } else {
    if (!options.gradient || narrow) return index = 3, true;
    if (!level(k)) return false;
    index = static_cast<std::uint8_t>((k + 6) % 256);
  }
  return true;
}

PlotSession::PlotSession() {
  for (auto* e : {&func_, &zmin_, &zmax_, &xmin_, &ymin_, &xmax_, &ymax_}) *e = std::make_unique<TExpresion>();
  func_->SetWantsCatalog(true);
  xmin_->SetWantsCatalog(true);
  for (TExpresion* child : {zmin_.get(), zmax_.get()}) child->SetParent(func_.get());
  for (TExpresion* child : {ymin_.get(), xmax_.get(), ymax_.get()}) child->SetParent(xmin_.get());

  x_ = func_->AddVariable("x");
  y_ = func_->AddVariable("y");
  func_->AddFunction0("w", [this] { return PolarAngle(); }, 1, "");
  func_->AddFunction0("r", [this] { return PolarRadius(); }, 1, "");
  for (TExpresion* root : {func_.get(), xmin_.get()}) {
    root->AddFunction0("minX", [this] { return static_cast<float>(view_.left); }, 2, "");
    root->AddFunction0("minY", [this] { return static_cast<float>(view_.bottom); }, 2, "");
    root->AddFunction0("minZ", [this] { return shownMin_; }, 2, "");
    root->AddFunction0("maxX", [this] { return static_cast<float>(view_.right); }, 2, "");
    root->AddFunction0("maxY", [this] { return static_cast<float>(view_.top); }, 2, "");
    root->AddFunction0("maxZ", [this] { return shownMax_; }, 2, "");
    if (root == func_.get()) {
      root->AddFunction0("fX", [this] { return stepX_; }, 2, "");
      root->AddFunction0("fY", [this] { return stepY_; }, 2, "");
    }
  }
  for (auto* e : {&func_, &zmin_, &zmax_, &xmin_, &ymin_, &xmax_, &ymax_}) {
    (*e)->OnChange = [this](TExpresion&) {
      if (OnChange) OnChange();
    };
  }
}

// Children share their root's list, so they go first.
PlotSession::~PlotSession() {
  for (auto* e : {&zmin_, &zmax_, &ymin_, &xmax_, &ymax_}) e->reset();
}

void PlotSession::Compile(const PlotDocument& d) {
  zmax_->SetText(d.Zmax);
  xmax_->SetText(RangeText(kXmax, d.Xmax));
  ymax_->SetText(RangeText(kYmax, d.Ymax));
  xmin_->SetText(RangeText(kXmin, d.Xmin));
  ymin_->SetText(RangeText(kYmin, d.Ymin));
  zmin_->SetText(d.Zmin);
  func_->SetText(d.Func);
}

std::string PlotSession::CompileErrors() const {
  const std::pair<const TExpresion*, const char*> order[] = {
      {func_.get(), " (funci\xF3n principal)"}, {zmax_.get(), " (Z m\xE1ximo)"}, {zmin_.get(), " (Z m\xEDnimo)"},
      {xmax_.get(), " (X m\xE1ximo)"},          {xmin_.get(), " (X m\xEDnimo)"}, {ymax_.get(), " (Y m\xE1ximo)"},
      {ymin_.get(), " (Y m\xEDnimo)"}};
  std::string message;
  for (const auto& [expression, label] : order) {
    if (!expression->Compiled()) message = expression->ErrorText() + label;
  }
  return message;
}

ViewBounds PlotSession::RangeBounds() {
  return ViewBounds{xmin_->GetValue(), ymin_->GetValue(), xmax_->GetValue(), ymax_->GetValue()};
}

float PlotSession::RangeValue(RangeField field) {
  TExpresion* const range[] = {ymin_.get(), xmin_.get(), xmax_.get(), ymax_.get()};
  return range[field]->GetValue();
}

void PlotSession::SetRangeText(RangeField field, const std::string& fullText, const std::string& shownText) {
  TExpresion* const range[] = {ymin_.get(), xmin_.get(), xmax_.get(), ymax_.get()};
  range[field]->SetText(fullText);
  shownRangeText_[field] = shownText;
}

std::string PlotSession::RangeText(RangeField field, const std::string& fieldText) const {
  const TExpresion* const range[] = {ymin_.get(), xmin_.get(), xmax_.get(), ymax_.get()};
  if (!shownRangeText_[field].empty() && fieldText == shownRangeText_[field]) return range[field]->Text();
  return fieldText;
}

std::pair<float, float> PlotSession::EvaluateXRange(const std::string& xminText, const std::string& xmaxText) {
  xmax_->SetText(xmaxText);
  xmin_->SetText(xminText);
  return {xmin_->GetValue(), xmax_->GetValue()};
}

void PlotSession::SetView(const ViewScale& view) {
  view_ = ViewBounds{view.ScaleLeft(), view.ScaleTop(), view.ScaleRight(), view.ScaleBottom()};
}

void PlotSession::SetPoint(float x, float y) {
  x_->SetValue(x);
  y_->SetValue(y);
  rDirty_ = true;
  wDirty_ = true;
}

float PlotSession::PolarRadius() {
  if (rDirty_) {
    r_ = static_cast<float>(std::hypot(static_cast<long double>(x_->Value()), static_cast<long double>(y_->Value())));
    rDirty_ = false;
  }
  return r_;
}

float PlotSession::PolarAngle() {
  if (wDirty_) {
    w_ = static_cast<float>(std::atan2(static_cast<long double>(y_->Value()), static_cast<long double>(x_->Value())));
    wDirty_ = false;
  }
  return w_;
}

CalculationStats PlotSession::Calculate(Bitmap& picture, PixelRect rect, const ViewScale& view,
                                        const CalculationOptions& options, const std::function<void(int)>& progress) {
  SetView(view);
  const bool whole = rect.top == rect.bottom;
  if (whole) rect = PixelRect{0, 0, picture.Width(), picture.Height()};
  if (rect.bottom < rect.top) std::swap(rect.top, rect.bottom);
  if (rect.right < rect.left) std::swap(rect.left, rect.right);
  rect.left = std::max(rect.left, 0);
  rect.top = std::max(rect.top, 0);
  rect.right = std::min(rect.right, picture.Width());
  rect.bottom = std::min(rect.bottom, picture.Height());
  const int rows = rect.bottom - rect.top;
  stats_.errorCounts.fill(0);
  if (whole) {
    stats_.minFound = 1e38f;
    stats_.maxFound = -1e38f;
  }
  if (picture.Width() <= 0 || picture.Height() <= 0) return stats_;
  stepX_ = static_cast<float>((view.ScaleRight() - view.ScaleLeft()) / picture.Width());
  stepY_ = static_cast<float>((view.ScaleBottom() - view.ScaleTop()) / picture.Height());
  const double x0 = view.ScaleLeft();
  const double y0 = view.ScaleTop();

  for (int row = rect.bottom - 1; row >= rect.top; --row) {
    const float y = static_cast<float>(row * static_cast<double>(stepY_) + y0);
    std::uint8_t* line = picture.Row(row);
    for (int column = rect.right - 1; column >= rect.left; --column) {
      const float x = static_cast<float>(column * static_cast<double>(stepX_) + x0);
      SetPoint(x, y);
      const float z = func_->GetValue();
      std::uint8_t index = 0;
      if (func_->HasError()) {
        const int code = func_->ErrorCode();
        if (code >= kFirstCountedError && code <= kLastCountedError) ++stats_.errorCounts[code - kFirstCountedError];
      } else {
        if (z < stats_.minFound) stats_.minFound = z;
        if (z > stats_.maxFound) stats_.maxFound = z;
        const bool filtered = (options.usaFilMin && z < options.filMin) || (options.usaFilMax && z > options.filMax);
        if (!filtered && !ScaleIndex(z, zmin_->GetValue(), zmax_->GetValue(), options, index)) {
          index = 0;
          ++stats_.errorCounts[kGuardError - kFirstCountedError];
        }
      }
      line[column] = index;
    }
    if (progress) progress(MulDiv(rect.bottom - row, 100, rows));
  }
  shownMin_ = stats_.minFound;
  shownMax_ = stats_.maxFound;
  stats_.pixels = static_cast<long long>(rows) * (rect.right - rect.left);
  return stats_;
}

Probe PlotSession::ProbeAt(double x, double y) {
  Probe probe;
  probe.x = static_cast<float>(x);
  probe.y = static_cast<float>(y);
  SetPoint(probe.x, probe.y);
  probe.r = PolarRadius();
  probe.w = PolarAngle();
  probe.f = func_->GetValue();
  probe.hasError = func_->HasError();
  probe.errorText = func_->ErrorText();
  probe.zmin = zmin_->GetValue();
  probe.zmax = zmax_->GetValue();
  return probe;
}

}  // namespace vorla
