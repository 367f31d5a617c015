#pragma once
// The overview outline in the main window's left pane. It owns the outline's tree data,
// which the catalogue container fills, and shows it lazily: the top level when the catalogue
// is loaded, the children of a node when the node is first expanded. Each visual node
// carries the index of its tree-data node, the number by which the rest of the program
// names an entry.

#include <atomic>
#include <optional>
#include <set>
#include <vector>

#include <QTreeWidget>

#include "OutlineImages.h"
#include "catalogue/OutlineRuns.h"
#include "catalogue/TreeViewData.h"

namespace lumarc {

class TBrowzerContainer;
class TOutlineItem;

class TBrowzerOutline : public QTreeWidget {
    Q_OBJECT

public:
    explicit TBrowzerOutline(QWidget* parent = nullptr);
    ~TBrowzerOutline() override;

    // Lives as long as the control, at the same address; the container refers to it.
    TTreeViewData& TreeData() { return FTreeData; }
    const TTreeViewData& TreeData() const { return FTreeData; }
    const TOutlineImages& Images() const { return FImages; }

    // Opens the container, loads the outline record into TreeData and builds the top level
    // with the first node expanded. The container's open error leaves the control as it was;
    // an error while loading the outline leaves it, and TreeData, empty.
    // An outline already read from the container's files (`preloaded`) is taken instead of
    // loading it again.
    void LoadFromContainer(TBrowzerContainer& container, std::optional<TTreeViewData> preloaded = std::nullopt);
    // Collapses the first top-level node with everything below it, expands it one level and
    // selects the topmost visible node; nothing when fewer than two nodes exist.
    void ResetOverview();
    // Expands exactly the ancestors of tree-data node `index` and selects it. An index outside
    // the tree data, or one the tree data cannot place (a broken parent chain), raises
    // EListError "List index out of bounds (N)" and leaves the selection alone.
    void SelectEntry(int index);
    // Expands the selected node one level and selects the node after it in reading order.
    void NextEntry();
    // The down, up and left arrow keys, sent to the tree itself.
    void LineDown();
    void LineUp();
    void LevelUp();

    // The entries installed from this catalogue carry a check; a load forgets them.
    void SetInstalledEntries(std::set<int> entries);
    bool Installed(int entry) const { return FInstalled.count(entry) > 0; }

    QTreeWidgetItem* Selected() const { return currentItem(); }
    int SelectedEntry() const { return EntryOf(currentItem()); }
    // The selected node as last seen by the main thread; safe to read from any thread.
    QTreeWidgetItem* SelectedSnapshot() const noexcept { return FSelectedSnapshot.load(); }
    // The node last handed to the display; null at first and after every load. Atomic,
    // so the selection watcher may compare it from its own thread.
    QTreeWidgetItem* HandledNode() const noexcept { return FHandledNode.load(); }
    void SetHandledNode(QTreeWidgetItem* node) noexcept { FHandledNode.store(node); }

    // 1 for a node with children, else 2 when its date is after the update date setting,
    // else 0 (also for an index or date the tree data does not hold).
    int ImageIndex(int entry) const;
    // The tree-data index a visual node stands for; -1 for null.
    static int EntryOf(const QTreeWidgetItem* item);
    // Creates a node's children from the tree data unless it has some already.
    void CreateChildren(QTreeWidgetItem* item);
    // CreateChildren, then expand.
    void ExpandNode(QTreeWidgetItem* item);

protected:
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    // A caption that the pane's width cuts short shows whole in a tooltip.
    bool viewportEvent(QEvent* event) override;

private:
    class TNodeUpdate;

    // A node's children as the tree data gives them, cut to the nodes that exist: a corrupt
    // run yields fewer children or none, never an index outside the data.
    TChildRun ChildRun(int entry) const { return ChildRunOf(FTreeData, entry); }
    int RootRun() const { return RootRunOf(FTreeData); }
    // Sibling positions from the top level down; throws EListError.
    std::vector<int> PathTo(int index) const;
    QTreeWidgetItem* NextInReadingOrder(QTreeWidgetItem* item) const;
    QTreeWidgetItem* TopVisibleItem();
    void SendKey(int key);
    void BeginUpdate();
    void EndUpdate();

    TTreeViewData FTreeData;
    TOutlineImages FImages;
    std::set<int> FInstalled;
    std::atomic<QTreeWidgetItem*> FHandledNode{nullptr};
    std::atomic<QTreeWidgetItem*> FSelectedSnapshot{nullptr};
    int FUpdateDepth = 0;
    bool FUpdatesWereEnabled = true;
};

}  // namespace lumarc
