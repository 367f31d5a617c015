#pragma once
// Hands the drawing of each item of a TxFileListBox back to the list, which draws it itself.

#include <QStyledItemDelegate>

namespace lumarc {

class TxFileListBox;

class TFileListDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    explicit TFileListDelegate(TxFileListBox* list);
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    TxFileListBox* FList;
};

}  // namespace lumarc
