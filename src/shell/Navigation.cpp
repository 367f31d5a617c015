#include "Navigation.h"

#include <QAbstractButton>
#include <QEvent>
#include <QKeyEvent>
#include <QMouseEvent>

#include <exception>

#include "Messages.h"
#include "ToolDiscMain.h"
#include "controls/BrowzerOutline.h"

namespace lumarc {

namespace {

const char* const kErrorCaption = "Lumarcer - Fehler";

bool IsEnterKey(const QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const int key = static_cast<const QKeyEvent*>(event)->key();
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

bool IsRightButtonEvent(const QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
        return static_cast<const QMouseEvent*>(event)->button() == Qt::RightButton;
    default:
        return false;
    }
}

}  // namespace

TNavigation::TNavigation(TBrowzerOutline& outline, QAbstractButton& installButton, QAbstractButton& backButton)
    : FOutline(outline), FOutlineViewport(outline.viewport()), FInstallButton(installButton), FBackButton(backButton)
{
    FOutline.installEventFilter(this);
    FOutlineViewport->installEventFilter(this);
}

void TNavigation::ClearHistory()
{
    FHistory.Clear();
    FRecordHistory = true;
    UpdateBackButton();
}

TNavigation::~TNavigation() = default;

void TNavigation::SBFirstClick()
{
    FOutline.ResetOverview();
}

void TNavigation::SBPrevClick()
{
    FOutline.LevelUp();
}

void TNavigation::SBDownClick()
{
    FOutline.LineDown();
}

void TNavigation::SBUpClick()
{
    FOutline.LineUp();
}

void TNavigation::SBNextClick()
{
    FOutline.NextEntry();
}

void TNavigation::SBPrevHistClick()
{
    TIntList& history = FHistory;
    const int n = history.Count() - 2;
    if (n >= 0) {
        const int entry = history[n];
        history.Delete(n);
        TBrowzerOutline& outline = FOutline;
        const QTreeWidgetItem* before = outline.currentItem();
        try {
            outline.SelectEntry(entry);
        } catch (const std::exception& e) {
            // A slot must not let the error into the event loop; the entry is gone from the
            // history, so the next back step goes further.
            ShowMessage(TMessageKind::mkMsgBox, QString::fromLatin1(kErrorCaption), QString::fromUtf8(e.what()));
        }
        // Only a selection that moved leads to a display; skipping the recording of a display
        // that never comes would lose the next real one.
        if (outline.currentItem() != before)
            FRecordHistory = false;
    }
    UpdateBackButton();
}

void TNavigation::EntryDisplayed()
{
    if (!FRecordHistory) {
        FRecordHistory = true;
        return;
    }
    TIntList& history = FHistory;
    const int entry = FOutline.SelectedEntry();
    if (entry >= 0 && (history.Count() == 0 || history[history.Count() - 1] != entry)) {
        // The oldest entry makes room only for a new one: showing the same entry again must
        // not shorten the history.
        while (history.Count() >= kMaxHistory)
            history.Delete(0);
        history.Add(entry);
    }
    UpdateBackButton();
}

void TNavigation::UpdateBackButton()
{
    FBackButton.setEnabled(FHistory.Count() > 1);
}

void TNavigation::OverviewOLKeyPress()
{
    TBrowzerOutline& outline = FOutline;
    outline.SetHandledNode(outline.currentItem());
}

bool TNavigation::OverviewOLMouseDown(Qt::MouseButton button)
{
    if (button != Qt::RightButton || !FInstallButton.isEnabled())
        return false;
    // Through the button, so the command runs exactly as a click on it would.
    FInstallButton.click();
    return true;
}

bool TNavigation::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == &FOutline && IsEnterKey(event)) {
        OverviewOLKeyPress();
        return true;
    }
    // The viewport is compared as it was kept: while the outline is being destroyed its
    // events still arrive here, and it is then no outline to ask for its viewport.
    if (watched == FOutlineViewport && IsRightButtonEvent(event)) {
        // The right button is the install shortcut for the shown entry; it must not select
        // the node under the mouse, which would show another entry than the one installed.
        if (event->type() == QEvent::MouseButtonPress)
            OverviewOLMouseDown(Qt::RightButton);
        return true;
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace lumarc
