#pragma once
// Search by word over the pages of the manual. Letter case and accents are
// ignored, and a word matches the start of a word of the page, so "logar"
// finds "Logaritmo".

#include <QList>
#include <QString>

namespace vorla {

struct SearchablePage {
  QString file;
  QString title;
  QString text;  // plain text
};

struct SearchHit {
  QString file;
  QString title;
  int count = 0;  // matches of all the words together
};

// Pages that hold every word of the query, the most matches first (ties keep
// the order of pages); nothing
// for a query without words.
QList<SearchHit> SearchPages(const QList<SearchablePage>& pages, const QString& query);

// Lower case without accents: "Tangente Hiperbólica" gives "tangente hiperbolica".
QString FoldForSearch(const QString& text);

}  // namespace vorla
