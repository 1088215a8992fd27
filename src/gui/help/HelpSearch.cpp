#include "gui/help/HelpSearch.h"

#include <QRegularExpression>

#include <algorithm>

namespace vorla {
namespace {

QStringList QueryWords(const QString& query) {
  static const QRegularExpression separators(QStringLiteral("[^\\w]+"));
  return FoldForSearch(query).split(separators, Qt::SkipEmptyParts);
}

// Occurrences of word at the start of a word of text.
int CountWordStarts(const QString& text, const QString& word) {
  int count = 0;
  for (qsizetype at = text.indexOf(word); at >= 0; at = text.indexOf(word, at + 1))
    if (at == 0 || !text[at - 1].isLetterOrNumber()) ++count;
  return count;
}

}  // namespace

QString FoldForSearch(const QString& text) {
  QString folded;
  for (const QChar c : text.normalized(QString::NormalizationForm_D))
    if (c.category() != QChar::Mark_NonSpacing) folded.append(c.toLower());
  return folded;
}

QList<SearchHit> SearchPages(const QList<SearchablePage>& pages, const QString& query) {
  const QStringList words = QueryWords(query);
  QList<SearchHit> hits;
  if (words.isEmpty()) return hits;
  for (const SearchablePage& page : pages) {
    const QString text = FoldForSearch(page.text);
    int total = 0;
    for (const QString& word : words) {
      const int count = CountWordStarts(text, word);
      if (count == 0) {
        total = 0;
        break;
      }
      total += count;
    }
    if (total > 0) hits.append({page.file, page.title, total});
  }
  std::stable_sort(hits.begin(), hits.end(), [](const SearchHit& a, const SearchHit& b) { return a.count > b.count; });
  return hits;
}

}  // namespace vorla
