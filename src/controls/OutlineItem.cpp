#include "OutlineItem.h"

#include "BrowzerOutline.h"

namespace lumarc {

TOutlineItem::TOutlineItem(int entry, const QString& text, bool hasChildren)
    : QTreeWidgetItem(kType), FEntry(entry)
{
    setText(0, text);
    setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    // The expand button shows before the children exist; they are made on first expansion.
    setChildIndicatorPolicy(hasChildren ? ShowIndicator : DontShowIndicatorWhenChildless);
}

QVariant TOutlineItem::data(int column, int role) const
{
    if (column == 0) {
        if (role == kEntryRole)
            return FEntry;
        if (role == Qt::DecorationRole) {
            if (const auto* outline = qobject_cast<const TBrowzerOutline*>(treeWidget()))
                return outline->Images().Icon(outline->ImageIndex(FEntry), outline->Installed(FEntry));
            return {};
        }
        // A screen reader says what the check shows.
        if (role == Qt::AccessibleDescriptionRole) {
            const auto* outline = qobject_cast<const TBrowzerOutline*>(treeWidget());
            return outline && outline->Installed(FEntry) ? QVariant(QStringLiteral("installiert")) : QVariant();
        }
    }
    return QTreeWidgetItem::data(column, role);
}

}  // namespace lumarc
