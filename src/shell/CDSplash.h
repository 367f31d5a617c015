#pragma once
// The splash window shown while the forms are created. While it exists the mouse cursor is
// the hourglass; destroying it brings back the cursor that was current before.

#include <QWidget>

class QLabel;

namespace lumarc {

class TCDSplash : public QWidget {
    Q_OBJECT

public:
    static constexpr int kWidth = 289;
    static constexpr int kHeight = 325;
    static constexpr int kPictureWidth = 240;
    static constexpr int kPictureHeight = 239;
    static constexpr int kPictureTop = 12;

    explicit TCDSplash(QWidget* parent = nullptr);
    ~TCDSplash() override;

    // Shows the window and paints it at once, before the event loop runs.
    void ShowNow();

    // The splash picture, drawn in code: a disc over a shelf of component boxes.
    static QImage DrawPicture();

    QLabel* Picture = nullptr;
    QLabel* TitleLabel = nullptr;
    QLabel* LoadLabel = nullptr;
};

}  // namespace lumarc
