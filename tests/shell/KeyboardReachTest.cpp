// Every window without a mouse: Tab and Shift+Tab reach each control a user works with, and a
// stop that is no control (a scroll area around the fields, a bare panel) would be a place where
// the focus is invisible. The button bar's buttons take no focus; their commands have keys.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractScrollArea>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QToolButton>

#include <string>
#include <vector>

#include "EveryWindow.h"
#include "controls/MicaTextView.h"

namespace lumarc::test {
namespace {

bool IsControl(const QWidget* w)
{
    if (qobject_cast<const QToolButton*>(w) && w->focusPolicy() == Qt::NoFocus && w->parentWidget() &&
        w->parentWidget()->objectName() != QLatin1String("FindBar"))
        return false;  // a speed button, whose command has a key
    return qobject_cast<const QAbstractButton*>(w) || qobject_cast<const QLineEdit*>(w) ||
           qobject_cast<const QComboBox*>(w) || qobject_cast<const QAbstractItemView*>(w) ||
           qobject_cast<const QPlainTextEdit*>(w) || qobject_cast<const QAbstractSpinBox*>(w) ||
           qobject_cast<const TMicaTextView*>(w);
}

bool Usable(const QWidget* w, const QWidget* window)
{
    return w->isVisibleTo(window) && w->isEnabled() && w->window() == window;
}

// Where Tab stops, in the order it stops there.
std::vector<QWidget*> TabStops(QWidget* window)
{
    std::vector<QWidget*> stops;
    for (QWidget* w = window->nextInFocusChain(); w != window; w = w->nextInFocusChain()) {
        if (Usable(w, window) && (w->focusPolicy() & Qt::TabFocus) && !w->focusProxy())
            stops.push_back(w);
    }
    return stops;
}

std::string Name(const QWidget* w)
{
    return (w->objectName().isEmpty() ? std::string(w->metaObject()->className()) : w->objectName().toStdString());
}

void ExpectReachable(QWidget& window)
{
    const std::vector<QWidget*> stops = TabStops(&window);
    for (QWidget* w : window.findChildren<QWidget*>()) {
        if (!Usable(w, &window) || !IsControl(w) || w->objectName().startsWith(QLatin1String("qt_")))
            continue;
        // A control that hands its focus to another is reached through that one.
        const QWidget* target = w->focusProxy() ? w->focusProxy() : w;
        if (std::find(stops.begin(), stops.end(), target) == stops.end())
            ADD_FAILURE() << Name(&window) << ": Tab never reaches " << Name(w);
    }
    for (QWidget* stop : stops) {
        if (!IsControl(stop))
            ADD_FAILURE() << Name(&window) << ": Tab stops at " << Name(stop) << ", which shows no focus";
    }
    // Within one box the order is the reading order: a row before the rows below it, and
    // within a row from left to right.
    for (size_t i = 1; i < stops.size(); ++i) {
        const QWidget* a = stops[i - 1];
        const QWidget* b = stops[i];
        if (a->parentWidget() != b->parentWidget())
            continue;
        const QRect ra = a->geometry(), rb = b->geometry();
        const bool sameRow = ra.top() < rb.bottom() && rb.top() < ra.bottom();
        if (sameRow ? rb.left() < ra.left() : rb.top() < ra.top())
            ADD_FAILURE() << Name(&window) << ": Tab goes from " << Name(a) << " back to " << Name(b);
    }
}

class KeyboardReach : public TEveryWindowTest {};

TEST_F(KeyboardReach, TabReachesEveryControlOfEveryWindowInReadingOrderAndStopsOnlyAtControls)
{
    ForEveryWindow(ExpectReachable);
}

}  // namespace
}  // namespace lumarc::test
