#pragma once
// The small window that shows how far a long job (printing, copying, unpacking) has come.
// It has no behaviour of its own: its users set the label's text and the gauge's progress,
// and free it when they are done.

#include <QWidget>

class QLabel;

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

private:
    TBevelPanel* FPanel;
    QLabel* FInfoLabel;
    TGauge* FGauge;
};

}  // namespace lumarc
