#include "shell/MsgBox.h"

#include <gtest/gtest.h>

#include <QDialog>
#include <QFontMetrics>
#include <QFrame>
#include <QImage>
#include <QPointer>
#include <QPushButton>
#include <QTimer>

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace lumarc {
namespace {

QPushButton* Button(const TMsgBox& box, const char* name)
{
    auto* button = box.Window()->findChild<QPushButton*>(QString::fromLatin1(name));
    EXPECT_NE(button, nullptr) << name;
    return button;
}

QFrame* ButtonRow(const TMsgBox& box)
{
    auto* row = box.Window()->findChild<QFrame*>(QStringLiteral("ButtonPanel"));
    EXPECT_NE(row, nullptr);
    return row;
}

// Visible buttons and their left edges, by object name.
std::map<std::string, int> VisibleButtons(const TMsgBox& box)
{
    std::map<std::string, int> shown;
    for (const char* name : {"OKBtn", "CancelBtn", "YesBtn", "NoBtn", "AllBtn"}) {
        QPushButton* button = Button(box, name);
        if (button && button->isVisibleTo(box.Window()))
            shown[name] = button->x();
    }
    return shown;
}

// Runs Execute while `whileShown` acts on the open window from inside the modal loop.
int ExecuteWith(TMsgBox& box, std::function<void(QDialog&)> whileShown)
{
    bool ran = false;
    QTimer::singleShot(0, box.Window(), [&] {
        ran = true;
        whileShown(*box.Window());
    });
    const int result = box.Execute();
    EXPECT_TRUE(ran);
    return result;
}

int LineHeight(const TMsgBox& box)
{
    return QFontMetrics(box.Window()->font()).height();
}

TEST(ShellMsgBox, CreateBuildsAParentlessWindowWithFiveButtons)
{
    QObject owner;
    auto* box = new TMsgBox(&owner);
    QPointer<QDialog> window = box->Window();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->objectName(), "MsgBoxForm");
    EXPECT_EQ(window->parent(), nullptr);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(window->size(), QSize(300, 200));
    EXPECT_EQ(window->windowTitle(), "Message");
    EXPECT_EQ(box->Caption(), "Message");
    EXPECT_TRUE(box->Msg().isEmpty());
    EXPECT_EQ(box->Buttons(), TMSGButtons::msgOK);

    EXPECT_EQ(ButtonRow(*box)->geometry(), QRect(2, 45, 296, 41));
    const std::vector<std::pair<const char*, const char*>> captions = {
        {"OKBtn", "OK"}, {"CancelBtn", "Cancel"}, {"YesBtn", "&Yes"}, {"NoBtn", "&No"}, {"AllBtn", "&All"}};
    for (const auto& [name, caption] : captions) {
        QPushButton* button = Button(*box, name);
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->text(), caption);
        EXPECT_EQ(button->size(), QSize(75, 28)) << name;
        EXPECT_EQ(button->y(), 0) << name;
        EXPECT_FALSE(button->icon().isNull()) << name;
    }

    // Freed with its owner, window and all.
    delete box;
    EXPECT_TRUE(window.isNull());
}

struct TLayoutCase {
    TMSGButtons Buttons;
    int WindowWidth;
    std::map<std::string, int> Lefts;
};

TEST(ShellMsgBox, ArrangeButtonsPlacesEachButtonSet)
{
    // Row width 296 (376 with All); buttons 75 wide, 4 apart, 4 from the right edge.
    const std::vector<TLayoutCase> cases = {
        {TMSGButtons::msgOK, 300, {{"OKBtn", 110}}},
        {TMSGButtons::msgOKCancel, 300, {{"OKBtn", 138}, {"CancelBtn", 217}}},
        {TMSGButtons::msgYesNo, 300, {{"YesBtn", 138}, {"NoBtn", 217}}},
        {TMSGButtons::msgYesNoCancel, 300, {{"YesBtn", 59}, {"NoBtn", 138}, {"CancelBtn", 217}}},
        {TMSGButtons::msgYesAllNoCancel, 380, {{"YesBtn", 60}, {"AllBtn", 139}, {"NoBtn", 218}, {"CancelBtn", 297}}},
        {TMSGButtons::msgOK, 300, {{"OKBtn", 110}}},   // narrows again after the wide set
    };
    TMsgBox box;
    for (const TLayoutCase& c : cases) {
        box.SetButtons(c.Buttons);
        box.ArrangeButtons();
        const int n = static_cast<int>(c.Buttons);
        EXPECT_EQ(box.Window()->width(), c.WindowWidth) << "set " << n;
        EXPECT_EQ(box.WindowWidth(), c.WindowWidth) << "set " << n;
        EXPECT_EQ(ButtonRow(box)->width(), c.WindowWidth - 4) << "set " << n;
        EXPECT_EQ(VisibleButtons(box), c.Lefts) << "set " << n;
    }
}

TEST(ShellMsgBox, EnterPressesOkOrYes)
{
    TMsgBox box;
    box.SetButtons(TMSGButtons::msgOKCancel);
    box.ArrangeButtons();
    EXPECT_TRUE(Button(box, "OKBtn")->isDefault());
    box.SetButtons(TMSGButtons::msgYesNoCancel);
    box.ArrangeButtons();
    EXPECT_TRUE(Button(box, "YesBtn")->isDefault());
    EXPECT_FALSE(Button(box, "OKBtn")->isDefault());
}

TEST(ShellMsgBox, OneLineMessageIsCentredAboveTheButtons)
{
    TMsgBox box;
    box.SetMsg("Datenbank nicht gefunden!");
    box.ArrangeButtons();
    box.MeasureText();
    const QRect text = box.TextRect();
    const int width = QFontMetrics(box.Window()->font()).boundingRect(QRect(0, 0, 292, 20), Qt::TextWordWrap, box.Msg()).width();
    EXPECT_EQ(text.top(), 20);
    EXPECT_EQ(text.height(), LineHeight(box));
    EXPECT_EQ(text.width(), width);
    EXPECT_EQ(text.left(), (300 - width) / 2);
    EXPECT_EQ(ButtonRow(box)->y(), 20 + LineHeight(box) + 15);
    EXPECT_EQ(box.Window()->height(), ButtonRow(box)->y() + 41 + 4);
    EXPECT_EQ(box.Window()->width(), 300);
}

TEST(ShellMsgBox, LongMessageWrapsAndMakesTheWindowTaller)
{
    TMsgBox box;
    box.SetMsg("Falsche Datendateien - bitte kopieren Sie die richtigen Dateien der Version: 3 in das "
               "DATA-Verzeichnis! Ohne sie kann das Programm den Katalog nicht anzeigen.");
    box.ArrangeButtons();
    box.MeasureText();
    const QRect text = box.TextRect();
    EXPECT_GE(text.height(), 3 * LineHeight(box));
    EXPECT_LE(text.width(), 292);
    EXPECT_GE(text.left(), 0);
    EXPECT_LE(text.left() + text.width(), 300);
    EXPECT_EQ(ButtonRow(box)->y(), text.top() + text.height() + 15);
    EXPECT_EQ(box.Window()->height(), ButtonRow(box)->y() + 45);
    EXPECT_GT(box.Window()->height(), 20 + LineHeight(box) + 15 + 45);
}

TEST(ShellMsgBox, OverlongWordStaysInsideTheWindow)
{
    TMsgBox box;
    box.SetMsg("Soll Datei /home/benutzer/Programme/Komponenten/GRIDPAKET/UNTERVERZEICHNIS/INSTALLATION.EXE "
               "überschrieben werden?");
    box.ArrangeButtons();
    box.MeasureText();
    EXPECT_GE(box.TextRect().left(), 0);
    EXPECT_LE(box.TextRect().right(), 299);
}

TEST(ShellMsgBox, LineBreaksOfEveryKindStartNewLines)
{
    TMsgBox box;
    box.ArrangeButtons();
    for (const char* text : {"eins\r\nzwei\r\ndrei", "eins\nzwei\ndrei", "eins\rzwei\rdrei"}) {
        box.SetMsg(text);
        box.MeasureText();
        EXPECT_EQ(box.TextRect().height(), 3 * LineHeight(box)) << text;
    }
}

TEST(ShellMsgBox, EmptyMessageStillShowsTheButtons)
{
    TMsgBox box;
    box.SetButtons(TMSGButtons::msgYesNo);
    box.ArrangeButtons();
    box.MeasureText();
    EXPECT_EQ(box.TextRect().height(), 0);
    EXPECT_EQ(box.TextRect().top(), 20);
    EXPECT_EQ(ButtonRow(box)->y(), 35);
    EXPECT_EQ(box.Window()->height(), 35 + 41 + 4);
    EXPECT_EQ(VisibleButtons(box).size(), 2u);
}

TEST(ShellMsgBox, ExecuteReturnsThePressedButton)
{
    const std::vector<std::tuple<TMSGButtons, const char*, int>> presses = {
        {TMSGButtons::msgOK, "OKBtn", 1},
        {TMSGButtons::msgOKCancel, "CancelBtn", 2},
        {TMSGButtons::msgYesNo, "YesBtn", 6},
        {TMSGButtons::msgYesNo, "NoBtn", 7},
        {TMSGButtons::msgYesNoCancel, "CancelBtn", 2},
        {TMSGButtons::msgYesAllNoCancel, "AllBtn", 8},
        {TMSGButtons::msgYesAllNoCancel, "NoBtn", 7},
    };
    TMsgBox box;   // one box for all: the window is reused between calls
    for (const auto& [buttons, name, expected] : presses) {
        box.SetButtons(buttons);
        box.SetMsg(QStringLiteral("Frage"));
        const int result = ExecuteWith(box, [&](QDialog& window) {
            EXPECT_TRUE(window.isVisible());
            EXPECT_TRUE(window.isModal());
            QPushButton* button = window.findChild<QPushButton*>(QString::fromLatin1(name));
            ASSERT_TRUE(button && button->isVisible()) << name;
            button->click();
        });
        EXPECT_EQ(result, expected) << name;
        EXPECT_FALSE(box.Window()->isVisible());
    }
}

TEST(ShellMsgBox, ClosingTheWindowCountsAsCancel)
{
    TMsgBox box;
    box.SetButtons(TMSGButtons::msgYesNo);
    EXPECT_EQ(ExecuteWith(box, [](QDialog& window) { window.close(); }), 2);
    EXPECT_EQ(ExecuteWith(box, [](QDialog& window) { window.reject(); }), 2);
}

TEST(ShellMsgBox, ExecuteAppliesTheCurrentProperties)
{
    TMsgBox box;
    box.SetCaption("Verzeichnis nicht gefunden.");
    box.SetMsg("Soll Verzeichnis /tmp/x erstellt werden?");
    box.SetButtons(TMSGButtons::msgYesAllNoCancel);
    box.Window()->setWindowFlag(Qt::WindowStaysOnTopHint);
    QString title;
    QSize size;
    ExecuteWith(box, [&](QDialog& window) {
        title = window.windowTitle();
        size = window.size();
        window.close();
    });
    EXPECT_EQ(title, "Verzeichnis nicht gefunden.");
    EXPECT_EQ(size.width(), 380);
    EXPECT_EQ(size.height(), box.TextRect().bottom() + 1 + 15 + 41 + 4);
    EXPECT_TRUE(box.Window()->windowFlags() & Qt::WindowStaysOnTopHint);
}

TEST(ShellMsgBox, PaintDrawsTheMessageOnlyInsideTheTextRectangle)
{
    TMsgBox box;
    box.SetMsg("Entpacken abgebrochen.");
    box.ArrangeButtons();
    box.MeasureText();
    QImage image(box.Window()->size(), QImage::Format_RGB32);
    image.fill(Qt::magenta);
    box.Window()->render(&image);

    const QRgb background = box.Window()->palette().color(QPalette::Window).rgb();
    const QRect text = box.TextRect();
    int inked = 0;
    for (int y = 0; y < ButtonRow(box)->y(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) == background)
                continue;
            ASSERT_TRUE(text.contains(x, y)) << "ink at " << x << ", " << y;
            ++inked;
        }
    EXPECT_GT(inked, 20);
}

}  // namespace
}  // namespace lumarc
