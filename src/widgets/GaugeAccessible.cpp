#include "GaugeAccessible.h"

#include "Gauge.h"

namespace lumarc {

namespace {

QAccessibleInterface* MakeInterface(const QString& key, QObject* object)
{
    if (key == QLatin1String("lumarc::TGauge"))
        return new TGaugeAccessible(static_cast<TGauge*>(object));
    return nullptr;
}

}  // namespace

TGaugeAccessible::TGaugeAccessible(TGauge* gauge) : QAccessibleWidget(gauge, QAccessible::ProgressBar) {}

void TGaugeAccessible::Install()
{
    static const bool installed = [] {
        QAccessible::installFactory(&MakeInterface);
        return true;
    }();
    (void)installed;
}

TGauge* TGaugeAccessible::Gauge() const
{
    return static_cast<TGauge*>(widget());
}

void* TGaugeAccessible::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::ValueInterface)
        return static_cast<QAccessibleValueInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
}

QString TGaugeAccessible::text(QAccessible::Text kind) const
{
    if (kind == QAccessible::Value)
        return QStringLiteral("%1 %").arg(Gauge()->Percent());
    return QAccessibleWidget::text(kind);
}

QVariant TGaugeAccessible::currentValue() const
{
    return Gauge()->Progress();
}

QVariant TGaugeAccessible::maximumValue() const
{
    return Gauge()->MaxValue();
}

QVariant TGaugeAccessible::minimumValue() const
{
    return Gauge()->MinValue();
}

}  // namespace lumarc
