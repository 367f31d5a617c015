#include "FacetList.h"

#include <QHash>

namespace lumarc {

namespace {

constexpr int kKeyRole = Qt::UserRole;
constexpr int kCaptionRole = Qt::UserRole + 1;

}  // namespace

TFacetList::TFacetList(const QString& name, QWidget* parent) : QListWidget(parent)
{
    setObjectName(name);
    setUniformItemSizes(true);
    connect(this, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
        if (FFilling)
            return;
        const QString key = item->data(kKeyRole).toString();
        FChecked.removeAll(key);
        if (item->checkState() == Qt::Checked)
            FChecked << key;
        emit CheckedChanged();
    });
}

void TFacetList::SetValues(const std::vector<TFacetValue>& values)
{
    FFilling = true;
    QHash<QString, const TFacetValue*> wanted;
    for (const TFacetValue& value : values)
        wanted.insert(value.Key, &value);
    for (int i = count() - 1; i >= 0; --i) {
        const QString key = item(i)->data(kKeyRole).toString();
        if (!wanted.contains(key) && !FChecked.contains(key))
            delete takeItem(i);
    }
    bool added = false;
    QHash<QString, QListWidgetItem*> items;
    for (int i = 0; i < count(); ++i)
        items.insert(item(i)->data(kKeyRole).toString(), item(i));
    for (const TFacetValue& value : values) {
        QListWidgetItem* entry = items.value(value.Key);
        if (!entry) {
            entry = new QListWidgetItem(this);
            entry->setData(kKeyRole, value.Key);
            entry->setData(kCaptionRole, value.Caption);
            entry->setToolTip(value.Caption);
            entry->setCheckState(FChecked.contains(value.Key) ? Qt::Checked : Qt::Unchecked);
            added = true;
        }
        const QString text = QStringLiteral("%1 (%2)").arg(value.Caption).arg(value.Count);
        if (entry->text() != text)
            entry->setText(text);
        entry->setHidden(!FNarrow.isEmpty() && !value.Caption.contains(FNarrow, Qt::CaseInsensitive) &&
                         !FChecked.contains(value.Key));
    }
    // A checked value no catalogue row holds any more still says so.
    for (const QString& key : FChecked) {
        if (!wanted.contains(key)) {
            if (QListWidgetItem* entry = items.value(key))
                entry->setText(QStringLiteral("%1 (0)").arg(entry->data(kCaptionRole).toString()));
        }
    }
    if (added)
        sortItems();
    FFilling = false;
}

QStringList TFacetList::Checked() const
{
    return FChecked;
}

void TFacetList::SetChecked(const QStringList& keys)
{
    FChecked = keys;
    FFilling = true;
    for (int i = 0; i < count(); ++i)
        item(i)->setCheckState(FChecked.contains(item(i)->data(kKeyRole).toString()) ? Qt::Checked : Qt::Unchecked);
    FFilling = false;
}

void TFacetList::Narrow(const QString& text)
{
    FNarrow = text;
    for (int i = 0; i < count(); ++i) {
        QListWidgetItem* entry = item(i);
        const QString caption = entry->data(kCaptionRole).toString();
        entry->setHidden(!text.isEmpty() && !caption.contains(text, Qt::CaseInsensitive) &&
                         entry->checkState() != Qt::Checked);
    }
}

}  // namespace lumarc
