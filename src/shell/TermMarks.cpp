#include "TermMarks.h"

#include <QEvent>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QTextBlock>

#include <algorithm>

#include "ComponentPage.h"
#include "EntryDisplay.h"
#include "ToolDiscMain.h"
#include "WideInfoForm.h"
#include "controls/BrowzerOutline.h"
#include "controls/MicaTextView.h"

namespace lumarc {

namespace {

QString FoldAZ(const QString& text)
{
    QString folded = text;
    for (QChar& c : folded)
        if (c >= QLatin1Char('a') && c <= QLatin1Char('z'))
            c = QChar(c.unicode() - 32);
    return folded;
}

// Marks over a field's text let the text show through.
QColor OverText(QColor colour)
{
    colour.setAlpha(120);
    return colour;
}

}  // namespace

QList<std::pair<int, int>> FindTerms(const QString& text, const QStringList& terms, bool caseSensitive)
{
    const QString haystack = caseSensitive ? text : FoldAZ(text);
    QList<std::pair<int, int>> places;
    for (const QString& term : terms) {
        if (term.isEmpty())
            continue;
        const QString needle = caseSensitive ? term : FoldAZ(term);
        for (qsizetype at = haystack.indexOf(needle); at >= 0; at = haystack.indexOf(needle, at + 1))
            places.append({static_cast<int>(at), static_cast<int>(needle.size())});
    }
    std::sort(places.begin(), places.end());
    QList<std::pair<int, int>> joined;
    for (const auto& [start, length] : places) {
        if (!joined.isEmpty() && start <= joined.back().first + joined.back().second)
            joined.back().second = std::max(joined.back().second, start + length - joined.back().first);
        else
            joined.append({start, length});
    }
    return joined;
}

TTermMarks::TTermMarks(TToolDiscMain& main, const TEntryPages& pages) : QObject(&main), FMain(main), FPages(pages) {}

TTermMarks::~TTermMarks() = default;

int TTermMarks::Mark(const QStringList& terms, bool caseSensitive)
{
    Unmark();
    FTerms = terms;
    FTerms.removeAll(QString());
    FCaseSensitive = caseSensitive;
    FEntry = FMain.Outline().SelectedEntry();
    if (FTerms.isEmpty())
        return 0;
    switch (FMain.PageKind()) {
    case TToolDiscMain::pkInfoText:
        MarkTextView(*FPages.TextView);
        break;
    case TToolDiscMain::pkShortText:
        MarkMemo(*FPages.ShortMemo, true);
        break;
    case TToolDiscMain::pkComponent:
        for (QLineEdit* field : FPages.ComponentPage->Fields())
            MarkField(*field);
        MarkTextView(FPages.ComponentPage->StuffView());
        if (auto* detail = qobject_cast<TWideInfoForm*>(FMain.DetailWindow()))
            for (QPlainTextEdit* memo : {detail->ReViewMemo, detail->InstallMemo, detail->LongInfoMemo})
                MarkMemo(*memo, false);
        break;
    default:
        break;
    }
    if (!FPlaces.empty())
        Go(0);
    return Count();
}

void TTermMarks::Refresh()
{
    if (!Active())
        return;
    const int current = FCurrent;
    Mark(QStringList(FTerms), FCaseSensitive);
    if (current >= 0 && current < Count())
        Go(current);
}

void TTermMarks::Clear()
{
    Unmark();
    FTerms.clear();
}

void TTermMarks::Unmark()
{
    for (const QPointer<QWidget>& view : FMarked) {
        if (!view)
            continue;
        if (auto* textView = qobject_cast<TMicaTextView*>(view.data()))
            textView->SetMarks({});
        else if (auto* memo = qobject_cast<QPlainTextEdit*>(view.data()))
            memo->setExtraSelections({});
        else
            view->removeEventFilter(this);
        view->update();
    }
    FMarked.clear();
    FFieldMarks.clear();
    FPlaces.clear();
    FCurrent = -1;
}

void TTermMarks::MarkTextView(TMicaTextView& view)
{
    std::vector<TMicaTextView::TMark> marks;
    for (int row = 0; row < view.RowCount(); ++row)
        for (const auto& [start, length] : FindTerms(view.ShownText(row), FTerms, FCaseSensitive)) {
            marks.push_back({row, start, length});
            FPlaces.push_back({&view, row, start, length});
        }
    if (marks.empty())
        return;
    view.SetMarks(std::move(marks));
    FMarked.emplace_back(&view);
}

void TTermMarks::MarkMemo(QPlainTextEdit& memo, bool onPage)
{
    bool any = false;
    for (QTextBlock block = memo.document()->begin(); block.isValid(); block = block.next())
        for (const auto& [start, length] : FindTerms(block.text(), FTerms, FCaseSensitive)) {
            any = true;
            // Places in the detail window are marked but not stepped to: F3 stays on the page.
            if (onPage)
                FPlaces.push_back({&memo, block.blockNumber(), start, length});
        }
    if (!any)
        return;
    FMarked.emplace_back(&memo);
    PaintMemo(memo);
}

void TTermMarks::PaintMemo(QPlainTextEdit& memo) const
{
    QList<QTextEdit::ExtraSelection> selections;
    QTextDocument* document = memo.document();
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        const QList<std::pair<int, int>> places = FindTerms(block.text(), FTerms, FCaseSensitive);
        for (const auto& [start, length] : places) {
            QTextEdit::ExtraSelection selection;
            selection.cursor = QTextCursor(document);
            selection.cursor.setPosition(block.position() + start);
            selection.cursor.setPosition(block.position() + start + length, QTextCursor::KeepAnchor);
            const bool current = FCurrent >= 0 && FPlaces[static_cast<size_t>(FCurrent)].View == &memo &&
                                 FPlaces[static_cast<size_t>(FCurrent)].Row == block.blockNumber() &&
                                 FPlaces[static_cast<size_t>(FCurrent)].Start == start;
            selection.format.setBackground(current ? TMicaTextView::CurrentMarkColour() : TMicaTextView::MarkColour());
            selection.format.setForeground(Qt::black);
            selections.append(selection);
        }
    }
    memo.setExtraSelections(selections);
}

void TTermMarks::MarkField(QLineEdit& field)
{
    const QList<std::pair<int, int>> places = FindTerms(field.text(), FTerms, FCaseSensitive);
    if (places.isEmpty())
        return;
    for (const auto& [start, length] : places)
        FPlaces.push_back({&field, -1, start, length});
    FFieldMarks.emplace_back(&field, places);
    FMarked.emplace_back(&field);
    field.installEventFilter(this);
    field.update();
}

bool TTermMarks::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::Paint)
        return QObject::eventFilter(watched, event);
    const auto found = std::find_if(FFieldMarks.begin(), FFieldMarks.end(),
                                    [watched](const auto& field) { return field.first == watched; });
    if (found == FFieldMarks.end())
        return QObject::eventFilter(watched, event);
    QLineEdit& field = *found->first;
    // The field paints itself first; the marks go over its text. The text starts where the
    // cursor stands at its first position; the fields are shown from their start.
    static_cast<QObject&>(field).event(event);
    const QRect origin = field.cursorPosition() == 0 ? field.inputMethodQuery(Qt::ImCursorRectangle).toRect() : QRect();
    if (origin.isNull())
        return true;
    QPainter painter(&field);
    const QFontMetrics metrics(field.font());
    const QString text = field.text();
    for (const auto& [start, length] : found->second) {
        const int left = origin.left() + metrics.horizontalAdvance(text.left(start));
        const int width = metrics.horizontalAdvance(text.mid(start, length));
        const bool current = FCurrent >= 0 && FPlaces[static_cast<size_t>(FCurrent)].View == &field &&
                             FPlaces[static_cast<size_t>(FCurrent)].Start == start;
        painter.fillRect(QRect(left, origin.top(), width, origin.height()),
                         OverText(current ? TMicaTextView::CurrentMarkColour() : TMicaTextView::MarkColour()));
    }
    return true;
}

bool TTermMarks::Next()
{
    if (FPlaces.empty())
        return false;
    Go((FCurrent + 1) % Count());
    return true;
}

bool TTermMarks::Previous()
{
    if (FPlaces.empty())
        return false;
    Go((FCurrent - 1 + Count()) % Count());
    return true;
}

void TTermMarks::Go(int index)
{
    FCurrent = index;
    const TPlace& place = FPlaces[static_cast<size_t>(index)];
    for (const QPointer<QWidget>& view : FMarked) {
        if (!view)
            continue;
        if (auto* textView = qobject_cast<TMicaTextView*>(view.data())) {
            // The text view counts its own marks; the current one is its n-th place.
            int own = -1;
            if (textView == place.View) {
                own = 0;
                for (int i = 0; i < index; ++i)
                    own += FPlaces[static_cast<size_t>(i)].View == textView ? 1 : 0;
            }
            std::vector<TMicaTextView::TMark> marks = textView->Marks();
            textView->SetMarks(std::move(marks), own);
            if (own >= 0)
                textView->ShowMark(own);
        } else if (auto* memo = qobject_cast<QPlainTextEdit*>(view.data())) {
            PaintMemo(*memo);
            if (memo == place.View) {
                QTextCursor cursor(memo->document()->findBlockByNumber(place.Row));
                cursor.setPosition(cursor.position() + place.Start);
                memo->setTextCursor(cursor);
                memo->ensureCursorVisible();
            }
        } else {
            view->update();
        }
    }
}

}  // namespace lumarc
