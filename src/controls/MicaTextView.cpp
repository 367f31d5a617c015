#include "MicaTextView.h"

#include <QAccessible>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionFocusRect>

#include <algorithm>
#include <memory>
#include <utility>

#include "MicaTextViewAccessible.h"
#include "print/LineOutput.h"
#include "print/core/FontTag.h"
#include "widgets/AnsiText.h"

namespace lumarc {

namespace {

constexpr int kDrawFlags =
    Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine | Qt::TextExpandTabs | Qt::TextShowMnemonic;

const char* const SFontIndexError = "Index Außerhalb des gültigen Bereiches";

// What drawing with Qt::TextShowMnemonic shows of a text.
QString WithoutMnemonics(const QString& text)
{
    QString shown;
    shown.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('&') && ++i >= text.size())
            break;
        shown += text[i];
    }
    return shown;
}

}  // namespace

TMicaTextView::TMicaTextView(QWidget* parent) : QAbstractScrollArea(parent)
{
    FFonts.emplace_back(QStringLiteral("Arial"), 8);
    FFonts.emplace_back(QStringLiteral("Times New Roman"), 18, QFont::Bold);
    Lines.Add("<F1>Header");
    Lines.Add("<F0>Normal");

    QPalette pal = palette();
    pal.setColor(QPalette::Base, Qt::white);
    setPalette(pal);
    viewport()->setBackgroundRole(QPalette::Base);
    viewport()->setAutoFillBackground(true);
    setFocusPolicy(Qt::StrongFocus);
    horizontalScrollBar()->setSingleStep(kHorzLineStep);
    verticalScrollBar()->setSingleStep(1);
    resize(100, 130);
    TMicaTextViewAccessible::Install();
    LayoutRows();
}

TMicaTextView::~TMicaTextView() = default;

QFont& TMicaTextView::GetFont(int index)
{
    CheckFontIndex(index);
    return FFonts[static_cast<size_t>(index)];
}

const QFont& TMicaTextView::GetFont(int index) const
{
    CheckFontIndex(index);
    return FFonts[static_cast<size_t>(index)];
}

void TMicaTextView::CheckFontIndex(int index) const
{
    if (index < 0 || index >= static_cast<int>(FFonts.size()))
        throw MicaTextViewError(SFontIndexError);
}

int TMicaTextView::AddFont()
{
    QFont font;
    font.setPointSize(kDefaultFontSize);
    FFonts.push_back(font);
    return static_cast<int>(FFonts.size()) - 1;
}

const QFont* TMicaTextView::FontForDrawing(int index) const
{
    if (index < 0 || index >= static_cast<int>(FFonts.size()))
        return nullptr;
    return &FFonts[static_cast<size_t>(index)];
}

void TMicaTextView::SetRowCount(int count)
{
    const auto rows = static_cast<size_t>(std::max(1, count));
    FRowHeights.resize(rows, kDefaultRowHeight);
    FRowFonts.resize(rows, -1);
    FRow = std::min(FRow, static_cast<int>(rows) - 1);
    UpdateScrollBars();
}

void TMicaTextView::LayoutRows()
{
    ActualFont = 0;
    FMarks.clear();
    FCurrentMark = -1;
    // A shorter text after a wide one must not keep the wide one's column and its scroll bar.
    ++FLayoutCount;
    FDefaultColWidth = FBaseColWidth;
    SetRowCount(Lines.Count());
    std::fill(FRowFonts.begin(), FRowFonts.end(), -1);
    UpdateAccessibleText();

    // The row count and heights have changed whether or not a tag raises below.
    struct TRefresh {
        TMicaTextView& View;
        ~TRefresh()
        {
            View.UpdateScrollBars();
            View.viewport()->update();
        }
    } refresh{*this};

    for (int i = 0; i < Lines.Count(); ++i) {
        const int tag = FontTagOf(Lines[i]);
        if (tag >= 0)
            ActualFont = tag;
        else if (UseStandardFont)
            ActualFont = 0;
        FRowFonts[static_cast<size_t>(i)] = ActualFont;
        const QFontMetrics metrics(GetFont(ActualFont), viewport());
        FRowHeights[static_cast<size_t>(i)] = metrics.height();
    }
    UpdateScrollBars();
    SetRow(0);
    horizontalScrollBar()->setValue(0);
    verticalScrollBar()->setValue(0);
}

void TMicaTextView::Clear()
{
    FMarks.clear();
    FCurrentMark = -1;
    std::fill(FRowFonts.begin(), FRowFonts.end(), -1);
    Lines.Clear();
    // A new text usually follows at once; the reader then hears of one change, not two.
    QMetaObject::invokeMethod(
        this,
        [this, layouts = FLayoutCount] {
            if (FLayoutCount == layouts)
                UpdateAccessibleText();
        },
        Qt::QueuedConnection);
    viewport()->update();
}

QStringList TMicaTextView::PlainLines() const
{
    QStringList result;
    result.reserve(Lines.Count());
    for (const std::string& line : Lines.Strings())
        result.append(FromAnsi(StripFontTag(line)));
    return result;
}

QFont TMicaTextView::PrintFont()
{
    return QFont(QStringLiteral("Arial"), kDefaultFontSize);
}

void TMicaTextView::PrintText()
{
    PrintLineList(PlainLines(), PrintFont());
}

void TMicaTextView::CopyText()
{
    CopyLineList(PlainLines());
}

void TMicaTextView::PrintLineList(const QStringList& lines, const QFont& font)
{
    PrintLines(lines, font);
}

void TMicaTextView::CopyLineList(const QStringList& lines)
{
    CopyLinesToClipboard(lines);
}

void TMicaTextView::ShowInfoText(TStringList lines)
{
    Clear();
    Lines = std::move(lines);
    SetRowCount(Lines.Count());
    LayoutRows();
    setVisible(true);
    viewport()->update();
}

void TMicaTextView::SetDefaultColWidth(int width)
{
    FBaseColWidth = width;
    SetColWidth(width);
}

void TMicaTextView::SetColWidth(int width)
{
    FDefaultColWidth = width;
    UpdateScrollBars();
    viewport()->update();
}

void TMicaTextView::WidenColumn(int width)
{
    // Several rows of one painting may each ask; a narrower request handled after a wider
    // one must not take the column back.
    if (width > FDefaultColWidth)
        SetColWidth(width);
}

QColor TMicaTextView::MarkColour()
{
    return QColor(255, 230, 80);
}

QColor TMicaTextView::CurrentMarkColour()
{
    return QColor(255, 150, 50);
}

QString TMicaTextView::ShownText(int row) const
{
    if (row < 0 || row >= Lines.Count())
        return QString();
    return WithoutMnemonics(FromAnsi(StripFontTag(Lines[row])));
}

void TMicaTextView::SetMarks(std::vector<TMark> marks, int current)
{
    FMarks = std::move(marks);
    FCurrentMark = current;
    viewport()->update();
}

void TMicaTextView::ShowMark(int index)
{
    if (index < 0 || index >= static_cast<int>(FMarks.size()))
        return;
    FCurrentMark = index;
    const TMark& mark = FMarks[static_cast<size_t>(index)];
    if (mark.Row < RowCount()) {
        ScrollRowIntoView(mark.Row);
        const QFont* font = FontForDrawing(RowFont(mark.Row));
        const QFontMetrics metrics(font ? *font : this->font(), viewport());
        const QString shown = ShownText(mark.Row);
        const int left =
            kTextInset + metrics.size(Qt::TextSingleLine | Qt::TextExpandTabs, shown.left(mark.Start)).width();
        const int right = left + metrics.horizontalAdvance(shown.mid(mark.Start, mark.Length));
        QScrollBar* bar = horizontalScrollBar();
        if (left < bar->value() || right > bar->value() + viewport()->width())
            bar->setValue(std::max(0, left - viewport()->width() / 3));
    }
    viewport()->update();
}

int TMicaTextView::RowHeight(int row) const
{
    return row >= 0 && row < RowCount() ? FRowHeights[static_cast<size_t>(row)] : 0;
}

int TMicaTextView::RowFont(int row) const
{
    return row >= 0 && row < RowCount() ? FRowFonts[static_cast<size_t>(row)] : -1;
}

void TMicaTextView::SetRow(int row)
{
    FRow = std::clamp(row, 0, RowCount() - 1);
    ScrollRowIntoView(FRow);
    viewport()->update();
    QAccessibleTextCursorEvent moved(this, RowOffset(FRow));
    QAccessible::updateAccessibility(&moved);
}

void TMicaTextView::UpdateAccessibleText()
{
    QString text;
    FRowOffsets.assign(1, 0);
    for (int row = 0; row < Lines.Count(); ++row) {
        if (row > 0) {
            text += QLatin1Char('\n');
            FRowOffsets.push_back(static_cast<int>(text.size()));
        }
        text += ShownText(row);
    }
    if (text == FAccessibleText)
        return;
    const QString before = std::exchange(FAccessibleText, text);
    QAccessibleTextUpdateEvent changed(this, 0, before, FAccessibleText);
    QAccessible::updateAccessibility(&changed);
}

int TMicaTextView::RowOffset(int row) const
{
    if (row < 0 || FRowOffsets.empty())
        return 0;
    return row < static_cast<int>(FRowOffsets.size()) ? FRowOffsets[static_cast<size_t>(row)]
                                                      : static_cast<int>(FAccessibleText.size());
}

QRect TMicaTextView::RowRect(int row) const
{
    int y = 0;
    for (int shown = TopRow(); shown < RowCount() && y < viewport()->height(); ++shown) {
        const int height = FRowHeights[static_cast<size_t>(shown)];
        if (shown == row)
            return QRect(-LeftOffset(), y, FDefaultColWidth, height);
        y += height;
    }
    return QRect();
}

int TMicaTextView::TopRow() const
{
    return verticalScrollBar()->value();
}

int TMicaTextView::LeftOffset() const
{
    return horizontalScrollBar()->value();
}

void TMicaTextView::UpdateScrollBars()
{
    const int height = viewport()->height();
    int lastTop = RowCount() - 1;
    int below = 0;
    for (int top = RowCount() - 1; top >= 0; --top) {
        below += FRowHeights[static_cast<size_t>(top)];
        if (below > height)
            break;
        lastTop = top;
    }
    verticalScrollBar()->setRange(0, lastTop);
    verticalScrollBar()->setPageStep(std::max(1, RowCount() - lastTop));

    const int width = viewport()->width();
    horizontalScrollBar()->setRange(0, std::max(0, FDefaultColWidth - width));
    horizontalScrollBar()->setPageStep(std::max(1, width));
}

int TMicaTextView::RowAt(int y) const
{
    int top = 0;
    for (int row = TopRow(); row < RowCount(); ++row) {
        top += FRowHeights[static_cast<size_t>(row)];
        if (y < top)
            return row;
    }
    return -1;
}

void TMicaTextView::ScrollRowIntoView(int row)
{
    if (row < TopRow()) {
        verticalScrollBar()->setValue(row);
        return;
    }
    // The lowest top row that still shows `row` whole.
    int top = row;
    int height = FRowHeights[static_cast<size_t>(row)];
    while (top > 0 && height + FRowHeights[static_cast<size_t>(top - 1)] <= viewport()->height()) {
        --top;
        height += FRowHeights[static_cast<size_t>(top)];
    }
    if (TopRow() < top)
        verticalScrollBar()->setValue(top);
}

void TMicaTextView::paintEvent(QPaintEvent* event)
{
    QPainter painter(viewport());
    painter.setFont(font());
    const QRect dirty = event->rect();
    const int bottom = viewport()->height();
    const bool focused = hasFocus();
    int y = 0;
    for (int row = TopRow(); row < RowCount() && y < bottom; ++row) {
        const QRect cell(-LeftOffset(), y, FDefaultColWidth, FRowHeights[static_cast<size_t>(row)]);
        if (cell.intersects(dirty))
            DrawCell(painter, row, cell, focused && row == FRow);
        y += cell.height();
    }
}

void TMicaTextView::DrawMarks(QPainter& painter, int row, const QRect& rect) const
{
    if (FMarks.empty())
        return;
    QString shown;
    const QFontMetrics& metrics = painter.fontMetrics();
    for (size_t i = 0; i < FMarks.size(); ++i) {
        const TMark& mark = FMarks[i];
        if (mark.Row != row)
            continue;
        if (shown.isNull())
            shown = ShownText(row);
        const int left = rect.left() + kTextInset +
                         metrics.size(Qt::TextSingleLine | Qt::TextExpandTabs, shown.left(mark.Start)).width();
        const int width = metrics.horizontalAdvance(shown.mid(mark.Start, mark.Length));
        painter.fillRect(QRect(left, rect.top(), width, rect.height()),
                         static_cast<int>(i) == FCurrentMark ? CurrentMarkColour() : MarkColour());
    }
}

void TMicaTextView::DrawCell(QPainter& painter, int row, const QRect& rect, bool focused)
{
    if (row >= Lines.Count())
        return;
    const QString text = FromAnsi(StripFontTag(Lines[row]));
    if (const QFont* rowFont = FontForDrawing(FRowFonts[static_cast<size_t>(row)]))
        painter.setFont(*rowFont);
    painter.fillRect(rect, palette().color(QPalette::Base));

    const int width = painter.fontMetrics().size(kDrawFlags, text).width();
    if (width > FDefaultColWidth) {
        // Posted, so that the column changes after this painting and not inside it.
        QMetaObject::invokeMethod(
            this,
            [this, width, layout = FLayoutCount] {
                if (layout == FLayoutCount)
                    WidenColumn(width + kColWidthSlack);
            },
            Qt::QueuedConnection);
    }

    painter.save();
    painter.setClipRect(rect, Qt::IntersectClip);
    DrawMarks(painter, row, rect);
    painter.setPen(palette().color(QPalette::Text));
    painter.drawText(rect.adjusted(kTextInset, 0, 0, 0), kDrawFlags, text);
    painter.restore();

    if (focused) {
        QStyleOptionFocusRect option;
        option.initFrom(this);
        option.rect = rect;
        option.backgroundColor = palette().color(QPalette::Base);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
    }
}

void TMicaTextView::keyPressEvent(QKeyEvent* event)
{
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    QScrollBar* horz = horizontalScrollBar();
    int visibleRows = 0;
    for (int row = TopRow(), y = 0; row < RowCount(); ++row) {
        y += FRowHeights[static_cast<size_t>(row)];
        if (y > viewport()->height())
            break;
        ++visibleRows;
    }
    visibleRows = std::max(1, visibleRows);

    switch (event->key()) {
    case Qt::Key_Up:
        SetRow(FRow - 1);
        break;
    case Qt::Key_Down:
        SetRow(FRow + 1);
        break;
    case Qt::Key_PageUp:
        SetRow(FRow - visibleRows);
        break;
    case Qt::Key_PageDown:
        SetRow(FRow + visibleRows);
        break;
    // Home scrolls to the right end and End to the left end, as this view always has.
    case Qt::Key_Home:
        if (ctrl)
            SetRow(0);
        horz->triggerAction(QAbstractSlider::SliderToMaximum);
        break;
    case Qt::Key_End:
        if (ctrl)
            SetRow(RowCount() - 1);
        horz->triggerAction(QAbstractSlider::SliderToMinimum);
        break;
    case Qt::Key_Left:
        horz->triggerAction(QAbstractSlider::SliderSingleStepSub);
        break;
    case Qt::Key_Right:
        horz->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        break;
    default:
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    event->accept();
}

void TMicaTextView::mousePressEvent(QMouseEvent* event)
{
    const int row = RowAt(event->position().toPoint().y());
    if (row >= 0)
        SetRow(row);
    event->accept();
}

void TMicaTextView::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollBars();
}

void TMicaTextView::focusInEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusInEvent(event);
    viewport()->update();
}

void TMicaTextView::focusOutEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusOutEvent(event);
    viewport()->update();
}

void TMicaTextView::scrollContentsBy(int, int)
{
    viewport()->update();
}

}  // namespace lumarc
