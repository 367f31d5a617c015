#pragma once
// A panel framed by a one-pixel black border with a raised bevel inside it.

#include <QWidget>

namespace lumarc {

class TBevelPanel : public QWidget {
    Q_OBJECT

public:
    explicit TBevelPanel(QWidget* parent = nullptr);

    int BevelWidth() const { return FBevelWidth; }
    void SetBevelWidth(int width);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int FBevelWidth = 2;
};

}  // namespace lumarc
