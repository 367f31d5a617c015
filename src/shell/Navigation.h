#pragma once

#include <QObject>

class QEvent;
class QTreeWidgetItem;

namespace lumarc {

class TToolDiscMain;

// The navigation buttons, the history of shown entries and the outline's keys and clicks.
// Buttons only move the outline's selection. No thread polls the selection: the main window
// hears the tree's own selection-change signal and shows the entry from a zero timer, so that
// every change leads to one display in the next turn of the event loop (several changes in
// one go to one display), with HandledNode set first; EntryDisplayed then records it.
class TNavigation : public QObject {
    Q_OBJECT

public:
    // At most this many entries stay in the history.
    static constexpr int kMaxHistory = 21;

    // Watches the main window's outline for the Enter key and the right mouse button.
    explicit TNavigation(TToolDiscMain& main);
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

    // Enter marks the selection as handled and is swallowed: no beep, no second display.
    void OverviewOLKeyPress();
    // The right button installs the shown entry when that is possible. Returns whether the
    // install command ran.
    bool OverviewOLMouseDown(Qt::MouseButton button);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void UpdateBackButton();

    TToolDiscMain& FMain;
};

}  // namespace lumarc
