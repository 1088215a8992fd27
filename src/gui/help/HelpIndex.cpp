#include "gui/help/HelpIndex.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace vorla {
namespace {

QStringList Words(const QString& field) { return field.split(QLatin1Char(' '), Qt::SkipEmptyParts); }

}  // namespace

HelpIndex HelpIndex::Parse(const QString& text) {
  HelpIndex index;
  bool inFunctions = false;
  for (QString line : text.split(QLatin1Char('\n'))) {
    line = line.trimmed();
    if (line.isEmpty() || line.startsWith(QLatin1Char('#'))) continue;
    if (line.startsWith(QLatin1Char('['))) {
      inFunctions = line == QLatin1String("[Funciones]");
      continue;
    }
    const QStringList fields = line.split(QLatin1Char('|'));
    if (fields.size() != 4 || fields[0].trimmed().isEmpty()) continue;
    HelpEntry entry;
    entry.page = fields[0].trimmed();
    for (const QString& number : Words(fields[1].trimmed())) entry.contexts.append(number.toInt());
    entry.keywords = Words(fields[2].trimmed());
    entry.title = fields[3].trimmed();
    entry.function = inFunctions;
    index.entries_.append(entry);
  }
  return index;
}

std::optional<HelpIndex> HelpIndex::Load(const QString& indexPath) {
  QFile file(indexPath);
  if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
  HelpIndex index = Parse(QString::fromUtf8(file.readAll()));
  index.pagesFolder_ = PagesFolderOf(indexPath);
  return index;
}

const HelpEntry* HelpIndex::ForContext(int context) const {
  for (const HelpEntry& entry : entries_)
    if (entry.contexts.contains(context)) return &entry;
  return nullptr;
}

const HelpEntry* HelpIndex::ForKeyword(const QString& keyword) const {
  for (const HelpEntry& entry : entries_)
    if (entry.keywords.contains(keyword, Qt::CaseInsensitive)) return &entry;
  return nullptr;
}

QList<std::pair<QString, const HelpEntry*>> HelpIndex::Keywords() const {
  QList<std::pair<QString, const HelpEntry*>> names;
  for (const HelpEntry& entry : entries_)
    for (const QString& keyword : entry.keywords) names.append({keyword, &entry});
  std::stable_sort(names.begin(), names.end(), [](const auto& a, const auto& b) {
    return QString::compare(a.first, b.first, Qt::CaseInsensitive) < 0;
  });
  return names;
}

QString PagesFolderOf(const QString& indexPath) {
  return QFileInfo(indexPath).absoluteDir().filePath(QStringLiteral("ayuda")) + QLatin1Char('/');
}

}  // namespace vorla
