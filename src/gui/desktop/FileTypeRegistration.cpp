#include "gui/desktop/FileTypeRegistration.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSaveFile>
#include <QStandardPaths>

namespace vorla {
namespace {

QString MimeTypeName(const QString& typeKey) { return QStringLiteral("application/x-") + typeKey.toLower(); }

bool WriteIfChanged(const QString& path, const QByteArray& text) {
  QFile current(path);
  if (current.open(QIODevice::ReadOnly) && current.readAll() == text) return false;
  current.close();
  if (!QDir().mkpath(QFileInfo(path).absolutePath())) return false;
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return false;
  file.write(text);
  return file.commit();
}

QString XmlEscaped(const QString& text) { return text.toHtmlEscaped(); }

// Desktop entry values: a program path with blanks must be quoted, and inside
// quotes the characters '"', '`', '$' and '\' are escaped.
QString DesktopExecQuoted(const QString& path) {
  QString quoted;
  for (QChar c : path) {
    if (c == u'"' || c == u'`' || c == u'$' || c == u'\\') quoted += u'\\';
    quoted += c;
  }
  return u'"' + quoted + u'"';
}

}  // namespace

bool RegisterFileType(const QString& extension, const QString& typeKey, const QString& description,
                      const QString& programPath, const QString& dataDir) {
  const QString mime = MimeTypeName(typeKey);
  const QString mimeXml = QStringLiteral(
                              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                              "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
                              "  <mime-type type=\"%1\">\n"
                              "    <comment>%2</comment>\n"
                              "    <glob pattern=\"*.%3\"/>\n"
                              "  </mime-type>\n"
                              "</mime-info>\n")
                              .arg(mime, XmlEscaped(description), XmlEscaped(extension));
  const QString desktop = QStringLiteral(
                              "[Desktop Entry]\n"
                              "Type=Application\n"
                              "Name=Vorlascope\n"
                              "Comment=%1\n"
                              "Exec=%2 %f\n"
                              "MimeType=%3;\n"
                              "NoDisplay=true\n")
                              .arg(description, DesktopExecQuoted(programPath), mime);
  const bool mimeWritten =
      WriteIfChanged(dataDir + QStringLiteral("/mime/packages/") + typeKey + QStringLiteral(".xml"), mimeXml.toUtf8());
  const bool desktopWritten = WriteIfChanged(
      dataDir + QStringLiteral("/applications/vorlascope-") + typeKey + QStringLiteral(".desktop"), desktop.toUtf8());
  return mimeWritten || desktopWritten;
}

void NotifyAssociationsChanged(const QString& dataDir) {
  const QString updateMime = QStandardPaths::findExecutable(QStringLiteral("update-mime-database"));
  if (!updateMime.isEmpty()) QProcess::startDetached(updateMime, {dataDir + QStringLiteral("/mime")});
  const QString updateDesktop = QStandardPaths::findExecutable(QStringLiteral("update-desktop-database"));
  if (!updateDesktop.isEmpty()) QProcess::startDetached(updateDesktop, {dataDir + QStringLiteral("/applications")});
}

}  // namespace vorla
