#pragma once
// One visual node of the overview outline. It carries the index of its tree-data node
// (also readable as Qt::UserRole) and asks its outline for its image whenever it is painted,
// so a changed update date shows on the next repaint.

#include <QTreeWidgetItem>

namespace lumarc {

class TOutlineItem : public QTreeWidgetItem {
public:
    static constexpr int kType = QTreeWidgetItem::UserType + 1;
    static constexpr int kEntryRole = Qt::UserRole;

    TOutlineItem(int entry, const QString& text, bool hasChildren);

    int Entry() const { return FEntry; }

    QVariant data(int column, int role) const override;

private:
    int FEntry;
};

}  // namespace lumarc
