#include "shell/WideInfoForm.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>

#include <memory>
#include <string>
#include <vector>

#include "catalogue/CompoText.h"

// Readable failure messages for layouts.
void PrintTo(const QRect& r, std::ostream* out)
{
    *out << r.x() << "," << r.y() << " " << r.width() << "x" << r.height();
}

namespace lumarc {
namespace {

TStringList Lines(const std::vector<std::string>& texts)
{
    TStringList list;
    for (const std::string& t : texts)
        list.Add(t);
    return list;
}

void Mouse(QWidget* target, QEvent::Type type, int y, Qt::MouseButton button, Qt::MouseButtons buttons,
           Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    const QPoint pos(10, y);
    QMouseEvent event(type, QPointF(pos), QPointF(target->mapToGlobal(pos)), button, buttons, modifiers);
    QApplication::sendEvent(target, &event);
}

// Presses the left button inside the bar, moves in steps to Dy in the bar's coordinates and
// releases there: the bar's top edge goes where the mouse is, wherever it was grabbed.
void DragBar(QWidget* bar, int dy)
{
    Mouse(bar, QEvent::MouseButtonPress, 5, Qt::LeftButton, Qt::LeftButton);
    for (int step = 1; step <= 3; ++step)
        Mouse(bar, QEvent::MouseMove, dy * step / 3, Qt::NoButton, Qt::LeftButton);
    Mouse(bar, QEvent::MouseButtonRelease, dy, Qt::LeftButton, Qt::NoButton);
}

int VisibleLines(const QWidget& form)
{
    int count = 0;
    for (QWidget* w : form.findChildren<QWidget*>(QStringLiteral("SplitLine")))
        count += w->isVisible();
    return count;
}

// Review, upper bar, notes, lower bar, long description: top to bottom.
using TLayout = std::vector<QRect>;

class ShellWideInfoForm : public ::testing::Test {
protected:
    void SetUp() override
    {
        Compo.LongName = "Grid \x80 Pro";
        Compo.LongInfo = Lines({"Lange Beschreibung", "mit \xE4nderungen", "", "Ende \x81"});
        Compo.Installation = Lines({"Setup starten"});
        Compo.Review = Lines({"Sehr gut", "empfehlenswert"});
    }
    TLayout Layout() const
    {
        return {F.ReViewMemo->geometry(), F.UpperSplitter->geometry(), F.InstallMemo->geometry(),
                F.LowerSplitter->geometry(), F.LongInfoMemo->geometry()};
    }
    void ShowForm()
    {
        F.show();
        QApplication::processEvents();
    }
    TWideInfoForm F;
    TCompoText Compo;
};

TEST_F(ShellWideInfoForm, WindowAndStartingLayout)
{
    EXPECT_EQ(F.objectName(), "WideInfoForm");
    EXPECT_EQ(F.geometry(), QRect(22, 32, 590, 443));
    EXPECT_FALSE(F.windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_TRUE(F.windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_EQ(F.WideScroll->geometry(), QRect(2, 2, 586, 439));
    for (const char* name : {"ReviewLabel", "BackBtn", "ReViewMemo", "UpperSplitter", "InstallMemo",
                             "LowerSplitter", "LongInfoMemo"}) {
        auto* w = F.findChild<QWidget*>(QString::fromLatin1(name));
        ASSERT_NE(w, nullptr) << name;
        EXPECT_EQ(w->parentWidget(), F.WideScroll->widget()) << name;
    }
    EXPECT_EQ(F.ReviewLabel->text(), "persönliche Einschätzung:");
    EXPECT_EQ(F.UpperSplitter->text(), "Installationshinweise:");
    EXPECT_EQ(F.LowerSplitter->text(), "Komponentenbeschreibung:");
    EXPECT_EQ(F.LowerSplitter->cursor().shape(), Qt::SplitVCursor);
    // The lower bar at the notes' designed bottom (122 + 96); the long description down to 4
    // pixels above the window's edge; the notes from below the upper bar to the lower bar.
    TLayout expected{QRect(0, 34, 572, 65), QRect(1, 99, 585, 19), QRect(0, 119, 586, 99),
                           QRect(0, 218, 586, 19), QRect(0, 238, 586, 201)};
    EXPECT_EQ(Layout(), expected);
    ShowForm();
    expected[0].setWidth(584);   // the first resize widens the review to the scroll box
    EXPECT_EQ(Layout(), expected) << "showing resizes the window once more: no bar may creep";
}

TEST_F(ShellWideInfoForm, ResizingKeepsTheBarsAndWidensTheMemos)
{
    ShowForm();
    const TLayout before = Layout();
    for (int i = 0; i < 5; ++i)
        F.FormResize();
    EXPECT_EQ(Layout(), before);
    F.resize(790, 543);
    QApplication::processEvents();
    EXPECT_EQ(F.BackBtn->geometry(), QRect(786 - 2 - 89, 2, 89, 27));
    EXPECT_EQ(F.ReViewMemo->width(), 784);
    EXPECT_EQ(F.InstallMemo->width(), 786);
    EXPECT_EQ(F.LongInfoMemo->geometry(), QRect(0, 238, 786, 301));
    EXPECT_EQ(F.LowerSplitter->y(), before[3].y());
    EXPECT_EQ(F.UpperSplitter->y(), before[1].y());
}

TEST_F(ShellWideInfoForm, FillDecodesTheTextsAndShowsOnlyWhenAsked)
{
    F.Fill(Compo, false);
    EXPECT_FALSE(F.isVisible()) << "printing and copying fill it unseen";
    EXPECT_EQ(F.windowTitle(), "Detailansicht der Komponente: Grid € Pro");
    EXPECT_EQ(F.LongInfoMemo->toPlainText(), QString::fromUtf8("Lange Beschreibung\nmit änderungen\n\nEnde \xC2\x81"));
    EXPECT_EQ(F.InstallMemo->toPlainText(), "Setup starten");
    EXPECT_EQ(F.ReViewMemo->toPlainText(), "Sehr gut\nempfehlenswert");
    // Read back byte for byte, the undefined CP1252 byte included.
    EXPECT_EQ(F.LongInfoLines(), Compo.LongInfo);

    F.Fill(Compo, true);
    EXPECT_TRUE(F.isVisible());
    F.Fill(TCompoText(), false);
    EXPECT_TRUE(F.LongInfoLines().Empty());
    EXPECT_TRUE(F.isVisible()) << "filling unseen leaves an open window open";
}

TEST_F(ShellWideInfoForm, EscAndBackButtonHideKeepingContentAndLayout)
{
    F.Fill(Compo, true);
    QApplication::processEvents();
    DragBar(F.LowerSplitter, -30);
    const TLayout dragged = Layout();
    for (QWidget* target : {static_cast<QWidget*>(F.InstallMemo), static_cast<QWidget*>(&F)}) {
        F.show();
        QKeyEvent key(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
        QApplication::sendEvent(target, &key);
        EXPECT_TRUE(F.isVisible());
        QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(target, &esc);
        EXPECT_FALSE(F.isVisible()) << target->objectName().toStdString();
    }
    F.show();
    F.BackBtn->click();
    EXPECT_FALSE(F.isVisible());
    F.show();
    QApplication::processEvents();
    EXPECT_EQ(F.LongInfoLines(), Compo.LongInfo) << "read-only, and kept while hidden";
    EXPECT_EQ(Layout(), dragged);
}

TEST_F(ShellWideInfoForm, DraggingTheBarsSharesTheHeight)
{
    ShowForm();
    const TLayout before = Layout();
    // Lower bar up by 30: the notes lose 30, the long description gains them.
    DragBar(F.LowerSplitter, -30);
    EXPECT_EQ(F.InstallMemo->height(), before[2].height() - 30);
    EXPECT_EQ(F.LowerSplitter->y(), before[3].y() - 30);
    EXPECT_EQ(F.LongInfoMemo->geometry(), before[4].adjusted(0, -30, 0, 0));
    EXPECT_EQ(F.UpperSplitter->geometry(), before[1]);
    // Upper bar down by 20: the review gains 20, the notes' top follows, the lower bar stays.
    DragBar(F.UpperSplitter, 20);
    EXPECT_EQ(F.ReViewMemo->height(), before[0].height() + 20);
    EXPECT_EQ(F.UpperSplitter->y(), before[1].y() + 20);
    EXPECT_EQ(F.InstallMemo->geometry(), QRect(0, before[2].y() + 20, 586, before[2].height() - 50));
    EXPECT_EQ(F.LowerSplitter->y(), before[3].y() - 30);
    EXPECT_EQ(VisibleLines(F), 0);
}

TEST_F(ShellWideInfoForm, BarsStopBeforeAnyMemoGoesNegative)
{
    ShowForm();
    const int bottom = F.WideScroll->widget()->height();
    for (const auto& [bar, dy] : std::vector<std::pair<QWidget*, int>>{
             {F.LowerSplitter, -2000}, {F.UpperSplitter, 2000}, {F.UpperSplitter, -2000}, {F.LowerSplitter, 2000}}) {
        DragBar(bar, dy);
        const TLayout l = Layout();
        SCOPED_TRACE(bar->objectName().toStdString() + " " + std::to_string(dy));
        EXPECT_EQ(l[0].y(), 34);
        for (size_t i = 0; i < l.size(); ++i) {
            EXPECT_GE(l[i].height(), 0) << i;
            if (i > 0) {
                EXPECT_LE(l[i - 1].y() + l[i - 1].height(), l[i].y()) << "overlap or change of order at " << i;
            }
        }
        EXPECT_LE(l[4].y() + l[4].height(), bottom);
    }
    EXPECT_EQ(F.ReViewMemo->height(), 0);
    EXPECT_EQ(F.LongInfoMemo->height(), 0);
    EXPECT_EQ(F.LowerSplitter->y() + F.LowerSplitter->height() + 1, bottom) << "the bar stays in the window";
    DragBar(F.UpperSplitter, 2000);
    EXPECT_EQ(F.InstallMemo->height(), 0);
    EXPECT_EQ(F.InstallMemo->y(), F.LowerSplitter->y());
}

TEST_F(ShellWideInfoForm, OnlyAPlainLeftButtonDrags)
{
    ShowForm();
    const TLayout before = Layout();
    QWidget* bar = F.LowerSplitter;
    struct TPress {
        Qt::MouseButton Button;
        Qt::MouseButtons Held;
        Qt::KeyboardModifiers Modifiers;
    };
    for (const TPress p : {TPress{Qt::RightButton, Qt::RightButton, Qt::NoModifier},
                           TPress{Qt::LeftButton, Qt::LeftButton, Qt::ShiftModifier},
                           TPress{Qt::LeftButton, Qt::LeftButton | Qt::RightButton, Qt::NoModifier}}) {
        Mouse(bar, QEvent::MouseButtonPress, 5, p.Button, p.Held, p.Modifiers);
        EXPECT_EQ(VisibleLines(F), 0);
        Mouse(bar, QEvent::MouseMove, -40, Qt::NoButton, p.Held, p.Modifiers);
        Mouse(bar, QEvent::MouseButtonRelease, -40, p.Button, Qt::NoButton, p.Modifiers);
        EXPECT_EQ(Layout(), before);
    }
    Mouse(bar, QEvent::MouseButtonPress, 5, Qt::LeftButton, Qt::LeftButton);
    Mouse(bar, QEvent::MouseMove, 15, Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(VisibleLines(F), 1);
    Mouse(bar, QEvent::MouseButtonRelease, 15, Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(F.LowerSplitter->y(), before[3].y() + 15);
}

}  // namespace
}  // namespace lumarc
