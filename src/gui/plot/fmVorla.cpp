#include "gui/plot/fmVorla.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QColorDialog>
#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPainter>
#include <QShortcut>
#include <QSpinBox>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>

#include <cmath>

#include "core/expr/Expresion.h"
#include "core/gradient/GradTable.h"
#include "core/io/NumberText.h"
#include "core/plot/IndexedPicture.h"
#include "core/plot/ProgramFolder.h"
#include "core/plot/Readout.h"
#include "core/plot/UndoHistory.h"
#include "gui/gradient/GradEditM.h"
#include "gui/gradient/GradientLibraryBox.h"
#include "gui/help/HelpWindow.h"
#include "gui/input/frmMemo.h"
#include "gui/plot/ColorSwatch.h"
#include "gui/common/CoreColor.h"
#include "gui/plot/AboutText.h"
#include "gui/common/CoreText.h"
#include "gui/common/FormUtils.h"
#include "gui/common/HelpTopics.h"
#include "gui/plot/FormulaSpy.h"
#include "gui/plot/ProgressBox.h"
#include "gui/plot/PropertiesPanel.h"
#include "gui/common/ToolButtons.h"
#include "gui/desktop/DropFiles.h"
#include "gui/desktop/FileTypeRegistration.h"
#include "gui/view/AreaFondo.h"
#include "gui/view/PaintBoxM.h"
#include "gui/view/frmNatural.h"
#include "gui/desktop/pvUrl.h"

namespace vorla {
namespace {

constexpr char kPictureHint[] =
    "Click Izquierdo: Centrar\r\nClick Derecho: Alejar\r\nArrastrar Izquierdo: Zoom\r\nArrastrar Derecho: Mover";
constexpr char kDefaultStatus[] = "Listo";
constexpr char kCalculating[] = "Calculando...";

}  // namespace

// A text longer than the field shows its beginning, where the sign and the
// leading digits are.
void SetFieldText(QLineEdit* field, const QString& text) {
  field->setText(text);
  field->setCursorPosition(0);
}


TFVorla::TFVorla(QWidget* parent, std::filesystem::path filesFolder, QString documentToOpen)
    : QMainWindow(parent),
      filesFolder_(filesFolder.empty() ? std::filesystem::path(SettingsFolder()) : std::move(filesFolder)),
      documentToOpen_(std::move(documentToOpen)) {
  setObjectName(QStringLiteral("FVorla"));
  InitGuiResources();
  resize(627, 495);
  setAcceptDrops(false);

  GradEdit1 = new TGradEditM;
  GradEdit1->setObjectName(QStringLiteral("GradEdit1"));
  ApplyHint(*GradEdit1,
            QStringLiteral("Editor de gradiente: Permite mover, agregar, eliminar nodos y rotar el gradiente"));
  gradientLibrary_ = new TGradientLibraryBox(GradEdit1, (filesFolder_ / "vorla.gra").string());
  panel_ = new PropertiesPanel(GradEdit1, gradientLibrary_);

  pb = new TPaintBoxM;
  pb->setObjectName(QStringLiteral("pb"));
  pb->SetDrawRectRight(false);
  pb->Scale().SetKeepScaleAspect(true);
  ApplyHint(*pb, QString::fromLatin1(kPictureHint).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
  // The hint lists the mouse actions; a screen reader names the control.
  pb->setAccessibleName(QStringLiteral("Imagen"));
  pb->setAccessibleDescription(pb->toolTip());

  auto* central = new QWidget(this);
  auto* row = new QHBoxLayout(central);
  row->setContentsMargins(0, 0, 0, 0);
  row->setSpacing(0);
  row->addWidget(pb, 1);
  row->addWidget(panel_);
  setCentralWidget(central);

  BuildToolBar();
  BuildStatusBar();
  FMemo = new TFMemo(this);
  Timer1 = new QTimer(this);
  Timer1->setInterval(50);

  session_ = std::make_unique<PlotSession>();
  fmNatural = new TfmNatural(this);
  spy_ = new FormulaSpy(*fmNatural, this);
  spy_->Watch(AreaFondo1, session_->Expression(PlotExpressions::kFunc));
  spy_->Watch(panel_->AreaFondo2, session_->Expression(PlotExpressions::kZmin));
  spy_->Watch(panel_->AreaFondo3, session_->Expression(PlotExpressions::kZmax));
  session_->OnChange = [this] {
    modified_ = true;
    spy_->ForgetPictures();
  };
  undo_ = std::make_unique<UndoHistory>(filesFolder_);
  dialogFolder_ = QString::fromStdString(ProgramFolder());
  ClearUndo();
  setWindowTitle(QString::fromLatin1(kVersionTitle));
  SetStartupGradient();
  ShowDocumentInControls(PlotDocument::StartUp());
  ConnectControls();
  SetHelpContexts();

  if (!RestoreFormPlacement(*this, filesFolder_ / "vorla.ini", FirstPlacement::kDesktopCenter)) {
    const QString dataDir = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (RegisterFileType(QStringLiteral("vlx"), QStringLiteral("VorlaArch"), QStringLiteral("Archivo de Vorlascope"),
                         QCoreApplication::applicationFilePath(), dataDir))
      NotifyAssociationsChanged(dataDir);
  }
  Timer1->start();
  connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock, this, &TFVorla::IdleUpdate);
  ApplyAndCalculate();
  modified_ = false;
}

TFVorla::~TFVorla() = default;

void TFVorla::BuildToolBar() {
  auto* bar = new QToolBar(this);
  bar->setObjectName(QStringLiteral("ToolBar1"));
  bar->setMovable(false);
  bar->setFloatable(false);
  bar->setIconSize(QSize(20, 20));
  bar->setContextMenuPolicy(Qt::PreventContextMenu);
  addToolBar(Qt::TopToolBarArea, bar);

  cmdAbrir = MakeToolButton(bar, "cmdAbrir", "abrir", QStringLiteral("Abrir Archivo de disco"));
  tbGuardar = MakeToolButton(bar, "tbGuardar", "guardar", QStringLiteral("Guardar archivo a disco"));
  tbExportar =
      MakeToolButton(bar, "tbExportar", "exportar", QStringLiteral("Exportar|Exporta la imagen como BMP o JPG"));
  tbCopiar = MakeToolButton(bar, "tbCopiar", "copiar",
                            QStringLiteral("Copiar|Copia al portapapeles la imagen al tamaño deseado"));
  btnDeshacer = MakeToolButton(bar, "btnDeshacer", "deshacer", QStringLiteral("Deshacer|Deshace el último cambio"));
  tbMozaico = MakeToolButton(bar, "tbMozaico", "mozaico", QStringLiteral("Probar mosaico"));
  ComboBox1 = MakeExpressionCombo(bar, "ComboBox1", QStringLiteral("Función principal|Función f(x,y) a graficar"));
  ComboBox1->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
  AreaFondo1 = MakeSpySphere(bar, "AreaFondo1", QStringLiteral("Espiar función principal"));
  tbtAspecto = MakeToolButton(bar, "tbtAspecto", "aspecto",
                              QStringLiteral("Bloquear aspecto|Bloquea aspecto al hacer zoom con el mouse"), true);
  tbtAspecto->setChecked(true);
  tbAnimar = MakeToolButton(bar, "tbAnimar", "animar", QStringLiteral("Activa/Desactiva animación"), true);
  SpinEdit1 = new QSpinBox(bar);
  SpinEdit1->setObjectName(QStringLiteral("SpinEdit1"));
  SpinEdit1->setRange(-100, 100);
  SpinEdit1->setValue(1);
  ApplyHint(*SpinEdit1, QStringLiteral("Velocidad y dirección de animación"));
  btnFilMin = MakeToolButton(bar, "btnFilMin", "filmin",
                             QStringLiteral("Filtrar mínimo|Haga click en la imagen para seleccionar mínimo"), true);
  btnFilMax = MakeToolButton(bar, "btnFilMax", "filmax",
                             QStringLiteral("Filtrar máximo|Haga click en la imagen para seleccionar máximo"), true);
  tbAjustarColor = MakeToolButton(bar, "tbAjustarColor", "ajustarcolor", QStringLiteral("Ajustar colores"));
  tbInformacion =
      MakeToolButton(bar, "tbInformacion", "informacion", QStringLiteral("Información|Información del último cálculo"));
  tbPropiedades =
      MakeToolButton(bar, "tbPropiedades", "propiedades", QStringLiteral("Mostrar/Ocultar propiedades "), true);
  tbPropiedades->setChecked(true);
  tbAyuda = MakeToolButton(bar, "tbAyuda", "ayuda", QStringLiteral("Ayuda"));

  for (QWidget* widget : std::initializer_list<QWidget*>{
           cmdAbrir, tbGuardar, tbExportar, tbCopiar, btnDeshacer, tbMozaico, ComboBox1, AreaFondo1, tbtAspecto,
           tbAnimar, SpinEdit1, btnFilMin, btnFilMax, tbAjustarColor, tbInformacion, tbPropiedades, tbAyuda})
    bar->addWidget(widget);
  // The export, copy, mosaic and colour-adjustment dialogs are not part of this window yet.
  for (QToolButton* button : {tbExportar, tbCopiar, tbMozaico, tbAjustarColor}) button->setEnabled(false);
}

void TFVorla::BuildStatusBar() {
  status_ = new QLabel(QString::fromLatin1(kDefaultStatus));
  status_->setObjectName(QStringLiteral("status"));
  status_->setCursor(Qt::PointingHandCursor);
  status_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  status_->setMinimumWidth(1);
  status_->installEventFilter(this);
  progreso = new ProgressBox;
  statusBar()->addWidget(status_, 1);
  statusBar()->addPermanentWidget(progreso);
  statusBar()->setSizeGripEnabled(true);
}

// Entries 0..3 hold the picture's fixed colours; the gradient runs over 4..255.
// The start-up document then brings the gradient and the four colours.
void TFVorla::SetStartupGradient() { GradEdit1->Table().SetStartCol(4); }

// The status bar holds one line: a taller one would shrink the picture area
// and recalculate it.
void TFVorla::ShowStatus(const QString& text) {
  QString line = text;
  line.replace(QStringLiteral("\r\n"), QStringLiteral("  ")).replace(u'\n', QStringLiteral("  "));
  status_->setText(line);
}

bool TFVorla::event(QEvent* event) {
  if (event->type() == QEvent::StatusTip) {
    // The long part of a hint, or the default text when the mouse leaves a control.
    const QString tip = static_cast<QStatusTipEvent*>(event)->tip();
    ShowStatus(tip.isEmpty() ? QString::fromLatin1(kDefaultStatus) : tip);
    return true;
  }
  return QMainWindow::event(event);
}

void TFVorla::ConnectControls() {
  connect(cmdAbrir, &QToolButton::clicked, this, &TFVorla::cmdAbrirClick);
  connect(tbGuardar, &QToolButton::clicked, this, [this] { tbGuardarClick(); });
  connect(btnDeshacer, &QToolButton::clicked, this, &TFVorla::Undo);
  connect(tbAnimar, &QToolButton::clicked, this, &TFVorla::tbAnimarClick);
  connect(Timer1, &QTimer::timeout, this, &TFVorla::Timer1Timer);
  connect(tbPropiedades, &QToolButton::toggled, panel_, &QWidget::setVisible);
  connect(tbAyuda, &QToolButton::clicked, this, [this] { HelpWindow::ShowContext(1, this); });
  connect(tbInformacion, &QToolButton::clicked, this, &TFVorla::tbInformacionClick);
  connect(btnFilMin, &QToolButton::toggled, this, [this](bool down) { FilterButtonToggled(true, down); });
  connect(btnFilMax, &QToolButton::toggled, this, [this](bool down) { FilterButtonToggled(false, down); });

  connect(GradEdit1, &TGradEditM::OnChange, this, &TFVorla::GradEdit1Change);
  connect(GradEdit1, &TGradEditM::OnEndChange, this, &TFVorla::PushUndo);
  connect(GradEdit1, &TGradEditM::OnColorIndex, this, [this](int index) { GradEdit1ColorIndex(index); });

  connect(panel_->chkGradiente, &QCheckBox::clicked, this, &TFVorla::chkGradienteClick);
  connect(panel_->chkBucleMin, &QCheckBox::clicked, this, &TFVorla::chkBucleClick);
  connect(panel_->chkBucleMax, &QCheckBox::clicked, this, &TFVorla::chkBucleClick);
  const std::pair<ColorSwatch*, int> swatches[] = {
      {panel_->ColFon, 0}, {panel_->ColZmin, 1}, {panel_->ColZmax, 2}, {panel_->ColFun, 3}};
  for (const auto& [swatch, entry] : swatches) {
    connect(swatch, &ColorSwatch::Clicked, this, [this, swatch, entry] { SwatchClicked(swatch, entry); });
  }

  for (QComboBox* combo : {ComboBox1, panel_->txtZmin, panel_->txtZmax}) {
    // Keys reach an editable combo box, which hands them to its line edit
    // past that edit's filters: Enter is caught on the box, double-clicks on the edit.
    combo->installEventFilter(this);
    QLineEdit* edit = combo->lineEdit();
    edit->setAcceptDrops(false);  // a dropped document goes to the window, not into the text
    edit->installEventFilter(this);
    connect(edit, &QLineEdit::textEdited, this, [this, edit] { ExpressionTextEdited(edit); });
  }
  for (QLineEdit* edit : {panel_->txtXmin, panel_->txtYmin, panel_->txtXmax, panel_->txtYmax}) {
    edit->setAcceptDrops(false);
    edit->installEventFilter(this);
    connect(edit, &QLineEdit::textEdited, this, [this, edit] { ExpressionTextEdited(edit); });
  }
  // The window sees these keys first, whichever control has the focus.
  auto* help = new QShortcut(QKeySequence(Qt::Key_F1), this);
  connect(help, &QShortcut::activated, this,
          [this] { HelpWindow::ShowContext(HelpContextOf(QApplication::focusWidget()), this); });
  auto* smooth = new QShortcut(QKeySequence(Qt::SHIFT | Qt::ALT | Qt::Key_F12), this);
  connect(smooth, &QShortcut::activated, this, [this] {
    SmoothPicture(picture_);
    pb->ShowPicture(picture_);
  });
  panel_->chkBucleMin->installEventFilter(this);
  panel_->chkBucleMax->installEventFilter(this);

  connect(panel_->tbRotarDer, &QToolButton::clicked, this, [this] { SetViewAndRecalculate(RotateRight(pb->Scale())); });
  connect(panel_->tbRotarIzq, &QToolButton::clicked, this, [this] { SetViewAndRecalculate(RotateLeft(pb->Scale())); });
  connect(panel_->tbtNormalizar, &QToolButton::clicked, this,
          [this] { SetViewAndRecalculate(Normalize(pb->Scale())); });
  connect(panel_->tbCentrar, &QToolButton::clicked, this,
          [this] { SetViewAndRecalculate(CenterOnOrigin(pb->Scale())); });
  connect(panel_->tbRotar180, &QToolButton::clicked, this, [this] {
    if (ReportCompileError()) return;
    SwapRangeTexts(panel_->txtXmin, panel_->txtXmax);
    SwapRangeTexts(panel_->txtYmin, panel_->txtYmax);
    ApplyAndCalculate();
  });
  connect(panel_->tbFlipHorrizontal, &QToolButton::clicked, this, [this] {
    if (ReportCompileError()) return;
    SwapRangeTexts(panel_->txtYmin, panel_->txtYmax);
    ApplyAndCalculate();
  });
  connect(panel_->tbFlipVertical, &QToolButton::clicked, this, [this] {
    if (ReportCompileError()) return;
    SwapRangeTexts(panel_->txtXmin, panel_->txtXmax);
    ApplyAndCalculate();
  });
  connect(panel_->tbMostrarEjes, &QToolButton::toggled, pb, &TPaintBoxM::SetShowAxes);

  connect(pb, &TPaintBoxM::rectDraw, this,
          [this](const PixelRect& oldRect, Qt::MouseButtons buttons, Qt::KeyboardModifiers, PixelRect* newRect) {
            pbRectDraw(oldRect, buttons, *newRect);
          });
  connect(pb, &TPaintBoxM::rectUp, this,
          [this](const PixelRect& band, Qt::MouseButton button, Qt::KeyboardModifiers) { pbRectUp(band, button); });
  connect(pb, &TPaintBoxM::mouseMoved, this,
          [this](Qt::MouseButtons, Qt::KeyboardModifiers, QPoint pos) { pbMouseMove(pos); });
  connect(pb, &TPaintBoxM::resized, this, &TFVorla::pbResize);
}

void TFVorla::SetHelpContexts() {
  SetHelpContext(*this, 1);
  for (QWidget* field : std::initializer_list<QWidget*>{ComboBox1, panel_->txtZmin, panel_->txtZmax})
    SetHelpContext(*field, 16);
  SetHelpContext(*SpinEdit1, 20);
  SetHelpContext(*panel_->chkGradiente, 23);
  SetHelpContext(*panel_->chkBucleMin, 25);
  SetHelpContext(*panel_->chkBucleMax, 25);
  for (QWidget* field :
       std::initializer_list<QWidget*>{panel_->txtXmin, panel_->txtYmin, panel_->txtXmax, panel_->txtYmax})
    SetHelpContext(*field, 27);
  SetHelpContext(*gradientLibrary_, 29);
}

// The four swatches mirror the gradient editor's fixed entries 0..3.
void TFVorla::SwatchClicked(ColorSwatch* swatch, int entry) {
  const QColor chosen = QColorDialog::getColor(swatch->Color(), this, QStringLiteral("Color"));
  if (!chosen.isValid()) return;
  swatch->SetColor(chosen);
  GradEdit1->Table().SetColors(static_cast<std::uint8_t>(entry), FromQColor(chosen));
}

void TFVorla::UpdateVisibility() {
  const bool gradient = panel_->chkGradiente->isChecked();
  GradEdit1->setVisible(gradient);
  panel_->ColFun->setVisible(!gradient);
  panel_->lblColFun->setVisible(!gradient);
  panel_->chkBucleMin->setVisible(gradient);
  panel_->chkBucleMax->setVisible(gradient);
  panel_->ColZmin->setVisible(!panel_->chkBucleMin->isChecked());
  panel_->ColZmax->setVisible(!panel_->chkBucleMax->isChecked());
}

void TFVorla::chkGradienteClick() {
  if (!panel_->chkGradiente->isChecked()) {
    panel_->chkBucleMin->setChecked(false);
    panel_->chkBucleMax->setChecked(false);
  }
  UpdateVisibility();
  CalculateRegion({});
}

void TFVorla::chkBucleClick() {
  UpdateVisibility();
  CalculateRegion({});
}

void TFVorla::ExpressionTextEdited(QLineEdit* edit) {
  const QString text = edit->text();
  const QString normalized = FromCore(TExpresion::NormalizeOperators(ToCore(text)));
  if (normalized == text) return;
  // Two typed characters became one: the caret goes back one place.
  const int caret = edit->cursorPosition();
  edit->setText(normalized);
  edit->setCursorPosition(std::max(0, caret - 1));
}

// The full texts change places, so that a view zoomed with the mouse keeps
// its precision when it is flipped.
void TFVorla::SwapRangeTexts(QLineEdit* a, QLineEdit* b) {
  const std::string textA = session_->RangeText(RangeFieldOf(a), ToCore(a->text()));
  const std::string textB = session_->RangeText(RangeFieldOf(b), ToCore(b->text()));
  SetFieldText(a, FromCore(textB));
  SetFieldText(b, FromCore(textA));
}

PlotSession::RangeField TFVorla::RangeFieldOf(const QLineEdit* edit) const {
  if (edit == panel_->txtXmin) return PlotSession::kXmin;
  if (edit == panel_->txtXmax) return PlotSession::kXmax;
  if (edit == panel_->txtYmin) return PlotSession::kYmin;
  return PlotSession::kYmax;
}

bool TFVorla::eventFilter(QObject* watched, QEvent* event) {
  if (watched == status_) {
    if (event->type() == QEvent::MouseButtonRelease) {
      TpvlUrl url;
      url.Url = QUrl::fromLocalFile(ManualHomeFile()).toString();
      if (!url.OpenUrl()) AppMessageBox(this, QString::fromUtf8(kBrowserFailedText), QMessageBox::Critical);
      return true;
    }
    return false;
  }
  if (event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      ApplyAndCalculate();
      return true;
    }
  } else if (event->type() == QEvent::MouseButtonDblClick) {
    if (auto* edit = qobject_cast<QLineEdit*>(watched)) {
      OpenMemoEditor(edit);
      return true;
    }
  }
  return QMainWindow::eventFilter(watched, event);
}

void TFVorla::dragEnterEvent(QDragEnterEvent* event) {
  if (!ReadDroppedFiles(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void TFVorla::dropEvent(QDropEvent* event) {
  const QStringList files = ReadDroppedFiles(event->mimeData());
  if (files.isEmpty()) return;
  event->acceptProposedAction();
  if (files.size() > 1)
    AppMessageBox(this, QStringLiteral("Se soltaron varios archivos: sólo se abre el primero."), QMessageBox::Warning);
  LoadDocument(files.front());
}

void TFVorla::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (!starting_) return;
  // Recalculations for the window's first size are no change of the user's,
  // and the history starts with the picture as first shown: nothing to undo yet.
  modified_ = false;
  ClearUndo();
  PushUndo();
  if (!documentToOpen_.isEmpty()) LoadDocument(documentToOpen_);
  DrawAboutText(picture_, AboutText());
  pb->ShowPicture(picture_);
  setAcceptDrops(true);
  starting_ = false;
}

void TFVorla::closeEvent(QCloseEvent* event) {
  if (!QuerySave()) {
    event->ignore();
    return;
  }
  Timer1->stop();
  setAcceptDrops(false);
  SaveFormPlacement(*this, filesFolder_ / "vorla.ini");
  AppMessageBox(this, AboutText() + QStringLiteral("\n\nGracias por usar Vorlascope."), QMessageBox::NoIcon);
  ClearUndo();
  event->accept();
}

// ---- Colours and animation ---------------------------------------------------

void TFVorla::GradEdit1Change() {
  if (picture_.Empty()) return;
  modified_ = true;
  RefreshPalette(picture_, GradEdit1->Table().Palette());
  pb->ShowPalette(picture_.palette);
}

bool TFVorla::Animating() const { return Timer1->isActive(); }

void TFVorla::tbAnimarClick() {
  if (Timer1->isActive()) {
    Timer1->stop();
    // Undo the accumulated shift: the picture is again exactly as calculated.
    ShiftIndices(picture_, 128 - paletteOffset_);
    paletteOffset_ = 128;
    pb->ShowPicture(picture_);
  } else {
    Timer1->start();
    paletteOffset_ = 128;
  }
  tbAnimar->setChecked(Timer1->isActive());
}

void TFVorla::Timer1Timer() {
  if (QGuiApplication::applicationState() != Qt::ApplicationActive) return;
  const int shift = ShiftIndices(picture_, SpinEdit1->value());
  if (shift == 0) return;
  paletteOffset_ = AdvanceOffset(paletteOffset_, shift);
  pb->ShowPicture(picture_);
}

void TFVorla::IdleUpdate() {
  WriteViewToRangeFields();
  btnDeshacer->setEnabled(undo_->CanUndo());
  tbAnimar->setChecked(Timer1->isActive());
  const TGradTable& table = GradEdit1->Table();
  panel_->ColZmin->SetColor(ToQColor(table.Colors(1)));
  panel_->ColZmax->SetColor(ToQColor(table.Colors(2)));
  panel_->ColFun->SetColor(ToQColor(table.Colors(3)));
  panel_->ColFon->SetColor(ToQColor(table.Colors(0)));
}

// A view moved with the mouse shows up in the range fields without a new
// calculation; expressions the view still matches keep their texts. While an
// expression fails, the view is the last good one and the fields hold what
// the user typed or the file held; a field the user is editing is left alone.
void TFVorla::WriteViewToRangeFields() {
  const ViewScale& scale = pb->Scale();
  if (scale.Width() <= 0 || scale.Height() <= 0 || !session_->CompileErrors().empty()) return;
  const std::pair<QLineEdit*, double> edges[] = {{panel_->txtYmin, scale.ScaleTop()},
                                                 {panel_->txtXmin, scale.ScaleLeft()},
                                                 {panel_->txtXmax, scale.ScaleRight()},
                                                 {panel_->txtYmax, scale.ScaleBottom()}};
  for (int i = 0; i < 4; ++i) {
    const auto [field, edge] = edges[i];
    if (field->isModified()) continue;
    const auto which = static_cast<PlotSession::RangeField>(i);
    const double value = session_->RangeValue(which);
    if (value == edge || std::fabs((edge - value) / edge) <= 1e-7) continue;
    const std::string shown = FormatG(edge, 6);
    session_->SetRangeText(which, FormatG(edge), shown);
    SetFieldText(field, QString::fromStdString(shown));
  }
}

// After a calculation the fields no longer hold typing of the user's: the
// view they stand for is the one on screen.
void TFVorla::ReleaseRangeFields() {
  for (QLineEdit* field : {panel_->txtXmin, panel_->txtYmin, panel_->txtXmax, panel_->txtYmax})
    field->setModified(false);
}

// ---- Calculation ---------------------------------------------------------------

void TFVorla::ApplyAndCalculate() {
  session_->Compile(DocumentFromControls());
  if (ReportCompileError()) return;
  const ViewBounds range = session_->RangeBounds();
  SetView(pb->Scale(), range);
  CalculateRegion({});
  for (QComboBox* combo : {ComboBox1, panel_->txtZmin, panel_->txtZmax}) {
    const QString text = combo->currentText();
    if (combo->findText(text, Qt::MatchFixedString | Qt::MatchCaseSensitive) < 0) {
      combo->insertItem(0, text);
      combo->setEditText(text);
    }
  }
}

// True when it reported a failing expression (the last in the order Func,
// Zmax, Zmin, Xmax, Xmin, Ymax, Ymin) and the caller must stop; silent and
// false while starting, when the calculation goes on and a failed Func
// paints the background colour.
bool TFVorla::ReportCompileError() {
  const std::string message = session_->CompileErrors();
  if (message.empty() || starting_) return false;
  AppMessageBox(this, FromCore(message), QMessageBox::Warning);
  return true;
}

void TFVorla::CalculateRegion(const PixelRect& rect) {
  if (loading_) return;
  if (ReportCompileError()) return;
  if (picture_.Width() != pb->width() || picture_.Height() != pb->height())
    picture_.Resize(pb->width(), pb->height(), 8);
  if (picture_.Empty()) return;
  paletteOffset_ = 128;
  ShowStatus(QString::fromLatin1(kCalculating));
  status_->repaint();
  progreso->SetPercent(0);
  IndexSettings settings;
  settings.gradient = panel_->chkGradiente->isChecked();
  settings.wrapBelow = panel_->chkBucleMin->isChecked();
  settings.wrapAbove = panel_->chkBucleMax->isChecked();
  settings.filterBelow = btnFilMin->isChecked();
  settings.filterAbove = btnFilMax->isChecked();
  settings.filterMin = filMin_;
  settings.filterMax = filMax_;
  const bool whole = rect.top == rect.bottom;
  if (whole) ReleaseRangeFields();
  const PictureStats& stats = session_->Calculate(picture_, rect, BoundsOf(pb->Scale()), settings,
                                                  [this](int percent) { progreso->SetPercent(percent); });
  ++calculationCount_;
  RefreshPalette(picture_, GradEdit1->Table().Palette());
  modified_ = true;
  if (whole) PushUndo();
  panel_->lblZmax->setText(QStringLiteral("Máximo: ") + QString::fromStdString(FormatG(stats.shownMax, 6)));
  panel_->lblZmin->setText(QStringLiteral("Mínimo: ") + QString::fromStdString(FormatG(stats.shownMin, 6)));
  if (stats.milliseconds > 0) ShowStatus(FromCore(stats.infoText));
  pb->ShowPicture(picture_);
}

void TFVorla::pbMouseMove(QPoint pos) {
  const ViewScale& scale = pb->Scale();
  const Probe probe = session_->ProbeAt(scale.PixelToScaleX(pos.x()), scale.PixelToScaleY(pos.y()));
  valueUnderMouse_ = probe.hasError ? std::optional<float>() : probe.f;
  ShowStatus(FromCore(MouseReadout(probe)));
}

void TFVorla::GradEdit1ColorIndex(int index) {
  const Probe probe = session_->ProbeAt(0, 0);
  const double z = LevelValue(probe.zmin, probe.zmax, index);
  ShowStatus(FromCore(GradientReadout(z, probe.zmin, probe.zmax)));
}

void TFVorla::tbInformacionClick() {
  const PictureStats& stats = session_->LastStats();
  FMemo->ShowReport(InfoReportLines(stats.infoText, stats.errorCounts));
}

// The three expression combos take the text back only on OK; a range field
// takes it whenever it differs, however the editor was closed. Each edit
// gets an editor of its own, so the report window may stay open beside it.
void TFVorla::OpenMemoEditor(QLineEdit* edit) {
  QComboBox* combo = qobject_cast<QComboBox*>(edit->parentWidget());
  QWidget* field = combo != nullptr ? static_cast<QWidget*>(combo) : edit;
  TFMemo editor(this);
  editor.PrepareEdit(field->toolTip(), HelpContextOf(field), edit->text());
  const bool accepted = editor.exec() == QDialog::Accepted;
  const QString text = editor.Text();
  if (combo != nullptr ? !accepted : text == edit->text()) return;
  edit->setText(text);
  ApplyAndCalculate();
}

}  // namespace vorla
