#include "FileListDelegate.h"

#include <QPainter>

#include "xFileListBox.h"

namespace lumarc {

TFileListDelegate::TFileListDelegate(TxFileListBox* list) : QStyledItemDelegate(list), FList(list) {}

void TFileListDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    // The caret item counts as focused only while the list itself has the focus.
    const bool focused = FList->currentRow() == index.row() && FList->hasFocus();
    const bool selected = option.state & QStyle::State_Selected;
    painter->save();
    FList->DrawItem(*painter, index.row(), option.rect, focused, selected);
    painter->restore();
}

QSize TFileListDelegate::sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const
{
    const int width = FList->MultiColumns() ? FList->ColumnWidth() : FList->viewport()->width();
    return {width, FList->ItemHeight()};
}

}  // namespace lumarc
