#include "HitList.h"

#include <QPainter>
#include <QStyledItemDelegate>

#include <algorithm>

#include "SearchThread.h"

namespace lumarc {

namespace {

constexpr int kColumnGap = 12;
constexpr int kPadding = 3;

// The colour the views mark a found term with.
const QColor kMarkColour(255, 230, 80);

class THitDelegate : public QStyledItemDelegate {
public:
    explicit THitDelegate(THitList& list) : QStyledItemDelegate(&list), FList(list) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QStyleOptionViewItem item = option;
        initStyleOption(&item, index);
        const QString caption = item.text;
        item.text.clear();
        const QWidget* widget = option.widget;
        QStyle* style = widget ? widget->style() : nullptr;
        if (style)
            style->drawControl(QStyle::CE_ItemViewItem, &item, painter, widget);

        const bool selected = option.state & QStyle::State_Selected;
        const QColor text = option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text);
        const int split = FList.LineColumn();
        const QRect captionRect = option.rect.adjusted(kPadding, 0, 0, 0).intersected(
            QRect(option.rect.left(), option.rect.top(), split - kColumnGap / 2 - option.rect.left(), option.rect.height()));
        painter->save();
        painter->setPen(text);
        painter->setFont(option.font);
        const QFontMetrics metrics(option.font);
        painter->drawText(captionRect, Qt::AlignLeft | Qt::AlignVCenter,
                          metrics.elidedText(caption, Qt::ElideRight, captionRect.width()));

        const TSearchHit* hit = FList.Hit(index.row());
        const QString line = hit ? hit->Line : QString();
        if (!line.isEmpty()) {
            QFont lineFont = option.font;
            lineFont.setBold(false);
            painter->setFont(lineFont);
            const QFontMetrics lineMetrics(lineFont);
            const QRect lineRect(split, option.rect.top(), option.rect.right() - split, option.rect.height());
            painter->setClipRect(lineRect);
            for (const auto& [start, length] : hit->Marks) {
                const int x = lineRect.left() + lineMetrics.horizontalAdvance(line.left(start));
                const int width = lineMetrics.horizontalAdvance(line.mid(start, length));
                painter->fillRect(QRect(x, lineRect.top() + 1, width, lineRect.height() - 2), kMarkColour);
            }
            // Marked text stays readable on the mark whether or not the row is selected.
            painter->setPen(text);
            painter->drawText(lineRect, Qt::AlignLeft | Qt::AlignVCenter, line);
            for (const auto& [start, length] : hit->Marks) {
                const int x = lineRect.left() + lineMetrics.horizontalAdvance(line.left(start));
                painter->setPen(Qt::black);
                painter->drawText(QRect(x, lineRect.top(), lineRect.right() - x, lineRect.height()),
                                  Qt::AlignLeft | Qt::AlignVCenter, line.mid(start, length));
            }
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
        captions.append(hit.Text);
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
    // As wide as the widest caption, but never more than half the list.
    return std::min(FWidestCaption + kPadding + kColumnGap, viewport()->width() / 2);
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
