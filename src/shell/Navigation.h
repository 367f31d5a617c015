#pragma once

#include <QObject>

#include "catalogue/IntList.h"

class QAbstractButton;
class QEvent;
class QTreeWidgetItem;

namespace lumarc {

class TBrowzerOutline;

// The navigation buttons, the history of shown entries and the outline's keys and clicks.
// Buttons only move the outline's selection. No thread polls the selection: the main window
// hears the tree's own selection-change signal and shows the entry from a zero timer, so that
// every change leads to one display in the next turn of the event loop (several changes in
// one go to one display), with HandledNode set first; EntryDisplayed then records it.
// The install button stands behind the right mouse button, the back button follows the
// history.
class TNavigation : public QObject {
    Q_OBJECT

public:
    // At most this many entries stay in the history.
    static constexpr int kMaxHistory = 21;

    // Watches the outline for the Enter key and the right mouse button.
    TNavigation(TBrowzerOutline& outline, QAbstractButton& installButton, QAbstractButton& backButton);
    ~TNavigation() override;

    void SBFirstClick();
    void SBPrevClick();
    void SBDownClick();
    void SBUpClick();
    void SBNextClick();
    // Selects the entry shown before the last one recorded; its display is not recorded.
    void SBPrevHistClick();
    // After each display of the selected entry: enters it in the history.
    void EntryDisplayed();
    const TIntList& History() const { return FHistory; }
    // False while the display of a step back is coming, which is not recorded.
    bool RecordHistory() const { return FRecordHistory; }
    // Another catalogue: its entries are not the old ones.
    void ClearHistory();

    // Enter marks the selection as handled and is swallowed: no beep, no second display.
    void OverviewOLKeyPress();
    // The right button installs the shown entry when that is possible. Returns whether the
    // install command ran.
    bool OverviewOLMouseDown(Qt::MouseButton button);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void UpdateBackButton();

    TBrowzerOutline& FOutline;
    QWidget* FOutlineViewport;
    QAbstractButton& FInstallButton;
    QAbstractButton& FBackButton;
    TIntList FHistory;
    bool FRecordHistory = true;
};

}  // namespace lumarc
