#pragma once
// What a screen reader reads of a gauge: a progress bar with its value between the gauge's
// minimum and maximum, named by the owner (setAccessibleName), its value also as the
// percentage the picture shows.

#include <QAccessibleWidget>

namespace lumarc {

class TGauge;

class TGaugeAccessible : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit TGaugeAccessible(TGauge* gauge);

    // Registers the interface for every gauge; safe to call more than once.
    static void Install();

    void* interface_cast(QAccessible::InterfaceType type) override;
    QString text(QAccessible::Text kind) const override;

    QVariant currentValue() const override;
    void setCurrentValue(const QVariant&) override {}
    QVariant maximumValue() const override;
    QVariant minimumValue() const override;
    QVariant minimumStepSize() const override { return 1; }

private:
    TGauge* Gauge() const;
};

}  // namespace lumarc
