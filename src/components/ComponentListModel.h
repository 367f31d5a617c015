#pragma once
// The rows of the component list: all that were read, of which the filters show some, in the
// order of the column the user sorted by (outline order at first).

#include <QAbstractTableModel>
#include <QIcon>

#include <vector>

#include "search/core/ComponentList.h"

namespace lumarc {

class TComponentListModel final : public QAbstractTableModel {
    Q_OBJECT

public:
    enum TColumn { cName, cVersion, cRating, cDistribution, cLanguage, cCompiler, cOS, cPrice, cDate, kColumns };

    explicit TComponentListModel(QObject* parent = nullptr);

    void Clear();
    void Append(std::vector<TComponentRow> rows);
    const std::vector<TComponentRow>& Rows() const { return FRows; }
    // Which rows are shown (row indexes in any order); the sort order is kept.
    void SetShown(std::vector<int> shown);
    // Installed rows carry a check.
    void SetInstalled(std::vector<bool> installed);
    const std::vector<bool>& Installed() const { return FInstalled; }

    // The row index shown at a line, and the line of a row index (-1 when it is not shown).
    int RowAt(int line) const;
    int LineOf(int row) const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    void sort(int column, Qt::SortOrder order) override;

private:
    void ApplyOrder();
    QString Text(const TComponentRow& row, int column) const;

    std::vector<TComponentRow> FRows;
    std::vector<bool> FInstalled;
    std::vector<int> FShown;
    std::vector<int> FLineOf;
    // The rank of each row in the order sorted by; empty for outline order.
    std::vector<int> FRank;
    int FSortColumn = -1;
    Qt::SortOrder FSortOrder = Qt::AscendingOrder;
    QIcon FCheck;
};

// A green check, the mark of an installed component here and in the outline.
QIcon InstalledCheck();

}  // namespace lumarc
