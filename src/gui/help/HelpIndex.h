#pragma once
// The manual's index "VORLA.HLP": which page answers a help context or a
// function name, and the order of the contents. Pages live in the folder
// "ayuda" beside the index.
//
// Format, one entry per line ("#" starts a comment line):
//   [Manual]  or  [Funciones]                  the contents section that follows
//   page[#entry] | contexts | keywords | title
// contexts are blank-separated numbers, keywords blank-separated names;
// both may be empty. In [Funciones] an entry without "#" is a group page and
// the entries with "#" after it are its functions.

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace vorla {

struct HelpEntry {
  QString page;  // relative to the pages folder, "trigonometricas.html#sin"
  QString title;
  QList<int> contexts;
  QStringList keywords;
  bool function = false;

  QString File() const { return page.section(QLatin1Char('#'), 0, 0); }
  bool IsGroup() const { return function && !page.contains(QLatin1Char('#')); }
};

class HelpIndex {
 public:
  // An empty index when the text holds no entries; lines that do not have
  // the four fields are skipped.
  static HelpIndex Parse(const QString& text);
  // Reads the index file; nothing when it cannot be read.
  static std::optional<HelpIndex> Load(const QString& indexPath);

  const QList<HelpEntry>& Entries() const { return entries_; }
  // The folder of the pages, with a trailing "/"; set by Load.
  const QString& PagesFolder() const { return pagesFolder_; }

  const HelpEntry* ForContext(int context) const;
  // Letter case is ignored: "HIPOT" finds the entry of "hipot".
  const HelpEntry* ForKeyword(const QString& keyword) const;
  // Every keyword (function and value names) with its entry, sorted without
  // regard to case: the index of names.
  QList<std::pair<QString, const HelpEntry*>> Keywords() const;

 private:
  QList<HelpEntry> entries_;
  QString pagesFolder_;
};

// The folder of the pages for an index file path.
QString PagesFolderOf(const QString& indexPath);

}  // namespace vorla
