#pragma once
// One filter of the component list: the values of a field that occur, each checkable and with
// the number of rows it would leave. Checked values stay shown while the list is narrowed.

#include <QListWidget>
#include <QStringList>

#include <vector>

namespace lumarc {

struct TFacetValue {
    QString Key;      // what the filter stores
    QString Caption;  // what the user reads
    int Count = 0;
};

class TFacetList final : public QListWidget {
    Q_OBJECT

public:
    explicit TFacetList(const QString& name, QWidget* parent = nullptr);

    // Values not seen before are added in their alphabetical place; those that went are removed
    // unless checked.
    void SetValues(const std::vector<TFacetValue>& values);
    QStringList Checked() const;
    void SetChecked(const QStringList& keys);
    // Shows only the values whose caption holds `text` (and the checked ones).
    void Narrow(const QString& text);

signals:
    void CheckedChanged();

private:
    QStringList FChecked;
    QString FNarrow;
    bool FFilling = false;
};

}  // namespace lumarc
