#include "gui/input/frmAutoComp.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QScreen>
#include <QVBoxLayout>

#include <algorithm>

#include "core/expr/Expresion.h"
#include "core/gradient/SystemColors.h"
#include "gui/common/CoreColor.h"
#include "gui/common/CoreText.h"
#include "gui/help/HelpWindow.h"
#include "gui/input/PickerItemDelegate.h"
#include "gui/view/ScrollCredits.h"

namespace vorla {
namespace {

constexpr int kListHeight = 182;
// Desktop colour numbers of the scrolling help strip.
constexpr int kInactiveCaptionText = 19;
constexpr int kDarkShadow3D = 21;
constexpr int kIdlePasses = 4;
constexpr int kIdlePassesAfterKey = 3;

QStringList HelpStripLines() {
  return {QStringLiteral("Para insertar la función seleccionada"),
          QStringLiteral("introduzca cualquier número, símbolo, o "),
          QStringLiteral("presione la tecla <INTRO>. "),
          QString(),
          QStringLiteral("Presionando <F1> obtiene ayuda sobre la función "),
          QString(),
          QStringLiteral("Use <ESC> para  cerrar este cuadro."),
          QString()};
}

// The character a key gives the list, or nothing for keys that only count
// as activity. The arrows stand for two codes of their own.
QChar KeyChar(const QKeyEvent& key) {
  switch (key.key()) {
    case Qt::Key_Left: return QChar(kPickerLeft);
    case Qt::Key_Right: return QChar(kPickerRight);
    case Qt::Key_Return:
    case Qt::Key_Enter: return QChar(u'\r');
    case Qt::Key_Backspace: return QChar(u'\b');
    case Qt::Key_Escape: return QChar(u'\x1b');
    case Qt::Key_Delete: return QChar();
    default: break;
  }
  const QString text = key.text();
  return text.size() == 1 ? text.front() : QChar();
}

bool MovesSelection(int key) {
  switch (key) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Home:
    case Qt::Key_End: return true;
    default: return false;
  }
}

}  // namespace

TfmAutoComp* TfmAutoComp::Shared() {
  static QPointer<TfmAutoComp> shared;
  if (shared == nullptr) {
    shared = new TfmAutoComp;
    connect(shared, &TfmAutoComp::HelpRequested, shared, [](const QString& keyword) {
      QWidget* host = shared->host_;
      HelpWindow::ShowKeyword(keyword, host != nullptr ? host->window() : nullptr);
    });
    connect(qApp, &QCoreApplication::aboutToQuit, qApp, [] { delete shared.data(); });
  }
  return shared;
}

TfmAutoComp::TfmAutoComp(QWidget* parent)
    : QFrame(parent, Qt::Popup), lb_(new QListWidget(this)), scrollCredits1_(new TScrollCredits) {
  setObjectName(QStringLiteral("fmAutoComp"));
  setAccessibleName(QStringLiteral("Selector de funciones"));
  QFont font = this->font();
  font.setPixelSize(11);
  setFont(font);

  lb_->setObjectName(QStringLiteral("lb"));
  lb_->setAccessibleName(QStringLiteral("Funciones, variables y constantes"));
  lb_->setFrameShape(QFrame::NoFrame);
  lb_->setSelectionMode(QAbstractItemView::SingleSelection);
  lb_->setUniformItemSizes(true);
  lb_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  lb_->setItemDelegate(new PickerItemDelegate(lb_));
  QPalette tips = lb_->palette();
  tips.setColor(QPalette::Base, tips.color(QPalette::ToolTipBase));
  tips.setColor(QPalette::Text, tips.color(QPalette::ToolTipText));
  lb_->setPalette(tips);
  lb_->installEventFilter(this);
  connect(lb_, &QListWidget::itemDoubleClicked, this, [this] { Accept('\r'); });

  QFont arial(QStringLiteral("Arial"));
  arial.setPixelSize(11);
  // The help lines go in pairs ("Para insertar la función seleccionada" /
  // "introduzca cualquier número, símbolo, o "): the strip shows two at once.
  const int panelHeight = 2 * QFontMetrics(arial).height() + 2;
  auto* panel1 = new QWidget(this);
  panel1->setObjectName(QStringLiteral("Panel1"));
  panel1->setFixedHeight(panelHeight);
  auto* panelLayout = new QVBoxLayout(panel1);
  panelLayout->setContentsMargins(0, 0, 0, 0);
  panelLayout->addWidget(scrollCredits1_);
  scrollCredits1_->setObjectName(QStringLiteral("ScrollCredits1"));
  scrollCredits1_->setAccessibleName(QStringLiteral("Ayuda del selector de funciones"));
  scrollCredits1_->SetCreditsFont(arial);
  scrollCredits1_->SetCreditsColor(Qt::black);
  scrollCredits1_->SetBackgroundColor(ToQColor(SystemColor(kInactiveCaptionText)));
  scrollCredits1_->SetBorderColor(ToQColor(SystemColor(kDarkShadow3D)));
  scrollCredits1_->SetContinuo(true);
  scrollCredits1_->SetAlignment(CreditAlignment::kCenter);
  scrollCredits1_->SetStep(1);
  scrollCredits1_->SetInterval(80);
  scrollCredits1_->SetCredits(HelpStripLines());
  scrollCredits1_->SetAnimate(true);
  connect(scrollCredits1_, &TScrollCredits::AfterLastCredit, this, &TfmAutoComp::CreditsPassed);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(lb_, 1);
  layout->addWidget(panel1);
  setFixedSize(298, kListHeight + panelHeight);
}

QString TfmAutoComp::SelectedText() const {
  const QListWidgetItem* item = lb_->currentItem();
  return item != nullptr && item->isSelected() ? item->text() : QString();
}

void TfmAutoComp::Open(QLineEdit* host, const TFunctionList& functions, QChar typed) {
  idleCount_ = kIdlePasses;
  if (!typed.isNull()) host->insert(QString(typed));
  Prepare(host, functions);
  show();
  // Each opening shows the help strip from its first line, at the strip's laid-out height.
  scrollCredits1_->SetAnimate(false);
  scrollCredits1_->SetAnimate(true);
  lb_->setFocus();
}

void TfmAutoComp::Prepare(QLineEdit* host, const TFunctionList& functions) {
  host_ = host;
  if (builtFrom_ != &functions || items_.size() != functions.Entries().size()) BuildItems(functions);
  PlaceUnder(host);
  const QString text = host->text();
  const int caret = host->cursorPosition();
  prefix_ = caret > 0 ? text.mid(caret - 1, 1) : QString();
  before_ = text.left(std::max(caret - 1, 0));
  after_ = text.mid(caret);
  caretResult_ = caret;
  lb_->setCurrentRow(-1);
  MatchSelection();
}

void TfmAutoComp::BuildItems(const TFunctionList& functions) {
  items_ = MakePickerItems(functions);
  builtFrom_ = &functions;
  lb_->clear();
  for (const PickerItem& item : items_) {
    auto* row = new QListWidgetItem(FromCore(item.text), lb_);
    row->setData(kPickerCategoryRole, static_cast<int>(item.category));
  }
}

// Under the caret, or above the box when there is no room below.
void TfmAutoComp::PlaceUnder(QLineEdit* host) {
  QWidget* box = qobject_cast<QComboBox*>(host->parentWidget()) != nullptr ? host->parentWidget() : host;
  const QRect caret = host->inputMethodQuery(Qt::ImCursorRectangle).toRect();
  const QPoint boxTop = box->mapToGlobal(QPoint(0, 0));
  const QRect screen = box->screen()->availableGeometry();
  int y = boxTop.y() + box->height();
  if (y + height() > screen.bottom() + 1) y = boxTop.y() - height();
  const int x = std::clamp(host->mapToGlobal(caret.topLeft()).x(), screen.left(),
                           std::max(screen.left(), screen.right() + 1 - width()));
  move(x, y);
}

void TfmAutoComp::MatchSelection() {
  const int match = MatchPrefix(items_, std::max(lb_->currentRow(), 0), ToCore(prefix_));
  lb_->setCurrentRow(match);
  if (match >= 0) lb_->scrollToItem(lb_->item(match), QAbstractItemView::PositionAtTop);
}

void TfmAutoComp::Refresh() {
  MatchSelection();
  caretResult_ = static_cast<int>(before_.size() + prefix_.size());
  if (host_ == nullptr) return;
  host_->setText(before_ + prefix_ + after_);
  host_->setCursorPosition(caretResult_);
}

void TfmAutoComp::TypeChar(QChar typed) {
  const std::string core = ToCore(QString(typed));
  const char c = core.empty() ? '?' : core.front();
  switch (ClassifyPickerKey(c)) {
    case PickerKeyAction::kExtend:
      prefix_ += typed;
      Refresh();
      break;
    case PickerKeyAction::kBackspace:
      prefix_.chop(1);
      lb_->setCurrentRow(0);
      Refresh();
      break;
    case PickerKeyAction::kCancel: {
      Refresh();
      QLineEdit* host = host_;
      hide();
      emit Cancelled(host);
      break;
    }
    case PickerKeyAction::kIgnore:
      Refresh();
      break;
    case PickerKeyAction::kAccept:
      Accept(c);
      break;
  }
}

// With no item selected the typed name stays and the key follows it.
void TfmAutoComp::Accept(char typed) {
  const int row = lb_->currentRow();
  const std::string prefix = ToCore(prefix_);
  const PickerInsertion insertion =
      row >= 0 ? AcceptPicked(PickerTemplate(items_[static_cast<std::size_t>(row)].text), prefix, typed)
               : AcceptUnmatched(prefix, typed);
  prefix_ = FromCore(insertion.text);
  caretResult_ = static_cast<int>(before_.size()) + insertion.caret;
  QLineEdit* host = host_;
  if (host != nullptr) {
    host->setText(before_ + prefix_ + after_);
    emit Inserted(host, static_cast<int>(before_.size()), prefix_);
  }
  hide();
  if (host != nullptr && insertion.passOn != 0) emit PassedOn(host, FromCore(std::string(1, insertion.passOn)).front());
}

void TfmAutoComp::CreditsPassed() {
  if (!isVisible()) return;
  if (--idleCount_ < 1) TypeChar(QChar(u'\x1b'));
}

bool TfmAutoComp::eventFilter(QObject* watched, QEvent* event) {
  if (watched != lb_ || event->type() != QEvent::KeyPress) return QFrame::eventFilter(watched, event);
  const auto* key = static_cast<QKeyEvent*>(event);
  idleCount_ = kIdlePassesAfterKey;
  if (MovesSelection(key->key())) return false;
  if (key->key() == Qt::Key_F1) {
    const QString selected = SelectedText();
    emit HelpRequested(selected.isEmpty() ? prefix_ : FromCore(PickerKeyword(ToCore(selected))));
    return true;
  }
  const QChar typed = KeyChar(*key);
  if (!typed.isNull()) TypeChar(typed);
  return true;
}

// However the picker closes (a key, a double click, a click elsewhere), the
// host keeps its refreshed text and takes the caret.
void TfmAutoComp::hideEvent(QHideEvent* event) {
  QFrame::hideEvent(event);
  if (host_ == nullptr) return;
  host_->deselect();
  host_->setCursorPosition(std::max(caretResult_, 0));
  host_ = nullptr;
}

}  // namespace vorla
