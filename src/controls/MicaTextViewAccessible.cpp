#include "MicaTextViewAccessible.h"

#include <QScrollBar>

#include <algorithm>

#include "MicaTextView.h"

namespace lumarc {

namespace {

QAccessibleInterface* MakeInterface(const QString& key, QObject* object)
{
    if (key == QLatin1String("lumarc::TMicaTextView"))
        return new TMicaTextViewAccessible(static_cast<TMicaTextView*>(object));
    return nullptr;
}

}  // namespace

TMicaTextViewAccessible::TMicaTextViewAccessible(TMicaTextView* view)
    : QAccessibleWidget(view, QAccessible::EditableText)
{
}

void TMicaTextViewAccessible::Install()
{
    static const bool installed = [] {
        QAccessible::installFactory(&MakeInterface);
        return true;
    }();
    (void)installed;
}

TMicaTextView* TMicaTextViewAccessible::View() const
{
    return static_cast<TMicaTextView*>(widget());
}

void* TMicaTextViewAccessible::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::TextInterface)
        return static_cast<QAccessibleTextInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
}

QAccessible::State TMicaTextViewAccessible::state() const
{
    QAccessible::State state = QAccessibleWidget::state();
    state.readOnly = true;
    state.multiLine = true;
    state.editable = false;
    return state;
}

QString TMicaTextViewAccessible::text(QAccessible::Text kind) const
{
    if (kind == QAccessible::Value)
        return View()->AccessibleText();
    return QAccessibleWidget::text(kind);
}

void TMicaTextViewAccessible::selection(int, int* startOffset, int* endOffset) const
{
    *startOffset = *endOffset = 0;
}

int TMicaTextViewAccessible::cursorPosition() const
{
    return View()->RowOffset(View()->Row());
}

void TMicaTextViewAccessible::setCursorPosition(int position)
{
    View()->SetRow(RowOf(position));
}

QString TMicaTextViewAccessible::text(int startOffset, int endOffset) const
{
    const QString& whole = View()->AccessibleText();
    startOffset = std::clamp(startOffset, 0, static_cast<int>(whole.size()));
    endOffset = std::clamp(endOffset < 0 ? static_cast<int>(whole.size()) : endOffset, startOffset,
                           static_cast<int>(whole.size()));
    return whole.mid(startOffset, endOffset - startOffset);
}

int TMicaTextViewAccessible::characterCount() const
{
    return static_cast<int>(View()->AccessibleText().size());
}

int TMicaTextViewAccessible::RowOf(int offset) const
{
    const TMicaTextView* view = View();
    int row = 0;
    while (row + 1 < view->RowCount() && view->RowOffset(row + 1) <= offset)
        ++row;
    return row;
}

QRect TMicaTextViewAccessible::characterRect(int offset) const
{
    const TMicaTextView* view = View();
    const int row = RowOf(offset);
    const QRect cell = view->RowRect(row);
    if (cell.isEmpty())
        return QRect();
    const QFontMetrics metrics(view->GetFont(std::max(0, view->RowFont(row))));
    const QString before = view->ShownText(row).left(offset - view->RowOffset(row));
    const QRect character(cell.left() + TMicaTextView::kTextInset + metrics.horizontalAdvance(before), cell.top(),
                          metrics.averageCharWidth(), cell.height());
    return QRect(view->viewport()->mapToGlobal(character.topLeft()), character.size());
}

int TMicaTextViewAccessible::offsetAtPoint(const QPoint& point) const
{
    const TMicaTextView* view = View();
    const QPoint local = view->viewport()->mapFromGlobal(point);
    for (int row = 0; row < view->RowCount(); ++row) {
        if (view->RowRect(row).contains(local))
            return view->RowOffset(row);
    }
    return -1;
}

void TMicaTextViewAccessible::scrollToSubstring(int startIndex, int)
{
    View()->SetRow(RowOf(startIndex));
}

QString TMicaTextViewAccessible::attributes(int offset, int* startOffset, int* endOffset) const
{
    *startOffset = *endOffset = offset;
    return QString();
}

}  // namespace lumarc
