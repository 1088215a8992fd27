#include "gui/common/FormUtils.h"

#include <QAbstractButton>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QWidget>

#include <optional>
#include <string>
#include <utility>

#include "core/io/IniFile.h"

namespace vorla {
namespace {

constexpr int kShowNormal = 0;
constexpr int kShowMaximized = 2;

std::string PlacementSection(const QWidget& form) { return "Pos" + form.objectName().toStdString(); }

std::optional<int> ReadInt(const IniFile& ini, const std::string& section, const char* key) {
  const std::optional<std::string> text = ini.ReadString(section, key);
  if (!text) return std::nullopt;
  try {
    std::size_t used = 0;
    const int value = std::stoi(*text, &used);
    if (used != text->size()) return std::nullopt;
    return value;
  } catch (const std::exception&) {
    return std::nullopt;
  }
}

QRect ScreenRect(const QWidget& form) {
  const QScreen* screen = form.screen() != nullptr ? form.screen() : QGuiApplication::primaryScreen();
  return screen != nullptr ? screen->availableGeometry() : QRect();
}

}  // namespace

void SaveFormPlacement(const QWidget& form, const std::filesystem::path& settingsFile) {
  try {
    IniFile ini = IniFile::Read(settingsFile);
    const std::string section = PlacementSection(form);
    const bool normal = !form.isMaximized() && !form.isFullScreen();
    const QRect frame = form.frameGeometry();
    const QRect placement = normal ? QRect(frame.topLeft(), form.size())
                                   : QRect(form.normalGeometry().topLeft(), form.normalGeometry().size());
    ini.WriteString(section, "First", "0");
    ini.WriteString(section, "Show", std::to_string(form.isMaximized() ? kShowMaximized : kShowNormal));
    ini.WriteString(section, "Top", std::to_string(placement.top()));
    ini.WriteString(section, "Left", std::to_string(placement.left()));
    ini.WriteString(section, "Width", std::to_string(placement.width()));
    ini.WriteString(section, "Height", std::to_string(placement.height()));
    ini.Write(settingsFile);
  } catch (const IniFileError&) {
    // Placement is a convenience: a read-only settings file must not stop the program closing.
  }
}

bool RestoreFormPlacement(QWidget& form, const std::filesystem::path& settingsFile, FirstPlacement firstPlacement) {
  IniFile ini;
  try {
    ini = IniFile::Read(settingsFile);
  } catch (const IniFileError&) {
  }
  const std::string section = PlacementSection(form);
  const std::optional<int> first = ReadInt(ini, section, "First");
  if (!first || *first != 0) {
    if (firstPlacement == FirstPlacement::kDesktopCenter) {
      const QRect screen = ScreenRect(form);
      form.move(screen.center() - QPoint(form.width() / 2, form.height() / 2));
    }
    return true;
  }
  const int top = ReadInt(ini, section, "Top").value_or(form.y());
  const int left = ReadInt(ini, section, "Left").value_or(form.x());
  form.move(left, top);
  const int show = ReadInt(ini, section, "Show").value_or(form.isMaximized() ? kShowMaximized : kShowNormal);
  form.resize(ReadInt(ini, section, "Width").value_or(form.width()),
              ReadInt(ini, section, "Height").value_or(form.height()));
  if (show != kShowMaximized) KeepOnScreen(form);
  if (show == kShowMaximized) form.setWindowState(form.windowState() | Qt::WindowMaximized);
  return false;
}

void CloseOnKeys(QWidget& window) {
  for (const QKeySequence& keys : {QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W)})
    QObject::connect(new QShortcut(keys, &window), &QShortcut::activated, &window, &QWidget::close);
}

void KeepOnScreen(QWidget& form) {
  const QRect screen = ScreenRect(form);
  if (screen.isEmpty()) return;
  QPoint pos = form.pos();
  const QSize size = form.frameGeometry().size();
  if (pos.y() < screen.top())
    pos.setY(screen.top());
  else if (pos.y() + size.height() > screen.bottom() + 1)
    pos.setY(screen.bottom() + 1 - size.height());
  if (pos.x() < screen.left())
    pos.setX(screen.left());
  else if (pos.x() + size.width() > screen.right() + 1)
    pos.setX(screen.right() + 1 - size.width());
  form.move(pos);
}

QMessageBox::StandardButton AppMessageBox(QWidget* parent, const QString& text, QMessageBox::Icon icon,
                                          QMessageBox::StandardButtons buttons,
                                          QMessageBox::StandardButton defaultButton) {
  QMessageBox box(icon, QString::fromLatin1(kAppTitle), text, buttons, parent);
  // Spanish whether or not the toolkit's translations are installed.
  const std::pair<QMessageBox::StandardButton, const char*> spanish[] = {
      {QMessageBox::Ok, "Aceptar"}, {QMessageBox::Yes, "Sí"}, {QMessageBox::No, "No"}, {QMessageBox::Cancel, "Cancelar"}};
  for (const auto& [button, caption] : spanish)
    if (QAbstractButton* shown = box.button(button)) shown->setText(QString::fromUtf8(caption));
  if (defaultButton != QMessageBox::NoButton) box.setDefaultButton(defaultButton);
  return static_cast<QMessageBox::StandardButton>(box.exec());
}

CancelAcceptButtons MakeCancelAcceptButtons() {
  CancelAcceptButtons buttons{new QPushButton(QStringLiteral("Cancelar")), new QPushButton(QStringLiteral("Aceptar")),
                              new QHBoxLayout};
  buttons.cancel->setObjectName(QStringLiteral("Button1"));
  buttons.cancel->setAccessibleName(buttons.cancel->text());
  buttons.accept->setObjectName(QStringLiteral("Button2"));
  buttons.accept->setAccessibleName(buttons.accept->text());
  buttons.accept->setDefault(true);
  buttons.row->addStretch(1);
  buttons.row->addWidget(buttons.cancel);
  buttons.row->addWidget(buttons.accept);
  return buttons;
}

}  // namespace vorla
