#pragma once
// Found text, shown: every place of the searched terms in the views that show the entry is
// marked, the first is scrolled into view, and F3 and Shift+F3 step from place to place. The
// marks go with the next selection. The views keep their fonts, rows and layout: a mark is
// painted behind or over the text, never into it.

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <utility>
#include <vector>

#include "EntryDisplay.h"

class QLineEdit;
class QPlainTextEdit;
class QWidget;

namespace lumarc {

class TToolDiscMain;
class TMicaTextView;

// Where the terms occur in `text`: start and length, in order, overlapping places joined.
// Without the case rule only a-z and A-Z are taken as the same letter, as the search does.
QList<std::pair<int, int>> FindTerms(const QString& text, const QStringList& terms, bool caseSensitive);

class TTermMarks : public QObject {
    Q_OBJECT

public:
    // Marks `pages`, the pages of `main`'s notebook.
    TTermMarks(TToolDiscMain& main, const TEntryPages& pages);
    ~TTermMarks() override;

    // Marks the terms in the shown page and, for a component, in its detail window, and
    // scrolls the first place into view. Returns the number of places on the page.
    int Mark(const QStringList& terms, bool caseSensitive);
    // Marks the same terms again, for views that have been filled anew (the detail window).
    void Refresh();
    void Clear();
    bool Active() const { return !FTerms.isEmpty(); }
    // The entry the marks were made in; -1 without marks.
    int Entry() const { return Active() ? FEntry : -1; }

    // The next or previous place on the page, round; false when there is none.
    bool Next();
    bool Previous();
    int Count() const { return static_cast<int>(FPlaces.size()); }
    int Current() const { return FCurrent; }

protected:
    // Paints the marks of a line edit over its text.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // One place: in a text view (row, start), a memo (block, start) or a field (-1, start).
    struct TPlace {
        QWidget* View;
        int Row;
        int Start;
        int Length;
    };
    void MarkTextView(TMicaTextView& view);
    void MarkMemo(QPlainTextEdit& memo, bool onPage);
    void MarkField(QLineEdit& field);
    void PaintMemo(QPlainTextEdit& memo) const;
    void Go(int index);
    void Unmark();

    TToolDiscMain& FMain;
    TEntryPages FPages;
    QStringList FTerms;
    bool FCaseSensitive = false;
    int FEntry = -1;
    std::vector<TPlace> FPlaces;
    int FCurrent = -1;
    std::vector<QPointer<QWidget>> FMarked;  // every view that carries marks now
    std::vector<std::pair<QLineEdit*, QList<std::pair<int, int>>>> FFieldMarks;
};

}  // namespace lumarc
