// The main window's export, mosaic and colour adjustment windows: units of
// their own that the window only feeds.

#include <QLabel>

#include "core/io/NumberText.h"
#include "gui/export/frmExportar.h"
#include "gui/gradient/GradEditM.h"
#include "gui/gradient/frmAjusCol.h"
#include "gui/mosaic/frmMozaico.h"
#include "gui/plot/fmVorla.h"
#include "gui/view/PaintBoxM.h"

namespace vorla {

// The document as the controls hold it, over the view on screen: a range
// typed but not yet applied does not change what is exported.
PlotDocument TFVorla::ExportDocument() {
  PlotDocument document = CurrentDocument();
  const ViewBounds view = BoundsOf(pictureBox_->Scale());
  document.Xmin = FormatG(view.left);
  document.Xmax = FormatG(view.right);
  document.Ymin = FormatG(view.top);
  document.Ymax = FormatG(view.bottom);
  return document;
}

void TFVorla::CreateDialogs() {
  fmExportar = new TfmExportar(ExportHost{[this] { return pictureBox_->size(); }, [this] { return ExportDocument(); },
                                          [this] { return gradientEditor_->Table().Palette(); },
                                          [this] { return documents_->CurrentFile(); },
                                          [this](const QString& text) {
                                            ShowStatus(text);
                                            status_->repaint();
                                          }},
                               this);
  fmAjusCol = new TfmAjusCol(gradientEditor_->Table(), this);
  connect(fmAjusCol, &TfmAjusCol::ColorsAdjusted, documents_, &DocumentCommands::PushUndo);
  fmMozaico = new TfmMozaico(picture_, *fmExportar, filesFolder_ / "vorla.ini", this);
}

}  // namespace vorla
