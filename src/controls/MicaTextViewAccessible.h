#pragma once
// What a screen reader reads of a text view: the text itself, as one read-only multi-line text
// of the rows as drawn, one row per line, with the caret at the start of the row that has the
// focus. The view's accessible name is the caption of the entry it shows.

#include <QAccessibleWidget>

namespace lumarc {

class TMicaTextView;

class TMicaTextViewAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit TMicaTextViewAccessible(TMicaTextView* view);

    // Registers the interface for every text view; safe to call more than once.
    static void Install();

    void* interface_cast(QAccessible::InterfaceType type) override;
    QAccessible::State state() const override;
    QString text(QAccessible::Text kind) const override;

    void selection(int selectionIndex, int* startOffset, int* endOffset) const override;
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override;
    void setCursorPosition(int position) override;
    QString text(int startOffset, int endOffset) const override;
    int characterCount() const override;
    QRect characterRect(int offset) const override;
    int offsetAtPoint(const QPoint& point) const override;
    void scrollToSubstring(int startIndex, int endIndex) override;
    QString attributes(int offset, int* startOffset, int* endOffset) const override;

private:
    TMicaTextView* View() const;
    // The row that holds character `offset` of the whole text.
    int RowOf(int offset) const;
};

}  // namespace lumarc
