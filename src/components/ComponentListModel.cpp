#include "ComponentListModel.h"

#include <algorithm>
#include <numeric>

#include "catalogue/ComponentNames.h"
#include "platform/CodePage.h"
#include "print/core/ComponentPage.h"
#include "settings/core/DateTime.h"
#include "widgets/AnsiText.h"
#include "widgets/InstalledMark.h"

namespace lumarc {

namespace {

const char* const kHeaders[] = {"Name",     "Version", "Wertung", "Distribution", "Sprache",
                                "Compiler", "OS",      "Preis",   "Datum"};
static_assert(std::size(kHeaders) == TComponentListModel::kColumns);

// What a column sorts by when its text would sort wrongly: numbers and dates.
double Number(const TComponentRow& row, int column)
{
    if (column == TComponentListModel::cRating)
        return row.Rating;
    return row.Date ? *row.Date : -1e9;
}

std::string Bytes(const TComponentRow& row, int column)
{
    switch (column) {
    case TComponentListModel::cName:
        return row.LongName;
    case TComponentListModel::cVersion:
        return row.Version;
    case TComponentListModel::cDistribution:
        return row.Distribution;
    case TComponentListModel::cLanguage:
        return LanguageName(row.Language);
    case TComponentListModel::cCompiler:
        return CompilerList(row.Compiler);
    case TComponentListModel::cOS:
        return row.OS;
    case TComponentListModel::cPrice:
        return row.Price;
    default:
        return {};
    }
}

}  // namespace

TComponentListModel::TComponentListModel(QObject* parent) : QAbstractTableModel(parent), FCheck(InstalledCheckIcon()) {}

void TComponentListModel::Clear()
{
    beginResetModel();
    FRows.clear();
    FInstalled.clear();
    FShown.clear();
    FLineOf.clear();
    FRank.clear();
    endResetModel();
}

void TComponentListModel::Append(std::vector<TComponentRow> rows)
{
    FRows.insert(FRows.end(), std::make_move_iterator(rows.begin()), std::make_move_iterator(rows.end()));
    FLineOf.resize(FRows.size(), -1);
    // New rows take their place in the order sorted by at the next SetShown.
    if (FSortColumn >= 0)
        sort(FSortColumn, FSortOrder);
}

void TComponentListModel::SetShown(std::vector<int> shown)
{
    beginResetModel();
    FShown = std::move(shown);
    ApplyOrder();
    endResetModel();
}

void TComponentListModel::SetInstalled(std::vector<bool> installed)
{
    FInstalled = std::move(installed);
    if (!FShown.empty())
        emit dataChanged(index(0, cName), index(rowCount() - 1, cName), {Qt::DecorationRole});
}

void TComponentListModel::ApplyOrder()
{
    if (FRank.size() == FRows.size()) {
        std::sort(FShown.begin(), FShown.end(), [this](int a, int b) { return FRank[a] < FRank[b]; });
    } else {
        std::sort(FShown.begin(), FShown.end());
    }
    std::fill(FLineOf.begin(), FLineOf.end(), -1);
    for (size_t line = 0; line < FShown.size(); ++line)
        FLineOf[static_cast<size_t>(FShown[line])] = static_cast<int>(line);
}

void TComponentListModel::sort(int column, Qt::SortOrder order)
{
    FSortColumn = column;
    FSortOrder = order;
    std::vector<int> order_(FRows.size());
    std::iota(order_.begin(), order_.end(), 0);
    // Stable either way: rows of equal keys keep their outline order, also downwards.
    const bool down = order == Qt::DescendingOrder;
    const auto sortBy = [&order_, down](const auto& keys) {
        std::stable_sort(order_.begin(), order_.end(),
                         [&keys, down](int a, int b) { return down ? keys[b] < keys[a] : keys[a] < keys[b]; });
    };
    if (column == cRating || column == cDate) {
        std::vector<double> keys(FRows.size());
        for (size_t i = 0; i < FRows.size(); ++i)
            keys[i] = Number(FRows[i], column);
        sortBy(keys);
    } else if (column >= 0) {
        std::vector<std::string> keys(FRows.size());
        for (size_t i = 0; i < FRows.size(); ++i)
            keys[i] = UpperCaseAnsi(Bytes(FRows[i], column));
        sortBy(keys);
    }
    FRank.assign(FRows.size(), 0);
    for (size_t place = 0; place < order_.size(); ++place)
        FRank[static_cast<size_t>(order_[place])] = static_cast<int>(place);
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList before = persistentIndexList();
    std::vector<int> rowsBefore;
    rowsBefore.reserve(static_cast<size_t>(before.size()));
    for (const QModelIndex& index : before)
        rowsBefore.push_back(RowAt(index.row()));
    ApplyOrder();
    QModelIndexList after;
    after.reserve(before.size());
    for (qsizetype i = 0; i < before.size(); ++i) {
        const int line = LineOf(rowsBefore[static_cast<size_t>(i)]);
        after.append(line < 0 ? QModelIndex() : index(line, before[i].column()));
    }
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

int TComponentListModel::RowAt(int line) const
{
    return line >= 0 && line < static_cast<int>(FShown.size()) ? FShown[static_cast<size_t>(line)] : -1;
}

int TComponentListModel::LineOf(int row) const
{
    return row >= 0 && row < static_cast<int>(FLineOf.size()) ? FLineOf[static_cast<size_t>(row)] : -1;
}

int TComponentListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(FShown.size());
}

int TComponentListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : kColumns;
}

QString TComponentListModel::Text(const TComponentRow& row, int column) const
{
    switch (column) {
    case cRating:
        return row.Rating == 0 ? QStringLiteral("keine") : QStringLiteral("%1 %").arg(row.Rating * 10);
    case cDate:
        return row.Date ? QString::fromStdString(DateToStr(*row.Date)) : QString();
    default:
        return FromAnsi(Bytes(row, column));
    }
}

QVariant TComponentListModel::data(const QModelIndex& index, int role) const
{
    const int row = RowAt(index.row());
    if (row < 0)
        return {};
    const TComponentRow& item = FRows[static_cast<size_t>(row)];
    const bool installed = static_cast<size_t>(row) < FInstalled.size() && FInstalled[static_cast<size_t>(row)];
    switch (role) {
    case Qt::DisplayRole:
        return Text(item, index.column());
    case Qt::DecorationRole:
        return index.column() == cName && installed ? QVariant(FCheck) : QVariant();
    case Qt::ToolTipRole:
    case Qt::AccessibleDescriptionRole:
        return index.column() == cName && installed ? QVariant(QStringLiteral("installiert")) : QVariant();
    case Qt::TextAlignmentRole:
        return index.column() == cRating ? QVariant(Qt::AlignRight | Qt::AlignVCenter) : QVariant();
    default:
        return {};
    }
}

QVariant TComponentListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < kColumns)
        return QString::fromUtf8(kHeaders[section]);
    return {};
}

}  // namespace lumarc
