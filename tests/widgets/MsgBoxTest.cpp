#include "widgets/MsgBox.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QCoreApplication>
#include <QDialog>
#include <QFontMetrics>
#include <QFrame>
#include <QImage>
#include <QKeyEvent>
#include <QPointer>
#include <QPushButton>
#include <QTimer>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "widgets/CaptionRoom.h"

namespace lumarc {
namespace {

QPushButton* Button(const TMsgBox& box, const char* name)
{
    return box.Window()->findChild<QPushButton*>(QString::fromLatin1(name));
}

QFrame* Row(const TMsgBox& box)
{
    return box.Window()->findChild<QFrame*>(QStringLiteral("ButtonPanel"));
}

int LineHeight(const TMsgBox& box)
{
    return QFontMetrics(box.Window()->font()).height();
}

// Runs Execute while `whileShown` acts on the open window from inside the modal loop.
int ExecuteWith(TMsgBox& box, const std::function<void(QDialog&)>& whileShown)
{
    QTimer::singleShot(0, box.Window(), [&] { whileShown(*box.Window()); });
    return box.Execute();
}

TEST(ShellMsgBox, CreateBuildsAParentlessWindowFreedWithItsOwner)
{
    auto owner = std::make_unique<QObject>();
    auto* box = new TMsgBox(owner.get());
    QPointer<QDialog> window = box->Window();
    EXPECT_EQ(window->objectName(), "MsgBoxForm");
    EXPECT_EQ(window->parent(), nullptr);
    EXPECT_EQ(window->size(), QSize(300, 200));
    EXPECT_EQ(window->windowTitle(), "Message");
    EXPECT_EQ(Row(*box)->geometry(), QRect(2, 45, 296, 41));
    const std::map<const char*, const char*> captions = {
        {"OKBtn", "OK"}, {"CancelBtn", "Abbrechen"}, {"YesBtn", "&Ja"}, {"NoBtn", "&Nein"}, {"AllBtn", "&Alle"}};
    for (const auto& [name, caption] : captions) {
        QPushButton* button = Button(*box, name);
        ASSERT_NE(button, nullptr) << name;
        EXPECT_EQ(button->text(), caption);
        EXPECT_EQ(button->geometry().size(), QSize(75, 28)) << name;
        EXPECT_FALSE(button->icon().isNull()) << name;
    }
    owner.reset();
    EXPECT_TRUE(window.isNull());
}

TEST(ShellMsgBox, ArrangeButtonsPlacesEachButtonSet)
{
    // Right-aligned, in this order, 4 apart and 4 from the right edge (OK alone centred); each
    // at least 75 wide and as wide as its caption needs, the box at least 300 (380 with All).
    using enum TMSGButtons;
    const std::vector<std::tuple<TMSGButtons, int, std::vector<std::string>>> cases = {
        {msgOK, 300, {"OKBtn"}},
        {msgOKCancel, 300, {"OKBtn", "CancelBtn"}},
        {msgYesNo, 300, {"YesBtn", "NoBtn"}},
        {msgYesNoCancel, 300, {"YesBtn", "NoBtn", "CancelBtn"}},
        {msgYesAllNoCancel, 380, {"YesBtn", "AllBtn", "NoBtn", "CancelBtn"}},
        {msgOK, 300, {"OKBtn"}},  // narrows again after the wide set
    };
    TMsgBox box;
    box.SetCaption(QStringLiteral("Frage"));
    for (const auto& [buttons, least, order] : cases) {
        SCOPED_TRACE(int(buttons));
        box.SetButtons(buttons);
        box.ArrangeButtons();
        std::vector<std::string> shown;
        for (QPushButton* b : Row(box)->findChildren<QPushButton*>())
            if (b->isVisibleTo(box.Window()))
                shown.push_back(b->objectName().toStdString());
        std::sort(shown.begin(), shown.end(), [&](const std::string& a, const std::string& b) {
            return Button(box, a.c_str())->x() < Button(box, b.c_str())->x();
        });
        EXPECT_EQ(shown, order);
        EXPECT_GE(box.WindowWidth(), least);
        EXPECT_EQ(Row(box)->width(), box.Window()->width() - 4);
        int right = Row(box)->width() - 4;
        for (auto it = order.rbegin(); it != order.rend(); ++it) {
            QPushButton* b = Button(box, it->c_str());
            EXPECT_GE(b->width(), 75);
            EXPECT_GE(b->width(), CaptionWidth(b)) << *it;
            if (order.size() > 1) {
                EXPECT_EQ(b->geometry().right() + 1, right) << *it;
            }
            right = b->x() - 4;
        }
        if (order.size() == 1) {
            EXPECT_EQ(Button(box, "OKBtn")->x(), (Row(box)->width() - Button(box, "OKBtn")->width()) / 2);
        }
    }
    EXPECT_EQ(box.WindowWidth(), 300);
}

TEST(ShellMsgBox, MeasureTextWrapsCentresAndPutsTheButtons15PixelsBelow)
{
    TMsgBox box;
    box.ArrangeButtons();
    const QString oneLine = "Datenbank nicht gefunden!";
    // Text, lines, whether exactly that many (wrapping depends on the font) or at least.
    const std::vector<std::tuple<QString, int, bool>> texts = {
        {oneLine, 1, true},
        {"Falsche Datendateien - bitte kopieren Sie die richtigen Dateien der Version: 3 in das "
         "DATA-Verzeichnis! Ohne sie kann das Programm den Katalog nicht anzeigen.",
         3, false},
        {"eins\r\nzwei\r\ndrei", 3, true},
        {"eins\nzwei\ndrei", 3, true},
        {"eins\rzwei\rdrei", 3, true},
        // A path longer than a line must still fit the window.
        {"Soll Datei /home/benutzer/Programme/Komponenten/GRIDPAKET/UNTERVERZEICHNIS/INSTALL.EXE "
         "überschrieben werden?",
         2, false},
        {"", 0, true},
    };
    for (const auto& [text, lines, exact] : texts) {
        box.SetMsg(text);
        box.MeasureText();
        const QRect r = box.TextRect();
        EXPECT_EQ(r.top(), 20) << text.toStdString();
        if (exact)
            EXPECT_EQ(r.height(), lines * LineHeight(box)) << text.toStdString();
        else
            EXPECT_GE(r.height(), lines * LineHeight(box)) << text.toStdString();
        EXPECT_GE(r.left(), 0);
        EXPECT_LE(r.left() + r.width(), 300 - 4);
        EXPECT_LE(std::abs(r.left() - (300 - r.right() - 1)), 1) << "not centred: " << text.toStdString();
        EXPECT_EQ(Row(box)->y(), 20 + r.height() + 15);
        EXPECT_EQ(box.Window()->height(), Row(box)->y() + 41 + 4);
    }
    box.SetMsg(oneLine);
    box.MeasureText();
    EXPECT_EQ(box.TextRect().width(), QFontMetrics(box.Window()->font()).horizontalAdvance(oneLine));
}

// The text is painted, so nothing but the window itself can tell a screen reader what it says.
TEST(ShellMsgBox, AScreenReaderReadsTheTextThatIsPainted)
{
    TMsgBox box;
    box.ArrangeButtons();
    box.SetMsg("Datenbank nicht gefunden!");
    box.MeasureText();
    EXPECT_EQ(QAccessible::queryAccessibleInterface(box.Window())->text(QAccessible::Description),
              QStringLiteral("Datenbank nicht gefunden!"));
}

TEST(ShellMsgBox, ExecuteReturnsThePressedButtonAndCancelOnClose)
{
    using enum TMSGButtons;
    const std::vector<std::tuple<TMSGButtons, const char*, int>> presses = {
        {msgOK, "OKBtn", 1},
        {msgOKCancel, "CancelBtn", 2},
        {msgYesNo, "YesBtn", 6},
        {msgYesNo, "NoBtn", 7},
        {msgYesNoCancel, "CancelBtn", 2},
        {msgYesAllNoCancel, "AllBtn", 8},
        {msgYesAllNoCancel, "NoBtn", 7},
    };
    TMsgBox box;  // one box for all: the window is reused between calls
    for (const auto& [buttons, name, expected] : presses) {
        box.SetButtons(buttons);
        const int result = ExecuteWith(box, [&](QDialog& window) {
            EXPECT_TRUE(window.isModal());
            ASSERT_TRUE(Button(box, name)->isVisible()) << name;
            Button(box, name)->click();
        });
        EXPECT_EQ(result, expected) << name;
        EXPECT_FALSE(box.Window()->isVisible());
    }
    box.SetButtons(msgYesNo);
    EXPECT_EQ(ExecuteWith(box, [](QDialog& window) { window.close(); }), 2);
}

// Enter goes to the window's focused widget; Qt's dialog then presses its default button.
void PressEnterOn(QWidget& widget)
{
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QCoreApplication::sendEvent(&widget, &press);
}

TEST(ShellMsgBox, EnterPressesTheDefaultButtonWhereverTheFocusWas)
{
    using enum TMSGButtons;
    TMsgBox box;
    box.SetButtons(msgYesNoCancel);
    // A box that asked before had its focus on Cancel; the next question must not inherit it.
    EXPECT_EQ(ExecuteWith(box, [&](QDialog&) { Button(box, "CancelBtn")->click(); }), 2);
    EXPECT_EQ(ExecuteWith(box,
                          [&](QDialog&) {
                              Button(box, "CancelBtn")->setFocus();
                              PressEnterOn(*Button(box, "CancelBtn"));
                          }),
              6);

    // A question that destroys something names its harmless answer as the default.
    box.SetButtons(msgOKCancel);
    box.SetDefaultButton(TMsgBox::mrCancel);
    EXPECT_EQ(ExecuteWith(box, [&](QDialog&) { PressEnterOn(*Button(box, "OKBtn")); }), 2);
    box.SetButtons(msgYesNo);
    box.SetDefaultButton(TMsgBox::mrNo);
    EXPECT_EQ(ExecuteWith(box, [&](QDialog&) { PressEnterOn(*Button(box, "YesBtn")); }), 7);
}

TEST(ShellMsgBox, ExecuteAppliesTheCurrentPropertiesAndKeepsWindowFlags)
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
    EXPECT_EQ(size, QSize(380, 20 + LineHeight(box) + 15 + 41 + 4));
    EXPECT_TRUE(box.Window()->windowFlags() & Qt::WindowStaysOnTopHint);
}

TEST(ShellMsgBox, PaintDrawsTheMessageOnlyInsideTheTextRectangle)
{
    TMsgBox box;
    box.SetMsg("Entpacken abgebrochen. Tom & Jerry");
    box.ArrangeButtons();
    box.MeasureText();
    QImage image(box.Window()->size(), QImage::Format_RGB32);
    image.fill(Qt::magenta);
    box.Window()->render(&image);
    const QRgb background = box.Window()->palette().color(QPalette::Window).rgb();
    int inked = 0;
    for (int y = 0; y < Row(box)->y(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != background) {
                ASSERT_TRUE(box.TextRect().contains(x, y)) << "ink at " << x << ", " << y;
                ++inked;
            }
    EXPECT_GT(inked, 20);
}

}  // namespace
}  // namespace lumarc
