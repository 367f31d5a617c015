#pragma once
// The results list: each hit under its caption and, beside it, the line that matched with
// the query's terms marked, so that thousands of hits can be told apart. A search that found
// nothing says so in the list itself.

#include <QListWidget>
#include <QString>

#include <deque>
#include <utility>
#include <vector>

#include "SearchThread.h"

namespace lumarc {

class THitList : public QListWidget {
    Q_OBJECT

public:
    explicit THitList(QWidget* parent = nullptr);
    ~THitList() override;

    // Appends the hits in one go: a report may bring thousands, and the window's thread must
    // not wait for them item by item.
    void AddHits(const std::vector<TSearchHit>& hits);
    // The hit of a row; null past the end.
    const TSearchHit* Hit(int row) const;
    // Drops every hit and the empty text.
    void ClearHits();

    // Shown in the empty list; nothing when empty.
    const QString& EmptyText() const { return FEmptyText; }
    void SetEmptyText(const QString& text);

    // Where the matched line's column begins, in the viewport.
    int LineColumn() const;
    // The names of the catalogues of a search of the library: the list then begins with a
    // column "Katalog" that names each hit's. Empty for a search of one catalogue.
    void SetSourceNames(const QStringList& names);
    // Where the caption's column begins: after the catalogue's column, if there is one.
    int CaptionColumn() const;
    QString SourceName(int row) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // Chunked: a search of a library lists half a million hits, and a vector moved them all
    // each time it grew, which held the window up to 20 ms.
    std::deque<TSearchHit> FHits;
    QStringList FSourceNames;
    int FWidestSource = 0;
    QString FEmptyText;
    int FWidestCaption = 0;
    qsizetype FLongestCaption = 0;
};

}  // namespace lumarc
