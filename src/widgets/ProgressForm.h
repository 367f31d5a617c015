#pragma once
// The small window that shows how far a long job (printing, copying, unpacking) has come.
// It has no behaviour of its own: its users set the label's text and the gauge's progress,
// and free it when they are done.

#include <QWidget>

class QLabel;
class QPushButton;

namespace lumarc {

class TBevelPanel;
class TGauge;

class TProgressForm : public QWidget {
    Q_OBJECT

public:
    static constexpr int kClientWidth = 232;
    static constexpr int kClientHeight = 49;

    // Borderless, on top of the other windows, centred on the screen and visible at once.
    explicit TProgressForm(QWidget* parent = nullptr);

    TBevelPanel* Panel() const { return FPanel; }
    QLabel* InfoLabel() const { return FInfoLabel; }
    TGauge* Gauge() const { return FGauge; }

    // Adds an "Abbrechen" button below the panel; a click on it only asks the job to stop,
    // which the job reads through CancelRequested after each step.
    void EnableCancel();
    bool CancelRequested() const { return FCancelRequested; }
    QPushButton* CancelButton() const { return FCancelButton; }
    // Narrower than this, the button would not fit.
    int MinimumWidth() const;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QPushButton* FCancelButton = nullptr;
    bool FCancelRequested = false;
    TBevelPanel* FPanel;
    QLabel* FInfoLabel;
    TGauge* FGauge;
};

}  // namespace lumarc
