#pragma once
// The results list: each hit under its caption and, beside it, the line that matched with
// the query's terms marked, so that thousands of hits can be told apart. A search that found
// nothing says so in the list itself.

#include <QListWidget>
#include <QString>

#include <utility>

namespace lumarc {

struct TSearchHit;

class THitList : public QListWidget {
    Q_OBJECT

public:
    // Item data beside the entry number (Qt::UserRole) and the caption (the display text).
    static constexpr int kLineRole = Qt::UserRole + 1;   // QString
    static constexpr int kMarksRole = Qt::UserRole + 2;  // QList<QPoint>: start and length

    explicit THitList(QWidget* parent = nullptr);

    void AddHit(const TSearchHit& hit);
    // Drops every hit and the empty text.
    void ClearHits();

    // Shown in the empty list; nothing when empty.
    const QString& EmptyText() const { return FEmptyText; }
    void SetEmptyText(const QString& text);

    // Where the matched line's column begins, in the viewport.
    int LineColumn() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString FEmptyText;
    int FWidestCaption = 0;
};

}  // namespace lumarc
