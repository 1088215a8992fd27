// The main window's colours and readouts: gradient and fixed-colour changes,
// the animation switch, the values under the mouse, the information report
// and the multi-line editor of the expression fields.

#include <QColorDialog>

#include "core/gradient/GradTable.h"
#include "core/plot/IndexedPicture.h"
#include "core/plot/Readout.h"
#include "gui/common/CoreColor.h"
#include "gui/common/CoreText.h"
#include "gui/gradient/GradEditM.h"
#include "gui/help/HelpContext.h"
#include "gui/input/frmMemo.h"
#include "gui/mosaic/frmMozaico.h"
#include "gui/plot/MainToolBar.h"
#include "gui/plot/PaletteAnimation.h"
#include "gui/plot/PropertiesPanel.h"
#include "gui/plot/fmVorla.h"
#include "gui/view/PaintBoxM.h"

namespace vorla {

// A gradient change only swaps the picture's palette.
void TFVorla::GradientChanged() {
  if (picture_.Empty()) return;
  documents_->SetModified(true);
  RefreshPalette(picture_, gradientEditor_->Table().Palette());
  pictureBox_->ShowPalette(picture_.palette);
  fmMozaico->RefreshIfShown();
}

// The four swatches mirror the gradient editor's fixed entries 0..3.
void TFVorla::ChooseFixedColor(FixedColor which, const QColor& current) {
  const QColor chosen = QColorDialog::getColor(current, this, QStringLiteral("Color"));
  if (!chosen.isValid()) return;
  gradientEditor_->Table().SetColors(static_cast<std::uint8_t>(which), FromQColor(chosen));
  IdleUpdate();
}

bool TFVorla::Animating() const { return animation_->Running(); }

void TFVorla::ToggleAnimation() {
  animation_->SetRunning(!animation_->Running());
  toolBar_->ShowAnimating(animation_->Running());
}

void TFVorla::ShowMouseReadout(QPoint pos) {
  const ViewScale& scale = pictureBox_->Scale();
  const Probe probe = session_.ProbeAt(scale.PixelToScaleX(pos.x()), scale.PixelToScaleY(pos.y()));
  valueUnderMouse_ = probe.hasError ? std::optional<float>() : probe.f;
  ShowStatus(FromCore(MouseReadout(probe)));
}

void TFVorla::ShowGradientReadout(int index) {
  const Probe probe = session_.ProbeAt(0, 0);
  const double z = LevelValue(probe.zmin, probe.zmax, index);
  ShowStatus(FromCore(GradientReadout(z, probe.zmin, probe.zmax)));
}

void TFVorla::ShowInformation() {
  const PictureStats& stats = session_.LastStats();
  report_->ShowReport(InfoReportLines(stats.infoText, stats.errorCounts));
}

// The three expression combos take the text back only on OK; a range field
// takes it whenever it differs, however the editor was closed. Each edit
// gets an editor of its own, so the report window may stay open beside it.
void TFVorla::OpenMultiLineEditor(ExpressionField field) {
  const bool function = field == ExpressionField::kFunc;
  const bool combo = function || field == ExpressionField::kZmin || field == ExpressionField::kZmax;
  const QString before = function ? toolBar_->FunctionText() : panel_->FieldText(field);
  TFMemo editor(this);
  editor.PrepareEdit(function ? toolBar_->FunctionCaption() : panel_->FieldCaption(field),
                     static_cast<int>(combo ? HelpContext::kExpression : HelpContext::kRange), before);
  const bool accepted = editor.exec() == QDialog::Accepted;
  const QString text = editor.Text();
  if (combo ? !accepted : text == before) return;
  if (function)
    toolBar_->SetFunctionText(text);
  else
    panel_->SetFieldText(field, text);
  ApplyAndCalculate();
}

}  // namespace vorla
