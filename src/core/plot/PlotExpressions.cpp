#include "core/plot/PlotExpressions.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "core/expr/Expresion.h"
#include "core/expr/RowKernels.h"
#include "core/expr/RowProgram.h"
#include "core/expr/VectorMath.h"
#include "core/plot/DocumentFile.h"

namespace vorla {
namespace {

// The polar values are listed with the variables, the view's values as
// computed ones.
constexpr MakerKind kListedAsVariable = MakerKind::kVariable;
constexpr MakerKind kListedAsValue = MakerKind::kFunction0;

// The environment values a picture holds fixed.
constexpr TLeafBinding kPictureValue{TLeafBinding::Kind::kPictureValue};

// r and w share their kernels with the catalog's hipot and ang, one value
// at a time and over runs.
float RadiusAt(float x, float y) { return MathOf(BinaryMath::kHypot, x, y); }
float AngleAt(float x, float y) { return MathOf(BinaryMath::kAtan2, y, x); }

void RadiusRun(const float* x, const float* y, float* out, std::size_t n) {
  MathRun(BinaryMath::kHypot, x, y, out, n);
  CheckRun(out, n);
}

void AngleRun(const float* x, const float* y, float* out, std::size_t n) {
  MathRun(BinaryMath::kAtan2, y, x, out, n);
}

// A leaf as its catalog entry bound it.
std::optional<RowLeaf> RowLeafOf(const TEval& leaf) {
  const TLeafBinding binding = BindingOf(leaf);
  switch (binding.kind) {
    case TLeafBinding::Kind::kNone: return std::nullopt;
    case TLeafBinding::Kind::kColumn: return RowLeaf{RowLeaf::Kind::kColumn};
    case TLeafBinding::Kind::kRow: return RowLeaf{RowLeaf::Kind::kRow};
    case TLeafBinding::Kind::kPoint: return RowLeaf{RowLeaf::Kind::kPoint, binding.point};
    case TLeafBinding::Kind::kPictureValue: return RowLeaf{RowLeaf::Kind::kPictureValue};
  }
  return std::nullopt;
}

class PlotRowEvaluator final : public RowEvaluator {
 public:
  explicit PlotRowEvaluator(std::shared_ptr<const RowProgram> program)
      : program_(std::move(program)),
        workspace_(*program_),
        boundsFixed_(program_->FixedAlongRow(1) && program_->FixedAlongRow(2)) {}

  void BeginRow(float y) override { program_->BeginRow(workspace_, y); }

  Run EvaluateRun(const float* x, std::size_t n) override {
    program_->Run(workspace_, x, n);
    return Run{workspace_.Output(0), workspace_.Output(1), workspace_.Output(2), workspace_.OutputCodes(0),
               boundsFixed_};
  }

 private:
  std::shared_ptr<const RowProgram> program_;
  RowProgram::Workspace workspace_;
  bool boundsFixed_;
};

}  // namespace

PlotExpressions::PlotExpressions() {
  for (auto& expression : expressions_) expression = std::make_unique<TExpresion>();
  TExpresion& func = *expressions_[kFunc];
  TExpresion& xmin = *expressions_[kXmin];
  func.SetWantsCatalog(true);
  xmin.SetWantsCatalog(true);
  for (Field child : {kZmin, kZmax}) expressions_[child]->SetParent(&func);
  for (Field child : {kYmin, kXmax, kYmax}) expressions_[child]->SetParent(&xmin);

  x_ = func.AddVariable("x", {TLeafBinding::Kind::kColumn});
  y_ = func.AddVariable("y", {TLeafBinding::Kind::kRow});
  func.AddFunction0("w", [this] { return Angle(); }, kListedAsVariable, "", {TLeafBinding::Kind::kPoint, &AngleRun});
  func.AddFunction0("r", [this] { return Radius(); }, kListedAsVariable, "", {TLeafBinding::Kind::kPoint, &RadiusRun});
  for (TExpresion* root : {&func, &xmin}) {
    root->AddFunction0("minX", [this] { return static_cast<float>(view_.left); }, kListedAsValue, "", kPictureValue);
    root->AddFunction0("minY", [this] { return static_cast<float>(view_.bottom); }, kListedAsValue, "", kPictureValue);
    root->AddFunction0("minZ", [this] { return shownMin_; }, kListedAsValue, "", kPictureValue);
    root->AddFunction0("maxX", [this] { return static_cast<float>(view_.right); }, kListedAsValue, "", kPictureValue);
    root->AddFunction0("maxY", [this] { return static_cast<float>(view_.top); }, kListedAsValue, "", kPictureValue);
    root->AddFunction0("maxZ", [this] { return shownMax_; }, kListedAsValue, "", kPictureValue);
  }
  func.AddFunction0("fX", [this] { return stepX_; }, kListedAsValue, "", kPictureValue);
  func.AddFunction0("fY", [this] { return stepY_; }, kListedAsValue, "", kPictureValue);
  for (auto& expression : expressions_)
    expression->OnChange = [this](TExpresion&) {
      if (OnChange) OnChange();
    };
}

PlotExpressions::~PlotExpressions() {
  // Children go before the roots that own their function lists.
  for (Field child : {kZmin, kZmax, kYmin, kXmax, kYmax}) expressions_[child].reset();
}

const char* PlotExpressions::FieldLabel(Field field) {
  switch (field) {
    case kFunc: return "Funci\xF3n";
    case kZmin: return "Z m\xEDnimo";
    case kZmax: return "Z m\xE1ximo";
    case kXmin: return "X m\xEDnimo";
    case kYmin: return "Y m\xEDnimo";
    case kXmax: return "X m\xE1ximo";
    case kYmax: return "Y m\xE1ximo";
  }
  return "";
}

void PlotExpressions::Compile(const PlotDocument& d) {
  expressions_[kZmax]->SetText(d.Zmax);
  expressions_[kXmax]->SetText(d.Xmax);
  expressions_[kYmax]->SetText(d.Ymax);
  expressions_[kXmin]->SetText(d.Xmin);
  expressions_[kYmin]->SetText(d.Ymin);
  expressions_[kZmin]->SetText(d.Zmin);
  expressions_[kFunc]->SetText(d.Func);
}

std::optional<PlotExpressions::CompileFailure> PlotExpressions::CheckExpressions() const {
  std::optional<CompileFailure> failure;
  for (Field field : {kFunc, kZmax, kZmin, kXmax, kXmin, kYmax, kYmin}) {
    const TExpresion& expression = *expressions_[field];
    if (!expression.Compiled())
      failure = CompileFailure{
          field, std::string(expression.ErrorText()).append("\nen el campo ").append(FieldLabel(field))};
  }
  return failure;
}

bool PlotExpressions::CorrectAspect(PlotDocument& document, float savedAspect,
                                    float currentAspect) {
  if (savedAspect == currentAspect) return false;
  expressions_[kXmax]->SetText(document.Xmax);
  expressions_[kXmin]->SetText(document.Xmin);
  const float xmax = expressions_[kXmax]->GetValue();
  const float xmin = expressions_[kXmin]->GetValue();
  // A bound that fails keeps its text, so that its error is the one reported.
  for (Field bound : {kXmax, kXmin})
    if (!expressions_[bound]->Compiled() || expressions_[bound]->HasError()) return false;
  return vorla::CorrectAspect(document, savedAspect, currentAspect, xmin, xmax);
}

ViewBounds PlotExpressions::EvaluateRange() {
  return ViewBounds{expressions_[kXmin]->GetValue(), expressions_[kYmin]->GetValue(),
                    expressions_[kXmax]->GetValue(), expressions_[kYmax]->GetValue()};
}

void PlotExpressions::SetView(const ViewBounds& view) { view_ = view; }

Probe PlotExpressions::EvaluateAt(float x, float y) {
  SetRowY(y);
  SetColumnX(x);
  Probe values;
  values.x = x;
  values.y = y;
  values.r = Radius();
  values.w = Angle();
  int errorCode = 0;
  values.f = Function(errorCode);
  values.zmin = ScaleMin();
  values.zmax = ScaleMax();
  values.hasError = errorCode != 0;
  if (values.hasError) values.errorText = expressions_[kFunc]->ErrorText();
  return values;
}

void PlotExpressions::BeginPicture(const ViewBounds& view, float stepX, float stepY) {
  view_ = view;
  stepX_ = stepX;
  stepY_ = stepY;
  rowProgram_.reset();
  TEval* const roots[] = {expressions_[kFunc]->Root(), expressions_[kZmin]->Root(), expressions_[kZmax]->Root()};
  if (std::find(std::begin(roots), std::end(roots), nullptr) != std::end(roots)) return;
  rowProgram_ = RowProgram::Compile(roots, &RowLeafOf);
}

std::unique_ptr<RowEvaluator> PlotExpressions::NewRowEvaluator() {
  if (!rowProgram_) return nullptr;
  return std::make_unique<PlotRowEvaluator>(rowProgram_);
}

ScaleBounds PlotExpressions::LastGoodScale() {
  return ScaleBounds{expressions_[kZmin]->LastGoodValue(), expressions_[kZmax]->LastGoodValue()};
}

void PlotExpressions::SetLastGoodScale(const ScaleBounds& bounds) {
  expressions_[kZmin]->SetLastGoodValue(bounds.zmin);
  expressions_[kZmax]->SetLastGoodValue(bounds.zmax);
}

std::unique_ptr<PlotExpressions> PlotExpressions::Copy() const {
  auto copy = std::make_unique<PlotExpressions>();
  for (std::size_t field = 0; field < kFieldCount; ++field)
    copy->expressions_[field]->SetText(expressions_[field]->Text());
  copy->view_ = view_;
  copy->shownMin_ = shownMin_;
  copy->shownMax_ = shownMax_;
  copy->stepX_ = stepX_;
  copy->stepY_ = stepY_;
  return copy;
}

void PlotExpressions::SetRowY(float y) {
  yValue_ = y;
  y_->SetValue(y);
  rDirty_ = wDirty_ = true;
}

void PlotExpressions::SetColumnX(float x) {
  xValue_ = x;
  x_->SetValue(x);
  rDirty_ = wDirty_ = true;
}

float PlotExpressions::Function(int& errorCode) {
  TExpresion& func = *expressions_[kFunc];
  const float z = func.GetValue();
  // A text that failed to compile fails every point, whatever its code.
  const bool failed = !func.Compiled() || func.HasError();
  errorCode = !failed ? 0 : func.ErrorCode() != 0 ? func.ErrorCode() : kUncodedFailure;
  return z;
}

float PlotExpressions::ScaleMin() { return expressions_[kZmin]->GetValue(); }

float PlotExpressions::ScaleMax() { return expressions_[kZmax]->GetValue(); }

void PlotExpressions::EndPicture(float shownMin, float shownMax) {
  shownMin_ = shownMin;
  shownMax_ = shownMax;
}

float PlotExpressions::Radius() {
  if (rDirty_) {
    r_ = RadiusAt(xValue_, yValue_);
    rDirty_ = false;
  }
  return r_;
}

float PlotExpressions::Angle() {
  if (wDirty_) {
    w_ = AngleAt(xValue_, yValue_);
    wDirty_ = false;
  }
  return w_;
}

}  // namespace vorla
