#include "HitList.h"

#include <QPainter>
#include <QStyledItemDelegate>

#include <algorithm>

#include "SearchThread.h"
#include "controls/MicaTextView.h"

namespace lumarc {

namespace {

constexpr int kColumnGap = 12;
constexpr int kPadding = 3;
// Characters kept before a term that is brought into the column.
constexpr int kLeadChars = 12;

class THitDelegate : public QStyledItemDelegate {
public:
    explicit THitDelegate(THitList& list) : QStyledItemDelegate(&list), FList(list) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QStyleOptionViewItem item = option;
        initStyleOption(&item, index);
        const TSearchHit* hit = FList.Hit(index.row());
        const QString caption = hit ? hit->Text : item.text;
        item.text.clear();
        const QWidget* widget = option.widget;
        QStyle* style = widget ? widget->style() : nullptr;
        if (style)
            style->drawControl(QStyle::CE_ItemViewItem, &item, painter, widget);

        const bool selected = option.state & QStyle::State_Selected;
        const QColor text = option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text);
        const int split = FList.LineColumn();
        const int captionLeft = option.rect.left() + FList.CaptionColumn();
        const QRect captionRect =
            option.rect.adjusted(kPadding, 0, 0, 0)
                .intersected(QRect(captionLeft, option.rect.top(), split - kColumnGap / 2 - captionLeft,
                                   option.rect.height()));
        painter->save();
        painter->setPen(text);
        painter->setFont(option.font);
        const QFontMetrics metrics(option.font);
        if (captionLeft > option.rect.left()) {
            const QRect sourceRect(option.rect.left() + kPadding, option.rect.top(),
                                   captionLeft - option.rect.left() - kPadding - kColumnGap / 2, option.rect.height());
            painter->drawText(sourceRect, Qt::AlignLeft | Qt::AlignVCenter,
                              metrics.elidedText(FList.SourceName(index.row()), Qt::ElideRight, sourceRect.width()));
        }
        painter->drawText(captionRect, Qt::AlignLeft | Qt::AlignVCenter,
                          metrics.elidedText(caption, Qt::ElideRight, captionRect.width()));

        if (hit && !hit->Line.isEmpty()) {
            QFont lineFont = option.font;
            lineFont.setBold(false);
            painter->setFont(lineFont);
            const QFontMetrics lineMetrics(lineFont);
            const QRect lineRect(split, option.rect.top(), option.rect.right() - split, option.rect.height());
            // A term far along its line is brought into the column, the start cut with "…".
            QString line = hit->Line;
            int shift = 0;
            if (!hit->Marks.isEmpty()) {
                const auto [start, length] = hit->Marks.front();
                if (lineMetrics.horizontalAdvance(line.left(start + length)) > lineRect.width()) {
                    const int from = std::max(0, start - kLeadChars);
                    line = QStringLiteral("…") + line.mid(from);
                    shift = 1 - from;
                }
            }
            painter->setClipRect(lineRect);
            const auto markRect = [&](int start, int length) {
                const int x = lineRect.left() + lineMetrics.horizontalAdvance(line.left(start + shift));
                return QRect(x, lineRect.top(), lineMetrics.horizontalAdvance(line.mid(start + shift, length)),
                             lineRect.height());
            };
            for (const auto& [start, length] : hit->Marks)
                if (start + shift >= 0)
                    painter->fillRect(markRect(start, length).adjusted(0, 1, 0, -1), TMicaTextView::MarkColour());
            painter->setPen(text);
            painter->drawText(lineRect, Qt::AlignLeft | Qt::AlignVCenter, line);
            // Marked text stays readable on the mark whether or not the row is selected.
            painter->setPen(Qt::black);
            for (const auto& [start, length] : hit->Marks)
                if (start + shift >= 0)
                    painter->drawText(markRect(start, length).adjusted(0, 0, lineRect.width(), 0),
                                      Qt::AlignLeft | Qt::AlignVCenter, line.mid(start + shift, length));
        }
        painter->restore();
    }

private:
    THitList& FList;
};

}  // namespace

THitList::THitList(QWidget* parent) : QListWidget(parent)
{
    setItemDelegate(new THitDelegate(*this));
}

THitList::~THitList() = default;

void THitList::AddHits(const std::vector<TSearchHit>& hits)
{
    QStringList captions;
    captions.reserve(static_cast<qsizetype>(hits.size()));
    for (const TSearchHit& hit : hits) {
        // In a search of the library the item's text names the catalogue too, for a screen
        // reader; the list draws the two in columns of their own.
        captions.append(FSourceNames.isEmpty() ? hit.Text
                                               : QStringLiteral("%1: %2").arg(FSourceNames.value(hit.Source), hit.Text));
        // Measuring every caption would cost the window's thread more than the list itself:
        // only a caption at least as long as the longest so far can be the widest.
        if (hit.Text.size() >= FLongestCaption) {
            FLongestCaption = hit.Text.size();
            FWidestCaption = std::max(FWidestCaption, fontMetrics().horizontalAdvance(hit.Text));
        }
    }
    FHits.insert(FHits.end(), hits.begin(), hits.end());
    addItems(captions);
}

const TSearchHit* THitList::Hit(int row) const
{
    return row >= 0 && row < static_cast<int>(FHits.size()) ? &FHits[static_cast<size_t>(row)] : nullptr;
}

void THitList::ClearHits()
{
    clear();
    FHits.clear();
    FWidestCaption = 0;
    FLongestCaption = 0;
    SetEmptyText(QString());
}

void THitList::SetEmptyText(const QString& text)
{
    FEmptyText = text;
    viewport()->update();
}

int THitList::LineColumn() const
{
    // As wide as the widest caption, but never more than half the list (two thirds with the
    // catalogue's column).
    const int source = CaptionColumn();
    if (source == 0)
        return std::min(FWidestCaption + kPadding + kColumnGap, viewport()->width() / 2);
    return std::min(source + FWidestCaption + kPadding + kColumnGap, viewport()->width() * 2 / 3);
}

void THitList::SetSourceNames(const QStringList& names)
{
    FSourceNames = names;
    FWidestSource = 0;
    for (const QString& name : names)
        FWidestSource = std::max(FWidestSource, fontMetrics().horizontalAdvance(name));
    setAccessibleDescription(names.isEmpty() ? QString() : QStringLiteral("Spalten: Katalog, Eintrag, Fundstelle"));
    viewport()->update();
}

int THitList::CaptionColumn() const
{
    if (FSourceNames.isEmpty())
        return 0;
    // At most a quarter of the list: the hits matter more than where they are.
    return std::min(FWidestSource + kPadding + kColumnGap, viewport()->width() / 4);
}

QString THitList::SourceName(int row) const
{
    const TSearchHit* hit = Hit(row);
    return hit ? FSourceNames.value(hit->Source) : QString();
}

void THitList::paintEvent(QPaintEvent* event)
{
    QListWidget::paintEvent(event);
    if (count() > 0 || FEmptyText.isEmpty())
        return;
    QPainter painter(viewport());
    painter.setPen(palette().color(QPalette::Text));
    painter.drawText(viewport()->rect().adjusted(kPadding, kPadding, -kPadding, -kPadding),
                     Qt::AlignHCenter | Qt::AlignTop, FEmptyText);
}

}  // namespace lumarc
