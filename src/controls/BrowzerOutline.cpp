#include "BrowzerOutline.h"

#include <QCoreApplication>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QToolTip>

#include <algorithm>
#include <memory>

#include "OutlineItem.h"
#include "catalogue/BrowzerContainer.h"
#include "platform/Exception.h"
#include "settings/core/Settings.h"
#include "widgets/AnsiText.h"

namespace lumarc {

// Multi-node changes redraw the tree once, when the outermost bracket closes.
class TBrowzerOutline::TNodeUpdate {
public:
    explicit TNodeUpdate(TBrowzerOutline& outline) : FOutline(outline) { FOutline.BeginUpdate(); }
    ~TNodeUpdate() { FOutline.EndUpdate(); }
    TNodeUpdate(const TNodeUpdate&) = delete;
    TNodeUpdate& operator=(const TNodeUpdate&) = delete;

private:
    TBrowzerOutline& FOutline;
};

namespace {

std::unique_ptr<TOutlineItem> MakeItem(const TTreeViewData& data, int entry, bool hasChildren)
{
    return std::make_unique<TOutlineItem>(entry, FromAnsi(data.Texts[entry]), hasChildren);
}

}  // namespace

TBrowzerOutline::TBrowzerOutline(QWidget* parent) : QTreeWidget(parent)
{
    setObjectName(QStringLiteral("OverviewOL"));
    setColumnCount(1);
    setHeaderHidden(true);
    // Hidden, the header still names the column to a screen reader, which read Qt's "1".
    setHeaderLabel(QStringLiteral("Überblick"));
    setRootIsDecorated(false);
    setEditTriggers(NoEditTriggers);
    setSelectionMode(SingleSelection);
    setIndentation(19);
    setIconSize(QSize(TOutlineImages::kSize, TOutlineImages::kSize));
    setUniformRowHeights(true);
    // However a node is expanded (mouse, keyboard, code), its children exist by then.
    connect(this, &QTreeWidget::itemExpanded, this, [this](QTreeWidgetItem* item) { CreateChildren(item); });
}

TBrowzerOutline::~TBrowzerOutline() = default;

bool TBrowzerOutline::viewportEvent(QEvent* event)
{
    if (event->type() != QEvent::ToolTip)
        return QTreeWidget::viewportEvent(event);
    const auto* help = static_cast<QHelpEvent*>(event);
    const QModelIndex index = indexAt(help->pos());
    const QRect cell = visualRect(index);
    // The delegate elides against the cell as far as the viewport shows it.
    const int shown = std::min(cell.right(), viewport()->width() - 1) - cell.left() + 1;
    if (index.isValid() && sizeHintForIndex(index).width() > shown)
        QToolTip::showText(help->globalPos(), index.data(Qt::DisplayRole).toString(), viewport(), cell);
    else
        QToolTip::hideText();
    return true;
}

void TBrowzerOutline::BeginUpdate()
{
    if (FUpdateDepth++ == 0) {
        FUpdatesWereEnabled = updatesEnabled();
        setUpdatesEnabled(false);
    }
}

void TBrowzerOutline::EndUpdate()
{
    if (--FUpdateDepth == 0)
        setUpdatesEnabled(FUpdatesWereEnabled);
}

int TBrowzerOutline::EntryOf(const QTreeWidgetItem* item)
{
    if (!item)
        return -1;
    if (item->type() == TOutlineItem::kType)
        return static_cast<const TOutlineItem*>(item)->Entry();
    bool ok = false;
    const int entry = item->data(0, TOutlineItem::kEntryRole).toInt(&ok);
    return ok ? entry : -1;
}

int TBrowzerOutline::ImageIndex(int entry) const
{
    if (entry < 0 || entry >= FTreeData.Count())
        return TOutlineImages::kEntry;
    if (ChildRun(entry).Count > 0)
        return TOutlineImages::kParent;
    return IsNewEntry(FTreeData, entry, Settings().UpdateDate) ? TOutlineImages::kNewEntry : TOutlineImages::kEntry;
}

void TBrowzerOutline::SetInstalledEntries(std::set<int> entries)
{
    if (entries == FInstalled)
        return;
    FInstalled = std::move(entries);
    viewport()->update();
}

void TBrowzerOutline::LoadFromContainer(TBrowzerContainer& container, std::optional<TTreeViewData> preloaded)
{
    container.SetActive(true);
    TNodeUpdate update(*this);
    clear();
    FHandledNode.store(nullptr);
    FSelectedSnapshot.store(nullptr);
    FInstalled.clear();
    // The outline image fills an empty object; a second load must not see the first one's
    // second texts, which an image without them would leave standing.
    FTreeData = TTreeViewData();
    if (preloaded) {
        FTreeData = std::move(*preloaded);
        container.AdoptOutline(FTreeData);
    } else {
        try {
            container.LoadOutline(FTreeData);
        } catch (...) {
            FTreeData = TTreeViewData();
            throw;
        }
    }

    const int roots = RootRun();
    std::vector<std::unique_ptr<TOutlineItem>> made;
    made.reserve(static_cast<size_t>(roots));
    for (int i = 0; i < roots; ++i)
        made.push_back(MakeItem(FTreeData, i, ChildRun(i).Count > 0));
    QList<QTreeWidgetItem*> items;
    items.reserve(roots);
    for (auto& item : made)
        items.append(item.release());
    addTopLevelItems(items);

    if (topLevelItemCount() > 0)
        ExpandNode(topLevelItem(0));
}

void TBrowzerOutline::CreateChildren(QTreeWidgetItem* item)
{
    if (!item || item->childCount() > 0)
        return;
    const TChildRun run = ChildRun(EntryOf(item));
    if (run.Count == 0)
        return;
    TNodeUpdate update(*this);
    std::vector<std::unique_ptr<TOutlineItem>> made;
    made.reserve(static_cast<size_t>(run.Count));
    for (int entry = run.First; entry < run.First + run.Count; ++entry)
        made.push_back(MakeItem(FTreeData, entry, ChildRun(entry).Count > 0));
    QList<QTreeWidgetItem*> children;
    children.reserve(run.Count);
    for (auto& child : made)
        children.append(child.release());
    item->addChildren(children);
}

void TBrowzerOutline::ExpandNode(QTreeWidgetItem* item)
{
    if (!item)
        return;
    CreateChildren(item);
    // A leaf marked expanded would cost the left key a press that "collapses" nothing.
    if (item->childCount() > 0)
        item->setExpanded(true);
}

std::vector<int> TBrowzerOutline::PathTo(int index) const
{
    const int nodes = FTreeData.Count();
    if (index < 0 || index >= nodes)
        throw EListError(ListIndexError(index));
    std::vector<int> path;
    int node = index;
    // A chain longer than the node count has gone round in a circle.
    for (int depth = 0; depth <= nodes; ++depth) {
        int32_t parent = -1;
        if (!ValueAt(FTreeData.ParentList, node, parent))
            break;
        if (parent == -1) {
            if (node >= RootRun())
                break;
            path.push_back(node);
            std::reverse(path.begin(), path.end());
            return path;
        }
        const TChildRun run = ChildRun(parent);
        const int position = node - run.First;
        if (parent < 0 || parent >= nodes || position < 0 || position >= run.Count)
            break;
        path.push_back(position);
        node = parent;
    }
    throw EListError(ListIndexError(index));
}

void TBrowzerOutline::SelectEntry(int index)
{
    const std::vector<int> path = PathTo(index);
    QTreeWidgetItem* target = nullptr;
    {
        TNodeUpdate update(*this);
        target = topLevelItem(path.front());
        for (size_t i = 1; target && i < path.size(); ++i) {
            ExpandNode(target);
            target = target->child(path[i]);
        }
    }
    if (!target)
        throw EListError(ListIndexError(index));
    setCurrentItem(target);
    scrollToItem(target);
}

QTreeWidgetItem* TBrowzerOutline::NextInReadingOrder(QTreeWidgetItem* item) const
{
    if (item->childCount() > 0)
        return item->child(0);
    while (item) {
        QTreeWidgetItem* parent = item->parent();
        const int siblings = parent ? parent->childCount() : topLevelItemCount();
        // The position follows from the tree data; a linear search only when that disagrees.
        int position = EntryOf(item) - (parent ? ChildRun(EntryOf(parent)).First : 0);
        QTreeWidgetItem* atPosition = parent ? parent->child(position) : topLevelItem(position);
        if (atPosition != item)
            position = parent ? parent->indexOfChild(item) : indexOfTopLevelItem(item);
        if (position >= 0 && position + 1 < siblings)
            return parent ? parent->child(position + 1) : topLevelItem(position + 1);
        item = parent;
    }
    return nullptr;
}

void TBrowzerOutline::NextEntry()
{
    QTreeWidgetItem* selected = currentItem();
    if (!selected)
        return;
    {
        TNodeUpdate update(*this);
        ExpandNode(selected);
    }
    if (QTreeWidgetItem* next = NextInReadingOrder(selected)) {
        setCurrentItem(next);
        scrollToItem(next);
    }
}

QTreeWidgetItem* TBrowzerOutline::TopVisibleItem()
{
    executeDelayedItemsLayout();
    return itemAt(QPoint(0, 0));
}

void TBrowzerOutline::ResetOverview()
{
    QTreeWidgetItem* first = topLevelItem(0);
    if (!first || (topLevelItemCount() < 2 && first->childCount() == 0))
        return;
    {
        TNodeUpdate update(*this);
        // Only created nodes can be expanded; collapse the deepest first.
        std::vector<QTreeWidgetItem*> below{first};
        for (size_t i = 0; i < below.size(); ++i)
            for (int c = 0; c < below[i]->childCount(); ++c)
                if (below[i]->child(c)->childCount() > 0)
                    below.push_back(below[i]->child(c));
        for (auto it = below.rbegin(); it != below.rend(); ++it)
            (*it)->setExpanded(false);
        ExpandNode(first);
    }
    QTreeWidgetItem* top = TopVisibleItem();
    setCurrentItem(top ? top : first);
}

void TBrowzerOutline::SendKey(int key)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QCoreApplication::sendEvent(this, &press);
}

void TBrowzerOutline::LineDown()
{
    SendKey(Qt::Key_Down);
}

void TBrowzerOutline::LineUp()
{
    SendKey(Qt::Key_Up);
}

void TBrowzerOutline::LevelUp()
{
    SendKey(Qt::Key_Left);
}

QModelIndex TBrowzerOutline::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers)
{
    // The left arrow collapses the current node or, when it is collapsed, moves to its parent,
    // whatever the style says about arrow keys and however the tree is scrolled.
    const CursorAction outward = isRightToLeft() ? MoveRight : MoveLeft;
    const QModelIndex current = currentIndex();
    if (action == outward && current.isValid()) {
        if (isExpanded(current) && model()->rowCount(current) > 0) {
            collapse(current);
            return current;
        }
        return current.parent().isValid() ? current.parent() : current;
    }
    return QTreeWidget::moveCursor(action, modifiers);
}

void TBrowzerOutline::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    FSelectedSnapshot.store(itemFromIndex(current));
    QTreeWidget::currentChanged(current, previous);
}

}  // namespace lumarc
