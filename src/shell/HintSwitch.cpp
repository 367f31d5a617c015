#include "HintSwitch.h"

#include <QCoreApplication>
#include <QEvent>

namespace lumarc {

THintSwitch::THintSwitch(QObject* parent) : QObject(parent)
{
    if (QCoreApplication::instance())
        QCoreApplication::instance()->installEventFilter(this);
}

THintSwitch::~THintSwitch()
{
    if (QCoreApplication::instance())
        QCoreApplication::instance()->removeEventFilter(this);
}

bool THintSwitch::eventFilter(QObject* watched, QEvent* event)
{
    if (!FShowHints && event->type() == QEvent::ToolTip)
        return true;
    return QObject::eventFilter(watched, event);
}

}  // namespace lumarc
