#include "gui/common/HelpTopics.h"

#include <QFile>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QVariant>
#include <QWidget>

#include "core/io/TextEncoding.h"
#include "core/plot/ProgramFolder.h"
#include "gui/common/CoreText.h"
#include "gui/common/FormUtils.h"

namespace vorla {
namespace {

constexpr char kContextProperty[] = "helpContext";

}  // namespace

HelpTopic FindHelpTopic(const QString& helpText, int context) {
  static const QRegularExpression header(QStringLiteral("^@(\\d+)[ \\t]*(.*)$"), QRegularExpression::MultilineOption);
  HelpTopic first;
  bool haveFirst = false;
  QRegularExpressionMatchIterator it = header.globalMatch(helpText);
  while (it.hasNext()) {
    const QRegularExpressionMatch match = it.next();
    const qsizetype bodyStart = match.capturedEnd() + 1;
    const QRegularExpressionMatch next = header.match(helpText, bodyStart);
    const qsizetype bodyEnd = next.hasMatch() ? next.capturedStart() : helpText.size();
    HelpTopic topic{match.captured(2).trimmed(), helpText.mid(bodyStart, bodyEnd - bodyStart).trimmed()};
    if (match.captured(1).toInt() == context) return topic;
    if (!haveFirst) {
      first = topic;
      haveFirst = true;
    }
  }
  return first;
}

int HelpContextOf(const QWidget* widget) {
  for (; widget != nullptr; widget = widget->parentWidget()) {
    const QVariant context = widget->property(kContextProperty);
    if (context.isValid()) return context.toInt();
  }
  return 1;
}

void SetHelpContext(QWidget& widget, int context) { widget.setProperty(kContextProperty, context); }

void ShowHelpTopic(QWidget* parent, int context) {
  QFile file(QString::fromStdString(HelpFilePath()));
  if (!file.open(QIODevice::ReadOnly)) {
    AppMessageBox(parent, QStringLiteral("No se encuentra el archivo de ayuda ") + file.fileName(),
                  QMessageBox::Warning);
    return;
  }
  const QString text = FromCore(DecodeFileText(file.readAll().toStdString()));
  const HelpTopic topic = FindHelpTopic(text, context);
  // One help window: F1 again shows the new topic in it instead of piling up windows.
  QPlainTextEdit* viewer =
      parent != nullptr ? parent->findChild<QPlainTextEdit*>(QStringLiteral("Ayuda"), Qt::FindDirectChildrenOnly)
                        : nullptr;
  if (viewer == nullptr) {
    viewer = new QPlainTextEdit(parent);
    viewer->setWindowFlags(Qt::Window);
    viewer->setAttribute(Qt::WA_DeleteOnClose);
    viewer->setObjectName(QStringLiteral("Ayuda"));
    viewer->setReadOnly(true);
    viewer->resize(520, 420);
    if (parent != nullptr) viewer->move(parent->window()->geometry().center() - viewer->rect().center());
  }
  viewer->setWindowTitle(QStringLiteral("Ayuda - ") + topic.title);
  viewer->setPlainText(topic.body);
  viewer->show();
  viewer->raise();
  viewer->activateWindow();
}

}  // namespace vorla
