#include "gui/plot/fmVorla.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QFileInfo>
#include <QMimeData>
#include <QShortcut>
#include <QStandardPaths>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QUrl>

#include <cmath>
#include <utility>
#include <new>

#include "core/gradient/GradTable.h"
#include "core/io/NumberText.h"
#include "core/plot/IndexedPicture.h"
#include "core/plot/ProgramFolder.h"
#include "gui/common/CoreColor.h"
#include "gui/common/CoreText.h"
#include "gui/common/FocusFrame.h"
#include "gui/common/FormUtils.h"
#include "gui/common/HelpTopics.h"
#include "gui/common/ToolButtons.h"
#include "gui/desktop/DropFiles.h"
#include "gui/desktop/FileTypeRegistration.h"
#include "gui/desktop/pvUrl.h"
#include "gui/export/frmExportar.h"
#include "gui/gradient/GradEditM.h"
#include "gui/gradient/GradientLibraryBox.h"
#include "gui/gradient/frmAjusCol.h"
#include "gui/help/HelpContext.h"
#include "gui/help/HelpWindow.h"
#include "gui/input/frmMemo.h"
#include "gui/mosaic/frmMozaico.h"
#include "gui/plot/AboutText.h"
#include "gui/plot/CalculationRunner.h"
#include "gui/plot/DocumentBinder.h"
#include "gui/plot/FormulaSpy.h"
#include "gui/plot/MainToolBar.h"
#include "gui/plot/PaletteAnimation.h"
#include "gui/plot/ProgressBox.h"
#include "gui/plot/PropertiesPanel.h"
#include "gui/plot/TypingCalculation.h"
#include "gui/view/AreaFondo.h"
#include "gui/view/PaintBoxM.h"
#include "gui/view/frmNatural.h"

namespace vorla {
namespace {

constexpr char kPictureHint[] =
    "Click Izquierdo: Centrar\r\nClick Derecho: Alejar\r\nArrastrar Izquierdo: Zoom\r\nArrastrar Derecho: Mover";
constexpr char kDefaultStatus[] = "Listo";
// Entries 0..3 hold the picture's fixed colours; the gradient runs from here
// to 255.
constexpr std::uint8_t kFirstGradientEntry = 4;

}  // namespace

TFVorla::TFVorla(QWidget* parent, std::filesystem::path filesFolder, QString documentToOpen)
    : QMainWindow(parent),
      filesFolder_(filesFolder.empty() ? std::filesystem::path(SettingsFolder()) : std::move(filesFolder)),
      documentToOpen_(std::move(documentToOpen)) {
  setObjectName(QStringLiteral("FVorla"));
  InitGuiResources();
  resize(627, 495);
  setAcceptDrops(false);

  gradientEditor_ = new TGradEditM;
  gradientEditor_->setObjectName(QStringLiteral("GradEdit1"));
  ApplyHint(*gradientEditor_,
            QStringLiteral("Editor de gradiente: Permite mover, agregar, eliminar nodos y rotar el gradiente"));
  gradientLibrary_ = new TGradientLibraryBox(gradientEditor_, (filesFolder_ / "vorla.gra").string());
  QWidget* functionSphere = nullptr;
  QWidget* zminSphere = nullptr;
  QWidget* zmaxSphere = nullptr;
  BuildSpy(functionSphere, zminSphere, zmaxSphere);
  panel_ = new PropertiesPanel({gradientEditor_, gradientLibrary_, zminSphere, zmaxSphere});
  BuildPictureArea();
  toolBar_ = new MainToolBar(functionSphere, this);
  addToolBar(Qt::TopToolBarArea, toolBar_);
  // The scale bounds are children of the function and share its names.
  toolBar_->SetFunctionList(&session_.Functions(PlotExpressions::kFunc));
  panel_->SetScaleFunctionList(&session_.Functions(PlotExpressions::kZmin));
  ChainTabOrder();
  BuildStatusBar();
  report_ = new TFMemo(this);

  runner_ = new CalculationRunner(this);
  connect(runner_, &CalculationRunner::progressed, this, &TFVorla::CalculationProgressed);
  connect(runner_, &CalculationRunner::finished, this, &TFVorla::CalculationFinished);
  animation_ = new PaletteAnimation(picture_, [this] { return toolBar_->Speed(); }, this);
  documents_ = new DocumentCommands(this, *this, filesFolder_);
  binder_ = std::make_unique<DocumentBinder>(*toolBar_, *panel_, gradientEditor_->Table(), *animation_, filters_,
                                             session_);
  session_.OnChange = [this] {
    if (!compilingTypedTexts_) documents_->SetModified(true);
    spy_->ForgetPictures();
  };
  documents_->ClearUndo();
  setWindowTitle(QString::fromLatin1(kVersionTitle));
  gradientEditor_->Table().SetStartCol(kFirstGradientEntry);
  ShowDocument(PlotDocument::StartUp());
  CreateDialogs();
  ConnectControls();
  SetHelpContext(*this, static_cast<int>(HelpContext::kMain));
  RegisterDocumentTypeAfterFirstRun();
  animation_->SetRunning(true);
  connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock, this, &TFVorla::IdleUpdate);
  ApplyAndCalculate();
  documents_->SetModified(false);
}

// The runner, a child, stops the job in flight and joins its worker.
TFVorla::~TFVorla() = default;

// Tab goes through the window as it reads: the tool bar, the picture, the
// panel top to bottom.
void TFVorla::ChainTabOrder() {
  QList<QWidget*> chain;
  for (QAction* action : toolBar_->actions())
    if (QWidget* widget = toolBar_->widgetForAction(action)) chain.append(widget);
  chain.append(pictureBox_);
  chain.append(panel_->TabOrder());
  for (qsizetype i = 1; i < chain.size(); ++i) QWidget::setTabOrder(chain[i - 1], chain[i]);
}

void TFVorla::BuildPictureArea() {
  pictureBox_ = new TPaintBoxM;
  pictureBox_->setObjectName(QStringLiteral("pb"));
  pictureBox_->SetDrawRectRight(false);
  pictureBox_->Scale().SetKeepScaleAspect(true);
  ApplyHint(*pictureBox_, QString::fromLatin1(kPictureHint).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
  // The hint lists the mouse actions; a screen reader names the control.
  pictureBox_->setAccessibleName(QStringLiteral("Imagen"));
  pictureBox_->setAccessibleDescription(pictureBox_->toolTip());
  AddFocusFrame(*pictureBox_);

  auto* central = new QWidget(this);
  auto* row = new QHBoxLayout(central);
  row->setContentsMargins(0, 0, 0, 0);
  row->setSpacing(0);
  row->addWidget(pictureBox_, 1);
  row->addWidget(panel_);
  setCentralWidget(central);
}

void TFVorla::BuildSpy(QWidget*& functionSphere, QWidget*& zminSphere, QWidget*& zmaxSphere) {
  spy_ = new FormulaSpy(*new TfmNatural(this), this);
  const std::tuple<QWidget*&, const char*, const char*, PlotExpressions::Field> spheres[] = {
      {functionSphere, "AreaFondo1", "Espiar función principal", PlotExpressions::kFunc},
      {zminSphere, "AreaFondo2", "Espiar rango mínimo de Z", PlotExpressions::kZmin},
      {zmaxSphere, "AreaFondo3", "Espiar rango máximo de Z", PlotExpressions::kZmax}};
  for (const auto& [sphere, name, hint, expression] : spheres) {
    TAreaFondo* made = MakeSpySphere(this, name, QString::fromUtf8(hint));
    spy_->Watch(made, session_.Expression(expression));
    sphere = made;
  }
}

void TFVorla::BuildStatusBar() {
  status_ = new ElidedLabel(QString::fromLatin1(kDefaultStatus));
  status_->setObjectName(QStringLiteral("status"));
  status_->setCursor(Qt::PointingHandCursor);
  status_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  status_->installEventFilter(this);
  progressBox_ = new ProgressBox;
  statusBar()->addWidget(status_, 1);
  statusBar()->addPermanentWidget(progressBox_);
  statusBar()->setSizeGripEnabled(true);
}

// The first run only notes the placement; from the second on, documents
// open with the program. An install brings its own desktop entry and MIME
// type, so only a program run from its own folder registers itself.
void TFVorla::RegisterDocumentTypeAfterFirstRun() {
  if (RestoreFormPlacement(*this, filesFolder_ / "vorla.ini", FirstPlacement::kDesktopCenter)) return;
  if (InstalledProgram()) return;
  const QString dataDir = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
  if (RegisterFileType(QStringLiteral("vlx"), QStringLiteral("VorlaArch"), QStringLiteral("Archivo de Vorlascope"),
                       QCoreApplication::applicationFilePath(), dataDir))
    NotifyAssociationsChanged(dataDir);
}

void TFVorla::ConnectControls() {
  connect(toolBar_, &MainToolBar::commandClicked, this, &TFVorla::RunCommand);
  connect(toolBar_, &MainToolBar::animationClicked, this, &TFVorla::ToggleAnimation);
  connect(toolBar_, &MainToolBar::filterToggled, this, &TFVorla::FilterToggled);
  connect(toolBar_, &MainToolBar::propertiesToggled, panel_, &QWidget::setVisible);
  connect(toolBar_, &MainToolBar::applyRequested, this, &TFVorla::ApplyAndCalculate);
  connect(toolBar_, &MainToolBar::functionEditRequested, this,
          [this] { OpenMultiLineEditor(ExpressionField::kFunc); });
  connect(animation_, &PaletteAnimation::pictureShifted, this, [this] { pictureBox_->ShowPicture(picture_); });
  connect(animation_, &PaletteAnimation::pictureShifted, fmMozaico, &TfmMozaico::StepAnimation);

  connect(gradientEditor_, &TGradEditM::changed, this, &TFVorla::GradientChanged);
  connect(gradientEditor_, &TGradEditM::editEnded, documents_, &DocumentCommands::PushUndo);
  connect(gradientEditor_, &TGradEditM::colorIndexHovered, this, [this](int index) { ShowGradientReadout(index); });

  connect(panel_, &PropertiesPanel::gradientSwitched, this, &TFVorla::CalculatePicture);
  connect(panel_, &PropertiesPanel::wrapSwitched, this, &TFVorla::CalculatePicture);
  connect(panel_, &PropertiesPanel::fixedColorClicked, this, &TFVorla::ChooseFixedColor);
  connect(panel_, &PropertiesPanel::viewCommandClicked, this, &TFVorla::RunViewCommand);
  connect(panel_, &PropertiesPanel::axesToggled, pictureBox_, &TPaintBoxM::SetShowAxes);
  connect(panel_, &PropertiesPanel::applyRequested, this, &TFVorla::ApplyAndCalculate);
  connect(panel_, &PropertiesPanel::multiLineEditRequested, this, &TFVorla::OpenMultiLineEditor);
  connect(documents_, &DocumentCommands::currentFileChanged, this, &TFVorla::UpdateCaption);

  // The window sees these keys first, whichever control has the focus.
  cancelKey_ = new QShortcut(QKeySequence(Qt::Key_Escape), this);
  cancelKey_->setEnabled(Calculating());
  connect(cancelKey_, &QShortcut::activated, this, &TFVorla::CancelCalculation);
  // Also in the mosaic, a tool window of this one, which may hold no focus.
  auto* help = new QShortcut(QKeySequence(Qt::Key_F1), this);
  connect(help, &QShortcut::activated, this, [this] {
    QWidget* focus = QApplication::focusWidget();
    HelpWindow::ShowContext(HelpContextOf(focus != nullptr ? focus : QApplication::activeWindow()), this);
  });
  connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q), this), &QShortcut::activated, this, &QWidget::close);
  auto* smooth = new QShortcut(QKeySequence(Qt::SHIFT | Qt::ALT | Qt::Key_F12), this);
  connect(smooth, &QShortcut::activated, this, [this] {
    SmoothPicture(picture_);
    pictureBox_->ShowPicture(picture_);
  });
  ConnectPaintBox();

  typing_ = new TypingCalculation(filesFolder_ / "vorla.ini", this);
  toolBar_->SetTypingCalculation(typing_->On());
  connect(toolBar_, &MainToolBar::typingCalculationToggled, typing_, &TypingCalculation::SetOn);
  connect(toolBar_, &MainToolBar::functionTextChanged, typing_, &TypingCalculation::TextChanged);
  connect(panel_, &PropertiesPanel::scaleTextChanged, typing_, &TypingCalculation::TextChanged);
  // A newer text makes the preview in flight pointless.
  connect(typing_, &TypingCalculation::textChangedWhileOn, this, &TFVorla::DropTypingPreview);
  connect(typing_, &TypingCalculation::pauseEnded, this, &TFVorla::CalculateWhileTyping);
}

void TFVorla::RunCommand(ToolCommand command) {
  switch (command) {
    case ToolCommand::kOpen: documents_->OpenWithDialog(); break;
    case ToolCommand::kSave: documents_->SaveWithDialog(); break;
    case ToolCommand::kUndo: documents_->Undo(); break;
    case ToolCommand::kInformation: ShowInformation(); break;
    case ToolCommand::kHelp: HelpWindow::ShowContext(static_cast<int>(HelpContext::kMain), this); break;
    case ToolCommand::kExport: fmExportar->Execute({}, false); break;
    case ToolCommand::kCopy: fmExportar->Execute({}, true); break;
    case ToolCommand::kMosaic:
      fmMozaico->show();
      fmMozaico->raise();
      break;
    case ToolCommand::kAdjustColors: fmAjusCol->exec(); break;
  }
}

// The status bar holds one line: a taller one would shrink the picture area
// and recalculate it.
void TFVorla::ShowStatus(const QString& text) {
  QString line = text;
  line.replace(QStringLiteral("\r\n"), QStringLiteral("  ")).replace(u'\n', QStringLiteral("  "));
  status_->SetLine(line);
}

void TFVorla::UpdateCaption(const QString& fileName) {
  const QString title = QString::fromLatin1(kVersionTitle);
  setWindowTitle(fileName.isEmpty() ? title : title + QStringLiteral(" - ") + QFileInfo(fileName).fileName());
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

bool TFVorla::eventFilter(QObject* watched, QEvent* event) {
  if (watched == status_ && event->type() == QEvent::MouseButtonRelease) {
    TpvlUrl url;
    url.Url = QUrl::fromLocalFile(ManualHomeFile()).toString();
    if (!url.OpenUrl()) AppMessageBox(this, QString::fromUtf8(kBrowserFailedText), QMessageBox::Critical);
    return true;
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
  documents_->SetModified(false);
  documents_->ClearUndo();
  documents_->PushUndo();
  if (!documentToOpen_.isEmpty()) LoadDocument(documentToOpen_);
  starting_ = false;
  // On the picture being calculated, or on the one already there.
  aboutPending_ = true;
  if (!Calculating()) {
    DrawAboutText(picture_, AboutText(), pictureBox_->devicePixelRatio());
    pictureBox_->ShowPicture(picture_);
    aboutPending_ = false;
  }
  setAcceptDrops(true);
}

void TFVorla::closeEvent(QCloseEvent* event) {
  if (!documents_->QuerySave()) {
    event->ignore();
    return;
  }
  animation_->SetRunning(false);
  setAcceptDrops(false);
  SaveFormPlacement(*this, filesFolder_ / "vorla.ini");
  AppMessageBox(this, AboutText() + QStringLiteral("\n\nGracias por usar Vorlascope."), QMessageBox::NoIcon);
  documents_->ClearUndo();
  event->accept();
}

// ---- Documents -------------------------------------------------------------------

void TFVorla::LoadDocument(const QString& fileName, const QString& section) {
  starting_ = false;
  documents_->Load(fileName, section);
}

void TFVorla::ShowDocument(const PlotDocument& document) {
  if (const std::optional<std::string> refused = binder_->Show(document))
    AppMessageBox(this, FromCore(*refused), QMessageBox::Warning);
}

// The entry holds the view just calculated, not the range texts of the one
// before it: otherwise one undo after a mouse zoom would skip a view.
PlotDocument TFVorla::CurrentDocument() {
  WriteViewToRangeFields();
  return binder_->Read();
}

float TFVorla::PictureAspect() const {
  return pictureBox_->width() > 0 ? static_cast<float>(pictureBox_->height()) / static_cast<float>(pictureBox_->width()) : 1.0f;
}

void TFVorla::ShowLoaded(LoadedDocument& loaded) {
  loading_ = true;
  ShowDocument(loaded.document);
  if (session_.CorrectAspect(loaded.document, loaded.aspect, PictureAspect())) binder_->ShowXRange(loaded.document);
  loading_ = false;
}

// The command that replaced the document decides whether it is modified.
void TFVorla::CalculateReplaced() {
  documents_->SetModified(true);
  replacing_ = true;
  ApplyAndCalculate();
  replacing_ = false;
  gradientLibrary_->ClearText();
}

QImage TFVorla::Picture() const { return pictureBox_->Picture(); }

// ---- Idle update ---------------------------------------------------------------

void TFVorla::IdleUpdate() {
  WriteViewToRangeFields();
  toolBar_->SetCommandEnabled(ToolCommand::kUndo, documents_->CanUndo());
  toolBar_->ShowAnimating(animation_->Running());
  const TGradTable& table = gradientEditor_->Table();
  std::array<QColor, 4> fixed;
  for (std::uint8_t entry = 0; entry < fixed.size(); ++entry) fixed[entry] = ToQColor(table.Colors(entry));
  panel_->ShowFixedColors(fixed);
}

}  // namespace vorla
