#include "shell/WideInfoForm.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>

#include <memory>
#include <string>
#include <vector>

#include "catalogue/CompoText.h"

namespace lumarc {
namespace {

TStringList Lines(const std::vector<std::string>& texts)
{
    TStringList list;
    for (const std::string& t : texts)
        list.Add(t);
    return list;
}

void Mouse(QWidget* target, QEvent::Type type, QPoint pos, Qt::MouseButton button, Qt::MouseButtons buttons,
           Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QMouseEvent event(type, QPointF(pos), QPointF(target->mapToGlobal(pos)), button, buttons, modifiers);
    QApplication::sendEvent(target, &event);
}

// Presses the left button inside the bar, moves in steps to Dy in the bar's coordinates and
// releases there: the bar's top edge goes to where the mouse is, wherever it was grabbed.
void DragBar(QWidget* bar, int dy)
{
    Mouse(bar, QEvent::MouseButtonPress, QPoint(10, 5), Qt::LeftButton, Qt::LeftButton);
    for (int step = 1; step <= 3; ++step)
        Mouse(bar, QEvent::MouseMove, QPoint(17, dy * step / 3), Qt::NoButton, Qt::LeftButton);
    Mouse(bar, QEvent::MouseButtonRelease, QPoint(17, dy), Qt::LeftButton, Qt::NoButton);
}

QString Text(const QPlainTextEdit* memo)
{
    return memo->toPlainText();
}

struct TLayout {
    QRect Review, Upper, Install, Lower, LongInfo;
    bool operator==(const TLayout&) const = default;
};

std::ostream& operator<<(std::ostream& out, const QRect& r)
{
    return out << r.x() << "," << r.y() << " " << r.width() << "x" << r.height();
}

std::ostream& operator<<(std::ostream& out, const TLayout& l)
{
    return out << "review " << l.Review << ", upper " << l.Upper << ", install " << l.Install << ", lower "
               << l.Lower << ", long " << l.LongInfo;
}

class ShellWideInfoForm : public ::testing::Test {
protected:
    void SetUp() override
    {
        Form = std::make_unique<TWideInfoForm>();
        Compo.LongName = "Grid \x80 Pro";
        Compo.LongInfo = Lines({"Lange Beschreibung", "mit \xE4nderungen", "", "Ende \x81"});
        Compo.Installation = Lines({"Setup starten"});
        Compo.Review = Lines({"Sehr gut", "empfehlenswert"});
    }

    TLayout Layout() const
    {
        return {Form->ReViewMemo->geometry(), Form->UpperSplitter->geometry(), Form->InstallMemo->geometry(),
                Form->LowerSplitter->geometry(), Form->LongInfoMemo->geometry()};
    }

    void ShowForm()
    {
        Form->show();
        QApplication::processEvents();
    }

    std::unique_ptr<TWideInfoForm> Form;
    TCompoText Compo;
};

TEST_F(ShellWideInfoForm, ComponentsWindowAndStartingLayout)
{
    EXPECT_EQ(Form->objectName(), "WideInfoForm");
    EXPECT_EQ(Form->geometry(), QRect(22, 32, 590, 443));
    const Qt::WindowFlags flags = Form->windowFlags();
    EXPECT_FALSE(flags & Qt::WindowMinimizeButtonHint);
    EXPECT_TRUE(flags & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(flags & Qt::WindowSystemMenuHint);
    EXPECT_TRUE(Form->isWindow());

    QWidget* contents = Form->WideScroll->widget();
    EXPECT_EQ(Form->WidePanel->geometry(), QRect(0, 0, 590, 443));
    EXPECT_EQ(Form->WideScroll->geometry(), QRect(2, 2, 586, 439));
    for (const char* name : {"ReviewLabel", "BackBtn", "ReViewMemo", "UpperSplitter", "InstallMemo",
                             "LowerSplitter", "LongInfoMemo"}) {
        auto* w = Form->findChild<QWidget*>(QString::fromLatin1(name));
        ASSERT_NE(w, nullptr) << name;
        EXPECT_EQ(w->parentWidget(), contents) << name;
    }
    EXPECT_EQ(Form->ReviewLabel->text(), "persönliche Einschätzung:");
    EXPECT_EQ(Form->BackBtn->text(), "&Zurück");
    EXPECT_EQ(Form->UpperSplitter->text(), "Installationshinweise:");
    EXPECT_EQ(Form->LowerSplitter->text(), "Komponentenbeschreibung:");
    EXPECT_EQ(Form->UpperSplitter->cursor().shape(), Qt::SplitVCursor);
    EXPECT_EQ(Form->LowerSplitter->cursor().shape(), Qt::SplitVCursor);
    for (QPlainTextEdit* memo : {Form->ReViewMemo, Form->InstallMemo, Form->LongInfoMemo}) {
        EXPECT_TRUE(memo->isReadOnly());
        EXPECT_EQ(memo->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    }

    // The lower bar sits at the installation notes' designed bottom (122 + 96), the long
    // description fills the rest down to 4 pixels above the window's edge, and the notes run
    // from below the upper bar to the lower bar.
    const TLayout expected{QRect(0, 34, 572, 65), QRect(1, 99, 585, 19), QRect(0, 119, 586, 99),
                           QRect(0, 218, 586, 19), QRect(0, 238, 586, 201)};
    EXPECT_EQ(Layout(), expected);
    ShowForm();
    EXPECT_EQ(Form->geometry().size(), QSize(590, 443));
}

TEST_F(ShellWideInfoForm, RepeatedResizesLeaveTheBarsWhereTheyAre)
{
    ShowForm();
    const TLayout before = Layout();
    for (int i = 0; i < 5; ++i)
        Form->FormResize();
    Form->resize(Form->width(), Form->height() + 1);
    Form->resize(Form->width(), Form->height() - 1);
    QApplication::processEvents();
    EXPECT_EQ(Layout(), before);
}

TEST_F(ShellWideInfoForm, WideningKeepsBackButtonAtTheEdgeAndWidensTheMemos)
{
    ShowForm();
    const TLayout before = Layout();
    Form->resize(790, 543);
    QApplication::processEvents();
    const int scrollWidth = Form->WideScroll->widget()->width();
    EXPECT_EQ(scrollWidth, 786);
    const QRect back = Form->BackBtn->geometry();
    EXPECT_EQ(back.x() + back.width(), scrollWidth - 2);
    EXPECT_EQ(back.y(), 2);
    EXPECT_EQ(Form->ReViewMemo->width(), scrollWidth - 2);
    EXPECT_EQ(Form->InstallMemo->width(), scrollWidth);
    EXPECT_EQ(Form->LongInfoMemo->width(), scrollWidth);
    // The bars stay; the long description takes the extra height.
    EXPECT_EQ(Form->LowerSplitter->y(), before.Lower.y());
    EXPECT_EQ(Form->UpperSplitter->y(), before.Upper.y());
    EXPECT_EQ(Form->LongInfoMemo->height(), before.LongInfo.height() + 100);
    EXPECT_EQ(Form->LongInfoMemo->geometry().bottom(), Form->WideScroll->widget()->height() - 1);
}

TEST_F(ShellWideInfoForm, FillDecodesTheTextsAndShowsOnlyWhenAsked)
{
    Form->Fill(Compo, false);
    EXPECT_FALSE(Form->isVisible()) << "printing and copying fill it unseen";
    EXPECT_EQ(Form->windowTitle(), "Detailansicht der Komponente: Grid € Pro");
    EXPECT_EQ(Text(Form->LongInfoMemo), QString::fromUtf8("Lange Beschreibung\nmit änderungen\n\nEnde \xC2\x81"));
    EXPECT_EQ(Text(Form->InstallMemo), "Setup starten");
    EXPECT_EQ(Text(Form->ReViewMemo), "Sehr gut\nempfehlenswert");
    // The long description reads back byte for byte, the undefined CP1252 byte included.
    EXPECT_EQ(Form->LongInfoLines(), Compo.LongInfo);

    Form->Fill(Compo, true);
    EXPECT_TRUE(Form->isVisible());
    EXPECT_EQ(Form->LongInfoLines(), Compo.LongInfo);

    TCompoText empty;
    Form->Fill(empty, false);
    EXPECT_TRUE(Form->LongInfoLines().Empty());
    EXPECT_EQ(Form->windowTitle(), "Detailansicht der Komponente: ");
    EXPECT_TRUE(Form->isVisible()) << "filling unseen leaves an open window open";
}

TEST_F(ShellWideInfoForm, FillPutsEachCaretAtTheStart)
{
    std::vector<std::string> many;
    for (int i = 0; i < 200; ++i)
        many.push_back("Zeile " + std::to_string(i));
    Compo.LongInfo = Compo.Installation = Compo.Review = Lines(many);
    ShowForm();
    Form->Fill(Compo, true);
    QApplication::processEvents();
    for (QPlainTextEdit* memo : {Form->ReViewMemo, Form->InstallMemo, Form->LongInfoMemo}) {
        memo->moveCursor(QTextCursor::End);
        memo->ensureCursorVisible();
    }
    Form->Fill(Compo, true);
    QApplication::processEvents();
    for (QPlainTextEdit* memo : {Form->ReViewMemo, Form->InstallMemo, Form->LongInfoMemo}) {
        EXPECT_EQ(memo->textCursor().position(), 0) << memo->objectName().toStdString();
        EXPECT_EQ(memo->verticalScrollBar()->value(), 0) << memo->objectName().toStdString();
    }
}

TEST_F(ShellWideInfoForm, EscAndBackButtonHideKeepingContentAndLayout)
{
    Form->Fill(Compo, true);
    QApplication::processEvents();
    DragBar(Form->LowerSplitter, -30);
    const TLayout dragged = Layout();

    QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(Form->InstallMemo, &esc);
    EXPECT_FALSE(Form->isVisible()) << "Esc in a memo";

    Form->show();
    QKeyEvent escForm(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(Form.get(), &escForm);
    EXPECT_FALSE(Form->isVisible()) << "Esc on the window";

    Form->show();
    QKeyEvent other(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
    QApplication::sendEvent(Form->LongInfoMemo, &other);
    EXPECT_TRUE(Form->isVisible());
    EXPECT_EQ(Form->LongInfoLines(), Compo.LongInfo) << "read-only";

    Form->BackBtn->click();
    EXPECT_FALSE(Form->isVisible());
    EXPECT_EQ(Form->LongInfoLines(), Compo.LongInfo);
    Form->show();
    QApplication::processEvents();
    EXPECT_EQ(Layout(), dragged);
}

TEST_F(ShellWideInfoForm, DraggingTheLowerBarSharesHeightWithTheLongDescription)
{
    ShowForm();
    const TLayout before = Layout();
    DragBar(Form->LowerSplitter, -30);
    EXPECT_EQ(Form->InstallMemo->height(), before.Install.height() - 30);
    EXPECT_EQ(Form->LowerSplitter->y(), before.Lower.y() - 30);
    EXPECT_EQ(Form->LongInfoMemo->height(), before.LongInfo.height() + 30);
    EXPECT_EQ(Form->LongInfoMemo->y(), Form->LowerSplitter->y() + 20);
    EXPECT_EQ(Form->UpperSplitter->geometry(), before.Upper);
    EXPECT_EQ(Form->ReViewMemo->geometry(), before.Review);
    EXPECT_TRUE(Form->findChildren<QWidget*>(QStringLiteral("SplitLine")).isEmpty());
}

TEST_F(ShellWideInfoForm, DraggingTheUpperBarMovesTheNotesTopButNotTheLowerBar)
{
    ShowForm();
    const TLayout before = Layout();
    DragBar(Form->UpperSplitter, 20);
    EXPECT_EQ(Form->ReViewMemo->height(), before.Review.height() + 20);
    EXPECT_EQ(Form->UpperSplitter->y(), before.Upper.y() + 20);
    EXPECT_EQ(Form->InstallMemo->y(), before.Install.y() + 20);
    EXPECT_EQ(Form->InstallMemo->height(), before.Install.height() - 20);
    EXPECT_EQ(Form->LowerSplitter->geometry(), before.Lower);
    EXPECT_EQ(Form->LongInfoMemo->geometry(), before.LongInfo);
}

TEST_F(ShellWideInfoForm, BarsStopBeforeAnyMemoLosesAllItsHeight)
{
    ShowForm();
    const int bottom = Form->WideScroll->widget()->height();
    struct TCase {
        const char* Bar;
        int Dy;
    };
    for (const TCase c : {TCase{"LowerSplitter", -2000}, TCase{"LowerSplitter", 2000}, TCase{"UpperSplitter", 2000},
                          TCase{"UpperSplitter", -2000}, TCase{"LowerSplitter", -2000}}) {
        DragBar(Form->findChild<QWidget*>(QString::fromLatin1(c.Bar)), c.Dy);
        const TLayout l = Layout();
        SCOPED_TRACE(testing::Message() << c.Bar << " " << c.Dy << ": " << l);
        for (const QRect& r : {l.Review, l.Upper, l.Install, l.Lower, l.LongInfo}) {
            EXPECT_GE(r.height(), 0);
            EXPECT_GE(r.y(), 0);
            EXPECT_LE(r.y() + r.height(), bottom);
        }
        // Top to bottom, nothing overlaps and nothing changes order.
        EXPECT_LE(l.Review.y() + l.Review.height(), l.Upper.y());
        EXPECT_LT(l.Upper.y() + l.Upper.height(), l.Install.y() + 1);
        EXPECT_LE(l.Install.y() + l.Install.height(), l.Lower.y());
        EXPECT_LE(l.Lower.y() + l.Lower.height(), l.LongInfo.y());
        EXPECT_EQ(l.Review.y(), 34);
    }
    // Lower bar right down: the long description is gone but the bar stays in the window.
    DragBar(Form->LowerSplitter, 2000);
    EXPECT_EQ(Form->LongInfoMemo->height(), 0);
    EXPECT_EQ(Form->LowerSplitter->y() + Form->LowerSplitter->height() + 1, bottom);
    // Upper bar right down: the notes shrink to nothing above the lower bar.
    DragBar(Form->UpperSplitter, 2000);
    EXPECT_EQ(Form->InstallMemo->height(), 0);
    EXPECT_EQ(Form->InstallMemo->y(), Form->LowerSplitter->y());
}

TEST_F(ShellWideInfoForm, OnlyAPlainLeftButtonDrags)
{
    ShowForm();
    const TLayout before = Layout();
    QWidget* bar = Form->LowerSplitter;
    struct TPress {
        Qt::MouseButton Button;
        Qt::MouseButtons Held;
        Qt::KeyboardModifiers Modifiers;
    };
    for (const TPress p : {TPress{Qt::RightButton, Qt::RightButton, Qt::NoModifier},
                           TPress{Qt::MiddleButton, Qt::MiddleButton, Qt::NoModifier},
                           TPress{Qt::LeftButton, Qt::LeftButton, Qt::ShiftModifier},
                           TPress{Qt::LeftButton, Qt::LeftButton, Qt::ControlModifier},
                           TPress{Qt::LeftButton, Qt::LeftButton | Qt::RightButton, Qt::NoModifier}}) {
        Mouse(bar, QEvent::MouseButtonPress, QPoint(10, 5), p.Button, p.Held, p.Modifiers);
        EXPECT_TRUE(Form->findChildren<QWidget*>(QStringLiteral("SplitLine")).isEmpty());
        Mouse(bar, QEvent::MouseMove, QPoint(10, -40), Qt::NoButton, p.Held, p.Modifiers);
        Mouse(bar, QEvent::MouseButtonRelease, QPoint(10, -40), p.Button, Qt::NoButton, p.Modifiers);
        EXPECT_EQ(Layout(), before);
    }
    // While a drag runs, exactly one line shows over the window.
    Mouse(bar, QEvent::MouseButtonPress, QPoint(10, 5), Qt::LeftButton, Qt::LeftButton);
    for (int y : {0, -10, -20, -20, 15}) {
        Mouse(bar, QEvent::MouseMove, QPoint(10, y), Qt::NoButton, Qt::LeftButton);
        int visible = 0;
        for (QWidget* line : Form->findChildren<QWidget*>(QStringLiteral("SplitLine")))
            visible += line->isVisible();
        EXPECT_EQ(visible, 1) << y;
    }
    Mouse(bar, QEvent::MouseButtonRelease, QPoint(10, 15), Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(Form->LowerSplitter->y(), before.Lower.y() + 15);
}

}  // namespace
}  // namespace lumarc
