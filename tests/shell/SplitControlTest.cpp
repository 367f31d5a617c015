#include "shell/SplitControl.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QPainter>

#include <memory>

namespace lumarc {
namespace {

// The main window's shape: a pane at left 1, a 3-pixel upright bar beside it; the background
// is striped so an inverted line is easy to tell from the plain one.
class TStripedForm : public QWidget {
public:
    TStripedForm()
    {
        resize(400, 300);
        Left = new QWidget(this);
        Left->setGeometry(1, 29, 176, 264);
        Bar = new QWidget(this);
        Bar->setGeometry(178, 29, 3, 264);
    }
    QWidget* Left;
    QWidget* Bar;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        for (int x = 0; x < width(); ++x)
            p.fillRect(x, 0, 1, height(), (x % 2) ? QColor(200, 40, 10) : QColor(30, 120, 220));
    }
};

int VisibleLines(const QWidget& form)
{
    int count = 0;
    for (QWidget* w : form.findChildren<QWidget*>(QStringLiteral("SplitLine")))
        count += w->isVisible();
    return count;
}

class ShellSplitControl : public ::testing::Test {
protected:
    void SetUp() override
    {
        Form.show();
        QApplication::processEvents();
    }
    int Drag(int x, int minSize = 0, int maxSize = 100000)
    {
        Form.Left->resize(176, 264);
        Split.BeginDrag(Form.Bar, Form.Left, minSize, maxSize);
        Split.TrackTo(x, 77);
        Split.EndDrag();
        return Form.Left->width();
    }
    TStripedForm Form;
    TSplitControl Split{&Form};
};

TEST_F(ShellSplitControl, TrackedPointSetsTheWidthWithinTheFormAndTheRange)
{
    Split.BeginDrag(Form.Bar, Form.Left);
    EXPECT_TRUE(Split.Dragging());
    EXPECT_FALSE(Split.Horizontal());
    Split.TrackTo(-50, 77);
    EXPECT_EQ(Split.Pos(), QPoint(-50, 0)) << "only the coordinate along the drag moves";
    Split.EndDrag();
    EXPECT_FALSE(Split.Dragging());
    // The bar's left edge 178 is 177 in the pane's coordinates.
    EXPECT_EQ(Form.Left->geometry(), QRect(1, 29, 127, 264));

    EXPECT_EQ(Drag(0), 177);
    EXPECT_EQ(Drag(-176), 1);
    EXPECT_EQ(Drag(-5000), 0) << "never below zero";
    // The bar stops at the form's edge: 400 - 3 - 1.
    EXPECT_EQ(Drag(219), 396);
    EXPECT_EQ(Drag(5000), 396);
    EXPECT_EQ(Drag(-170, 50, 200), 50);
    EXPECT_EQ(Drag(100, 50, 200), 200);
    EXPECT_EQ(Drag(-1000, -100, 200), 0);
}

TEST_F(ShellSplitControl, OneInvertedLineFollowsTheMouseAndIsGoneBeforeTheResize)
{
    const QImage plain = Form.grab().toImage();
    Split.BeginDrag(Form.Bar, Form.Left);
    for (int x : {-10, -20, -20, 35, 5}) {
        Split.TrackTo(x, 0);
        EXPECT_EQ(VisibleLines(Form), 1) << x;
    }
    // As thick as the bar, centred on its left edge at 178 + 5, as long as the bar is high.
    const QImage shown = Form.grab().toImage();
    for (int x = 170; x < 195; ++x) {
        for (int y : {28, 29, 150, 292, 293}) {
            const QRgb c = plain.pixel(x, y);
            const bool inLine = x >= 182 && x < 185 && y >= 29 && y < 293;
            EXPECT_EQ(shown.pixel(x, y), inLine ? qRgb(255 - qRed(c), 255 - qGreen(c), 255 - qBlue(c)) : c)
                << x << "," << y;
        }
    }

    struct TResizeProbe : QObject {
        QWidget* Form;
        int LinesAtResize = -1;
        bool eventFilter(QObject*, QEvent* e) override
        {
            if (e->type() == QEvent::Resize)
                LinesAtResize = VisibleLines(*Form);
            return false;
        }
    } probe;
    probe.Form = &Form;
    Form.Left->installEventFilter(&probe);
    Split.EndDrag();
    QApplication::processEvents();
    EXPECT_EQ(probe.LinesAtResize, 0);
    EXPECT_TRUE(Form.findChildren<QWidget*>(QStringLiteral("SplitLine")).isEmpty());
    EXPECT_EQ(Form.grab().toImage().pixel(183, 150), plain.pixel(183, 150));
}

TEST_F(ShellSplitControl, CallsOutsideADragAndVanishingTargetsAreHarmless)
{
    Split.TrackTo(10, 10);
    Split.EndDrag();
    Split.BeginDrag(nullptr, Form.Left);
    EXPECT_FALSE(Split.Dragging());
    EXPECT_EQ(Form.Left->width(), 176);

    auto* doomed = new QWidget(&Form);
    Split.BeginDrag(Form.Bar, doomed);
    delete doomed;
    Split.TrackTo(-10, 0);
    Split.EndDrag();
    EXPECT_FALSE(Split.Dragging());
    EXPECT_EQ(VisibleLines(Form), 0);

    // A second BeginDrag finishes the first; destroyed mid-drag, the line goes with it.
    auto split = std::make_unique<TSplitControl>(&Form);
    split->BeginDrag(Form.Bar, Form.Left);
    split->TrackTo(-6, 0);
    split->BeginDrag(Form.Bar, Form.Left);
    EXPECT_EQ(Form.Left->width(), 171);
    EXPECT_EQ(VisibleLines(Form), 1);
    split.reset();
    EXPECT_TRUE(Form.findChildren<QWidget*>(QStringLiteral("SplitLine")).isEmpty());
}

}  // namespace
}  // namespace lumarc
