#include "shell/SplitControl.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QPointer>

#include <memory>

namespace lumarc {
namespace {

// A window in the main window's shape: a pane on the left, a 3-pixel upright bar beside it
// and a pane on the right; its background is striped so an inverted line is easy to find.
class TStripedForm : public QWidget {
public:
    TStripedForm()
    {
        setObjectName(QStringLiteral("SplitForm"));
        resize(400, 300);
        Left = new QWidget(this);
        Left->setGeometry(1, 29, 176, 264);
        Bar = new QWidget(this);
        Bar->setGeometry(178, 29, 3, 264);
        Low = new QWidget(this);
        Low->setGeometry(0, 250, 400, 19);
    }

    QWidget* Left;
    QWidget* Bar;
    QWidget* Low;

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

QRgb Inverted(QRgb c)
{
    return qRgb(255 - qRed(c), 255 - qGreen(c), 255 - qBlue(c));
}

class TSplitFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        Form = std::make_unique<TStripedForm>();
        Form->show();
        QApplication::processEvents();
        Split = std::make_unique<TSplitControl>(Form.get());
    }
    void TearDown() override
    {
        Split.reset();
        Form.reset();
    }

    std::unique_ptr<TStripedForm> Form;
    std::unique_ptr<TSplitControl> Split;
};

using ShellSplitControl = TSplitFixture;

TEST_F(ShellSplitControl, UprightBarSetsTargetWidthFromTrackedPoint)
{
    EXPECT_FALSE(Split->Dragging());
    Split->BeginDrag(Form->Bar, Form->Left);
    EXPECT_TRUE(Split->Dragging());
    EXPECT_FALSE(Split->Horizontal());
    EXPECT_EQ(Split->Pos(), QPoint(0, 0));
    Split->TrackTo(-50, 77);
    EXPECT_EQ(Split->Pos(), QPoint(-50, 0)) << "only the coordinate along the drag moves";
    Split->TrackTo(-40, 3);
    Split->EndDrag();
    EXPECT_FALSE(Split->Dragging());
    // Bar left 178 is 177 in the pane's coordinates (the pane starts at 1).
    EXPECT_EQ(Form->Left->size(), QSize(137, 264));
    EXPECT_EQ(Form->Left->pos(), QPoint(1, 29));
}

TEST_F(ShellSplitControl, WideBarSetsTargetHeight)
{
    auto* above = new QWidget(Form.get());
    above->setGeometry(0, 100, 400, 150);   // ends where the bar begins
    Split->BeginDrag(Form->Low, above);
    EXPECT_TRUE(Split->Horizontal());
    Split->TrackTo(123, -30);
    EXPECT_EQ(Split->Pos(), QPoint(0, -30));
    Split->EndDrag();
    EXPECT_EQ(above->size(), QSize(400, 120));
}

TEST_F(ShellSplitControl, ReleaseWithoutMoveKeepsTheSize)
{
    Split->BeginDrag(Form->Bar, Form->Left);
    Split->EndDrag();
    EXPECT_EQ(Form->Left->width(), 177);
}

TEST_F(ShellSplitControl, OneInvertedLineFollowsTheMouseAndIsGoneBeforeTheResize)
{
    const QImage plain = Form->grab().toImage();
    Split->BeginDrag(Form->Bar, Form->Left);
    EXPECT_EQ(VisibleLines(*Form), 1);
    for (int x : {-10, -20, -20, 35, 5}) {
        Split->TrackTo(x, 0);
        EXPECT_EQ(VisibleLines(*Form), 1) << x;
    }
    // The line is as thick as the bar, centred on the bar's left edge at 178 + 5, and runs
    // the bar's height; everything else is untouched.
    const QImage shown = Form->grab().toImage();
    for (int x = 170; x < 195; ++x) {
        const bool inLine = x >= 182 && x < 185;
        for (int y : {29, 150, 292}) {
            const QRgb expected = inLine ? Inverted(plain.pixel(x, y)) : plain.pixel(x, y);
            EXPECT_EQ(shown.pixel(x, y), expected) << x << "," << y;
        }
    }
    EXPECT_EQ(shown.pixel(183, 28), plain.pixel(183, 28));
    EXPECT_EQ(shown.pixel(183, 293), plain.pixel(183, 293));

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
    probe.Form = Form.get();
    Form->Left->installEventFilter(&probe);
    Split->EndDrag();
    QApplication::processEvents();
    EXPECT_EQ(probe.LinesAtResize, 0);
    EXPECT_TRUE(Form->findChildren<QWidget*>(QStringLiteral("SplitLine")).isEmpty());
    EXPECT_EQ(Form->grab().toImage().pixel(183, 150), plain.pixel(183, 150));
}

TEST_F(ShellSplitControl, DragsAreBoundedToTheFormAndNeverNegative)
{
    struct TCase {
        int Track;
        int Width;
    };
    // Far left: the pane shrinks to nothing. Far right: the bar stops at the form's edge, so
    // the pane is 400 - 3 - 1 wide and the bar's right edge is the form's.
    for (const TCase c : {TCase{-5000, 0}, TCase{-177, 0}, TCase{-176, 1}, TCase{219, 396}, TCase{5000, 396}}) {
        Form->Left->resize(176, 264);
        Split->BeginDrag(Form->Bar, Form->Left);
        Split->TrackTo(c.Track, 0);
        Split->EndDrag();
        EXPECT_EQ(Form->Left->width(), c.Width) << c.Track;
    }
}

TEST_F(ShellSplitControl, SizeRangeBoundsTheLineAndTheResult)
{
    Split->BeginDrag(Form->Bar, Form->Left, 50, 200);
    Split->TrackTo(-170, 0);
    EXPECT_EQ(Split->Pos().x(), 50 - 177) << "the line stops where the size would leave its range";
    Split->EndDrag();
    EXPECT_EQ(Form->Left->width(), 50);
    Split->BeginDrag(Form->Bar, Form->Left, 50, 200);
    Split->TrackTo(100, 0);
    Split->EndDrag();
    // The bar itself did not move (its owner lays it out), so the pane's range bounds again.
    EXPECT_EQ(Form->Left->width(), 200);
    // A range reaching below zero is still cut at zero.
    Split->BeginDrag(Form->Bar, Form->Left, -100, 200);
    Split->TrackTo(-1000, 0);
    Split->EndDrag();
    EXPECT_EQ(Form->Left->width(), 0);
}

TEST_F(ShellSplitControl, BarAndTargetInDifferentContainers)
{
    auto* boxA = new QWidget(Form.get());
    boxA->setGeometry(20, 40, 300, 200);
    auto* boxB = new QWidget(Form.get());
    boxB->setGeometry(5, 10, 300, 250);
    auto* bar = new QWidget(boxA);
    bar->setGeometry(0, 60, 250, 10);   // form y 100
    auto* target = new QWidget(boxB);
    target->setGeometry(0, 30, 250, 40);   // form y 40..80
    boxA->show();
    boxB->show();
    Split->BeginDrag(bar, target);
    Split->TrackTo(0, 12);
    Split->EndDrag();
    EXPECT_EQ(target->height(), 100 + 12 - 40);
}

TEST_F(ShellSplitControl, CallsOutsideADragAndVanishingTargetsAreHarmless)
{
    Split->TrackTo(10, 10);
    Split->EndDrag();
    EXPECT_EQ(Form->Left->width(), 176);
    Split->BeginDrag(nullptr, Form->Left);
    EXPECT_FALSE(Split->Dragging());

    auto* doomed = new QWidget(Form.get());
    doomed->setGeometry(0, 0, 100, 100);
    Split->BeginDrag(Form->Bar, doomed);
    delete doomed;
    Split->TrackTo(-10, 0);
    Split->EndDrag();
    EXPECT_FALSE(Split->Dragging());
    EXPECT_EQ(VisibleLines(*Form), 0);

    // A second BeginDrag finishes the first, leaving one line only.
    Split->BeginDrag(Form->Bar, Form->Left);
    Split->TrackTo(-6, 0);
    Split->BeginDrag(Form->Bar, Form->Left);
    EXPECT_EQ(Form->Left->width(), 171);
    EXPECT_EQ(VisibleLines(*Form), 1);
    Split.reset();   // destroyed mid-drag: the line goes with it
    EXPECT_TRUE(Form->findChildren<QWidget*>(QStringLiteral("SplitLine")).isEmpty());
}

}  // namespace
}  // namespace lumarc
