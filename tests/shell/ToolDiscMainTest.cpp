#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QStackedWidget>
#include <QToolButton>

#include "ToolDiscMainTestSupport.h"
#include "controls/MicaTextView.h"
#include "shell/FindBar.h"
#include "shell/ScreenRoom.h"
#include "shell/WideInfoForm.h"
#include "widgets/Gauge.h"

using namespace lumarc;
using namespace lumarc::test;

namespace {

class ShellToolDiscMainLayout : public TMainWindowTest {};
class ShellToolDiscMainPageKind : public TMainWindowTest {};
class ShellToolDiscMainGeometry : public TMainWindowTest {};
class ShellToolDiscMainSplitter : public TMainWindowTest {};

QStringList ActionTexts(const QMenu* menu)
{
    QStringList texts;
    for (const QAction* action : menu->actions())
        texts << (action->isSeparator() ? QStringLiteral("-") : action->text());
    return texts;
}

void SendMouse(QWidget* target, QEvent::Type type, QPoint pos, Qt::MouseButton button, Qt::MouseButtons buttons,
               Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QMouseEvent event(type, QPointF(pos), target->mapToGlobal(QPointF(pos)), button, buttons, modifiers);
    QCoreApplication::sendEvent(target, &event);
}

// Presses on the splitter's left edge, moves by dx and lets go: the bar's left edge ends
// where the mouse is.
void DragSplitter(TToolDiscMain& window, int dx, Qt::MouseButton button = Qt::LeftButton,
                  Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QWidget* bar = Part<QFrame>(window, "Splitter");
    SendMouse(bar, QEvent::MouseButtonPress, {0, 20}, button, button, modifiers);
    SendMouse(bar, QEvent::MouseMove, {dx / 2, 20}, Qt::NoButton, button, modifiers);
    SendMouse(bar, QEvent::MouseMove, {dx, 20}, Qt::NoButton, button, modifiers);
    SendMouse(bar, QEvent::MouseButtonRelease, {dx, 20}, button, Qt::NoButton, modifiers);
}

TEST_F(ShellToolDiscMainLayout, ControlsSitWhereDesignedWithTheirNamesHintsAndParents)
{
    TToolDiscMain& w = OpenBuilt();
    EXPECT_EQ(w.objectName(), "ToolDiscMain");
    struct Row {
        const char* Name;
        QWidget* Parent;
        QRect Geometry;
        const char* Hint;
    };
    const Row rows[] = {
        {"SBFirst", Part<QFrame>(w, "ButtonBar"), {4, 2, 25, 25}, "Überblick zurücksetzen"},
        {"SBPrev", Part<QFrame>(w, "ButtonBar"), {35, 2, 25, 25}, "eine Ebene höher"},
        {"SBDown", Part<QFrame>(w, "ButtonBar"), {60, 2, 25, 25}, "eine Zeile weiter nach unten"},
        {"SBCopy", Part<QFrame>(w, "ButtonBar"), {91, 2, 25, 25}, "Text in die Zwischenablage kopieren"},
        {"SBPrintText", Part<QFrame>(w, "ButtonBar"), {116, 2, 25, 25}, "Text drucken"},
        {"SBInstall", Part<QFrame>(w, "ButtonBar"), {141, 2, 25, 25}, "Programm installieren"},
        {"SBSearch", Part<QFrame>(w, "ButtonBar"), {172, 2, 25, 25}, "im Text Suchen"},
        {"SBBestellFormular", Part<QFrame>(w, "ButtonBar"), {204, 2, 25, 25}, "Bestellformular drucken"},
        {"SBOptions", Part<QFrame>(w, "ButtonBar"), {229, 2, 25, 25}, "Einstellungen des Lumarcers"},
        {"SBInfo", Part<QFrame>(w, "ButtonBar"), {254, 2, 25, 25}, "Informationen über das Programm"},
        {"QuitButton", Part<QFrame>(w, "ButtonBar"), {283, 2, 25, 25}, "Lumarc beenden"},
        {"SBUp", Part<QFrame>(w, "InfoPanel"), {8, 6, 22, 23}, "vorheriger Eintrag"},
        {"SBNext", Part<QFrame>(w, "InfoPanel"), {32, 6, 22, 23}, "nächster Eintrag"},
        {"SBPrevHist", Part<QFrame>(w, "InfoPanel"), {60, 6, 22, 23}, "letzter gewählter Eintrag"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.Name);
        auto* button = w.findChild<QToolButton*>(QString::fromLatin1(row.Name));
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->parentWidget(), row.Parent);
        EXPECT_EQ(button->geometry(), row.Geometry);
        EXPECT_TRUE(button->toolTip().startsWith(QString::fromUtf8(row.Hint))) << button->toolTip().toStdString();
        EXPECT_FALSE(button->icon().isNull());
    }
    EXPECT_FALSE(Part<QToolButton>(w, "SBPrevHist")->isEnabled());

    // Fixed along the top and the left whatever the window's size.
    EXPECT_EQ(Part<QFrame>(w, "ButtonBar")->geometry(), QRect(0, 0, Part<QWidget>(w, "ClientArea")->width(), 29));
    EXPECT_EQ(Part<QFrame>(w, "OverviewPanel")->pos(), QPoint(1, 29));
    EXPECT_EQ(Part<QFrame>(w, "OverviewPanel")->width(), 176);
    // Arranged from the overview's width: the bar one pixel right of it, the info pane next.
    EXPECT_EQ(Part<QFrame>(w, "Splitter")->geometry().topLeft(), QPoint(177, 29));
    EXPECT_EQ(Part<QFrame>(w, "Splitter")->width(), 3);
    EXPECT_EQ(Part<QFrame>(w, "Splitter")->cursor().shape(), Qt::SplitHCursor);
    EXPECT_EQ(Part<QFrame>(w, "InfoPanel")->pos(), QPoint(180, 29));
    EXPECT_EQ(Part<TBrowzerOutline>(w, "OverviewOL")->pos(), QPoint(4, 19));
    EXPECT_EQ(Part<TBrowzerOutline>(w, "OverviewOL")->indentation(), 19);
    EXPECT_FALSE(Part<TBrowzerOutline>(w, "OverviewOL")->rootIsDecorated());
    EXPECT_EQ(w.findChild<QLabel*>("OverViewLabel")->text(), QString::fromUtf8("Überbli&ck"));
    EXPECT_EQ(Part<QStackedWidget>(w, "BrowzerNoteBook")->pos(), QPoint(2, 34));
    EXPECT_EQ(Part<QPushButton>(w, "ExpandBtn")->text(), "Er&weitern");
    EXPECT_EQ(Part<QPushButton>(w, "ExpandBtn")->size(), QSize(103, 25));
    EXPECT_EQ(Part<QPushButton>(w, "ExpandBtn")->y(), 8);

    // The component page's fields, in the scroll box.
    QWidget* box = Part<QWidget>(w, "CompoScrollContents");
    EXPECT_EQ(w.findChild<QLabel*>("KompoCopyLabel")->text(), "Copyright:");
    EXPECT_EQ(w.findChild<QLineEdit*>("CompoCopyright")->parentWidget(), box);
    // At their places or, where a caption needs more room than the place gives, after it.
    EXPECT_EQ(Part<QLineEdit>(w, "CompoCopyright")->pos(),
              QPoint(std::max(78, Part<QLabel>(w, "KompoCopyLabel")->geometry().right() + 5), 1));
    EXPECT_TRUE(Part<QLineEdit>(w, "CompoCopyright")->isReadOnly());
    EXPECT_EQ(Part<QFrame>(w, "UseFulPanel")->geometry(),
              QRect(std::max(77, Part<QLabel>(w, "UseFulLabel")->geometry().right() + 5), 26, 85, 19));
    EXPECT_EQ(Part<QLabel>(w, "RatingLabel")->text(), "keine");
    EXPECT_EQ(Part<TGauge>(w, "RatingGauge")->geometry(), QRect(4, 2, 77, 15));
    EXPECT_EQ(Part<TGauge>(w, "RatingGauge")->ForeColor(), QColor(255, 255, 0));
    EXPECT_EQ(Part<TGauge>(w, "RatingGauge")->BackColor(), QColor(0, 0, 128));
    EXPECT_EQ(Part<QLabel>(w, "Label7")->text(), "Distribution:");
    EXPECT_EQ(Part<QLabel>(w, "CompolimitLabel")->text(), QString::fromUtf8("Einschränkungen:"));
    EXPECT_TRUE(Part<QLabel>(w, "CompolimitLabel")->font().bold());
    EXPECT_EQ(Part<QLineEdit>(w, "LangCompInfo")->pos(), QPoint(9, 47));
    EXPECT_EQ(Part<QLineEdit>(w, "CompoLimitations")->pos(),
              QPoint(std::max(132, Part<QLabel>(w, "CompolimitLabel")->geometry().right() + 5), 70));
    EXPECT_EQ(Part<TMicaTextView>(w, "StuffView")->pos(), QPoint(2, 102));
    EXPECT_EQ(Part<TMicaTextView>(w, "StuffView")->DefaultColWidth(), 377);
    EXPECT_EQ(Part<TMicaTextView>(w, "StuffView")->ActualFont, 1);
    EXPECT_TRUE(Part<TMicaTextView>(w, "StuffView")->UseStandardFont);
    EXPECT_EQ(Part<TMicaTextView>(w, "TextView")->DefaultColWidth(), 385);
    EXPECT_FALSE(Part<TMicaTextView>(w, "TextView")->UseStandardFont);
    EXPECT_TRUE(Part<QPlainTextEdit>(w, "ShortMemo")->isReadOnly());
    // The old "System" font, 13 pixels.
    EXPECT_EQ(w.font().pixelSize(), 13);
}

TEST_F(ShellToolDiscMainLayout, MenuHoldsItsItemsInOrderWithShortcuts)
{
    TToolDiscMain& w = OpenBuilt();
    const QList<QAction*> menus = Part<QMenuBar>(w, "BrowzerMenu")->actions();
    ASSERT_EQ(menus.size(), 3);
    EXPECT_EQ(menus[0]->text(), "&Datei");
    EXPECT_EQ(menus[1]->text(), "&Komponenten");
    EXPECT_EQ(menus[2]->text(), "&Hilfe");
    EXPECT_EQ(ActionTexts(Part<QMenu>(w, "MIFile")),
              QStringList({"Katalog &öffnen...", "&Zuletzt geöffnet", "&Bibliothek...", "Als &Webseite exportieren...", "-", "&Installation", "&Suchen", "&Drucken",
                           "Seiten&ansicht", "-", "&Optionen", "Drucker&einstellungen", "-", "&Beenden"}));
    EXPECT_EQ(Part<QAction>(w, "MIOpenCatalogue")->shortcut(), QKeySequence("Ctrl+K"));
    EXPECT_EQ(Part<QAction>(w, "MILibrary")->shortcut(), QKeySequence("Ctrl+Shift+B"));
    EXPECT_EQ(ActionTexts(Part<QMenu>(w, "MIComponents")),
              QStringList({"Komponenten&liste...", "&Installierte Komponenten..."}));
    EXPECT_EQ(Part<QAction>(w, "MIComponentList")->shortcut(), QKeySequence("Ctrl+L"));
    EXPECT_EQ(ActionTexts(Part<QMenu>(w, "MIHelp")), QStringList({"&Info..."}));
    EXPECT_EQ(Part<QAction>(w, "MIInstall")->shortcut(), QKeySequence("Ctrl+I"));
    EXPECT_EQ(Part<QAction>(w, "MISearch")->shortcut(), QKeySequence("Ctrl+S"));
    EXPECT_EQ(Part<QAction>(w, "MIPrint")->shortcut(), QKeySequence("Ctrl+D"));
    EXPECT_EQ(Part<QAction>(w, "MIOptions")->shortcut(), QKeySequence("Ctrl+O"));
    EXPECT_EQ(Part<QAction>(w, "MIPrinterSetup")->shortcut(), QKeySequence("Ctrl+E"));
    EXPECT_EQ(Part<QAction>(w, "MIQuit")->shortcut(), QKeySequence("Alt+F4"));
    EXPECT_TRUE(Part<QAction>(w, "MIAbout")->shortcut().isEmpty());
}

TEST_F(ShellToolDiscMainLayout, NotebookHasThreePagesWithoutTabsAndStartsOnTheInfoText)
{
    TToolDiscMain& w = OpenBuilt();
    ASSERT_EQ(Part<QStackedWidget>(w, "BrowzerNoteBook")->count(), 3);
    EXPECT_EQ(Part<QStackedWidget>(w, "BrowzerNoteBook")->widget(0)->objectName(), "Komponente");
    EXPECT_EQ(Part<QStackedWidget>(w, "BrowzerNoteBook")->widget(1)->objectName(), "ShortDesc");
    EXPECT_EQ(Part<QStackedWidget>(w, "BrowzerNoteBook")->widget(2)->objectName(), "Infotext");
    EXPECT_EQ(Part<QStackedWidget>(w, "BrowzerNoteBook")->currentWidget()->objectName(), "Infotext");
    EXPECT_EQ(Part<QGroupBox>(w, "CompoDescBox")->parentWidget(), Part<QWidget>(w, "Komponente"));
    EXPECT_EQ(Part<QPlainTextEdit>(w, "ShortMemo")->parentWidget(), Part<QWidget>(w, "ShortDesc"));
    EXPECT_EQ(Part<TMicaTextView>(w, "TextView")->parentWidget(), Part<QWidget>(w, "Infotext"));
    // The memo and the info text view fill their pages.
    w.SetPageKind(TToolDiscMain::pkShortText);
    EXPECT_EQ(Part<QPlainTextEdit>(w, "ShortMemo")->size(), Part<QStackedWidget>(w, "BrowzerNoteBook")->size());
    w.SetPageKind(TToolDiscMain::pkInfoText);
    EXPECT_EQ(Part<TMicaTextView>(w, "TextView")->size(), Part<QStackedWidget>(w, "BrowzerNoteBook")->size());
}

TEST_F(ShellToolDiscMainLayout, QuitFromMenuOrButtonClosesTheWindow)
{
    TToolDiscMain& w = OpenBuilt();
    Part<QAction>(w, "MIQuit")->trigger();
    EXPECT_FALSE(w.isVisible());
    w.show();
    Part<QToolButton>(w, "QuitButton")->click();
    EXPECT_FALSE(w.isVisible());
}

TEST_F(ShellToolDiscMainPageKind, EachKindShowsItsPageAndSetsTheCommands)
{
    TToolDiscMain& w = OpenBuilt();
    struct Row {
        int Kind;
        const char* Page;
        bool FileNameShown, Install, CopyPrint, Expand;
    };
    const Row rows[] = {
        {TToolDiscMain::pkComponent, "Komponente", false, true, true, true},
        {TToolDiscMain::pkShortText, "ShortDesc", true, true, true, false},
        {TToolDiscMain::pkNothing, "Infotext", false, false, false, false},
        {TToolDiscMain::pkInfoText, "Infotext", false, false, true, false},
        {TToolDiscMain::pkComponent, "Komponente", false, true, true, true},
        {TToolDiscMain::pkNothing, "Infotext", false, false, false, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.Kind);
        w.SetPageKind(row.Kind);
        EXPECT_EQ(w.PageKind(), row.Kind);
        EXPECT_EQ(Part<QStackedWidget>(w, "BrowzerNoteBook")->currentWidget()->objectName(), row.Page);
        EXPECT_EQ(Part<QLabel>(w, "ShortFileName")->isVisibleTo(Part<QFrame>(w, "InfoPanel")), row.FileNameShown);
        EXPECT_EQ(Part<QToolButton>(w, "SBInstall")->isEnabled(), row.Install);
        EXPECT_EQ(Part<QAction>(w, "MIInstall")->isEnabled(), row.Install);
        EXPECT_EQ(Part<QToolButton>(w, "SBCopy")->isEnabled(), row.CopyPrint);
        EXPECT_EQ(Part<QToolButton>(w, "SBPrintText")->isEnabled(), row.CopyPrint);
        EXPECT_EQ(Part<QAction>(w, "MIPrint")->isEnabled(), row.CopyPrint);
        EXPECT_EQ(Part<QPushButton>(w, "ExpandBtn")->isVisibleTo(Part<QFrame>(w, "InfoPanel")), row.Expand);
    }
}

TEST_F(ShellToolDiscMainPageKind, OnlyAComponentKeepsTheDetailWindowOpen)
{
    TToolDiscMain& w = OpenBuilt();
    QWidget detail;
    detail.setAttribute(Qt::WA_DontShowOnScreen);
    w.SetDetailWindow(&detail);
    w.SetPageKind(TToolDiscMain::pkComponent);
    detail.show();
    w.SetPageKind(TToolDiscMain::pkComponent);
    EXPECT_TRUE(detail.isVisible());
    for (int kind : {TToolDiscMain::pkShortText, TToolDiscMain::pkInfoText, TToolDiscMain::pkNothing}) {
        SCOPED_TRACE(kind);
        w.SetPageKind(TToolDiscMain::pkComponent);
        detail.show();
        w.SetPageKind(kind);
        EXPECT_FALSE(detail.isVisible());
    }
    // Switching to a component does not open a closed one.
    w.SetPageKind(TToolDiscMain::pkComponent);
    EXPECT_FALSE(detail.isVisible());
    w.SetDetailWindow(nullptr);
}

TEST_F(ShellToolDiscMainPageKind, NothingHidesTheTextViewAndOnlyTheInfoDisplayBringsItBack)
{
    TToolDiscMain& w = OpenBuilt();
    ASSERT_TRUE(Part<TMicaTextView>(w, "TextView")->isVisibleTo(Part<QWidget>(w, "Infotext")));
    w.SetPageKind(TToolDiscMain::pkNothing);
    EXPECT_FALSE(Part<TMicaTextView>(w, "TextView")->isVisibleTo(Part<QWidget>(w, "Infotext")));
    w.SetPageKind(TToolDiscMain::pkInfoText);
    EXPECT_FALSE(Part<TMicaTextView>(w, "TextView")->isVisibleTo(Part<QWidget>(w, "Infotext")));
}

TEST_F(ShellToolDiscMainPageKind, TheKindAlreadyShownChangesNothing)
{
    TToolDiscMain& w = OpenBuilt();
    ASSERT_EQ(w.PageKind(), TToolDiscMain::pkInfoText);
    // Disturb what SetPageKind would set; the same kind again must leave it so.
    Part<QToolButton>(w, "SBInstall")->setEnabled(true);
    Part<QToolButton>(w, "SBCopy")->setEnabled(false);
    Part<QLabel>(w, "ShortFileName")->setVisible(true);
    Part<QStackedWidget>(w, "BrowzerNoteBook")->setCurrentWidget(Part<QWidget>(w, "ShortDesc"));
    w.SetPageKind(TToolDiscMain::pkInfoText);
    EXPECT_TRUE(Part<QToolButton>(w, "SBInstall")->isEnabled());
    EXPECT_FALSE(Part<QToolButton>(w, "SBCopy")->isEnabled());
    EXPECT_TRUE(Part<QLabel>(w, "ShortFileName")->isVisibleTo(Part<QFrame>(w, "InfoPanel")));
    EXPECT_EQ(Part<QStackedWidget>(w, "BrowzerNoteBook")->currentWidget(), Part<QWidget>(w, "ShortDesc"));
    EXPECT_TRUE(Part<QAction>(w, "MIPrint")->isEnabled());
}

TEST_F(ShellToolDiscMainGeometry, ResizeFitsEveryPaneAndKeepsTheExpandButtonAtTheRightEdge)
{
    TToolDiscMain& w = OpenBuilt();
    for (QSize size : {QSize(900, 700), QSize(641, 461), QSize(1280, 1024)}) {
        SCOPED_TRACE(size.width());
        w.resize(size);
        QCoreApplication::processEvents();
        const QSize client = Part<QWidget>(w, "ClientArea")->size();
        EXPECT_EQ(Part<QFrame>(w, "ButtonBar")->width(), client.width());
        EXPECT_EQ(Part<QFrame>(w, "Splitter")->height(), client.height() - 29);
        EXPECT_EQ(Part<QFrame>(w, "OverviewPanel")->height(), Part<QFrame>(w, "Splitter")->height());
        EXPECT_EQ(Part<QFrame>(w, "Splitter")->x(), Part<QFrame>(w, "OverviewPanel")->width() + 1);
        EXPECT_EQ(Part<QFrame>(w, "InfoPanel")->geometry(),
                  QRect(180, 29, client.width() - 180, Part<QFrame>(w, "Splitter")->height()));
        EXPECT_EQ(
            Part<QStackedWidget>(w, "BrowzerNoteBook")->geometry(),
            QRect(2, 34, Part<QFrame>(w, "InfoPanel")->width() - 8, Part<QFrame>(w, "InfoPanel")->height() - 34 - 4));
        EXPECT_EQ(Part<QGroupBox>(w, "CompoDescBox")->size(), Part<QStackedWidget>(w, "BrowzerNoteBook")->size());
        EXPECT_EQ(Part<TBrowzerOutline>(w, "OverviewOL")->geometry(),
                  QRect(4, 19, Part<QFrame>(w, "OverviewPanel")->width() - 8,
                        Part<QFrame>(w, "OverviewPanel")->height() - 23));
        EXPECT_EQ(Part<QPushButton>(w, "ExpandBtn")->geometry().right() + 1, Part<QFrame>(w, "InfoPanel")->width() - 2);
        const int parentWidth = Part<QWidget>(w, "CompoScrollContents")->width();
        EXPECT_EQ(Part<QScrollArea>(w, "CompoScrollBox")->geometry(),
                  Part<QGroupBox>(w, "CompoDescBox")->contentsRect());
        for (QWidget* field : {static_cast<QWidget*>(Part<QLineEdit>(w, "CompoCopyright")),
                               static_cast<QWidget*>(Part<QLineEdit>(w, "CompoDistribution")),
                               static_cast<QWidget*>(Part<QLineEdit>(w, "LangCompInfo")),
                               static_cast<QWidget*>(Part<QLineEdit>(w, "CompoLimitations")),
                               static_cast<QWidget*>(Part<TMicaTextView>(w, "StuffView"))})
            EXPECT_EQ(field->geometry().right() + 1, parentWidth - 4) << field->objectName().toStdString();
        EXPECT_EQ(Part<TMicaTextView>(w, "StuffView")->geometry().bottom() + 1,
                  Part<QWidget>(w, "CompoScrollContents")->height() - 4);
    }
}

// 1280 x 800 at a scale factor of 2 leaves 640 x 400: less than the minimum. The window fits
// below the screen's top, where its title bar can be grabbed.
TEST_F(ShellToolDiscMainGeometry, AScreenSmallerThanTheMinimumStillHoldsTheWholeWindow)
{
    TToolDiscMain& w = OpenBuilt();
    const QRect screen(0, 20, 640, 380);
    w.FitToScreen(screen);
    EXPECT_LE(w.minimumHeight(), screen.height() - kDecorationRoom);
    EXPECT_TRUE(screen.contains(QRect(w.pos(), w.size() + QSize(0, kDecorationRoom))))
        << w.x() << "," << w.y() << " " << w.width() << "x" << w.height();
    // The window still lays itself out at that size.
    EXPECT_TRUE(Part<QWidget>(w, "ClientArea")->rect().contains(Part<QFrame>(w, "InfoPanel")->geometry()));

    // So does the detail window, from its designed place.
    TWideInfoForm detail;
    KeepInside(detail, screen);
    EXPECT_TRUE(screen.contains(QRect(detail.pos(), detail.size() + QSize(0, kDecorationRoom))));
}

TEST_F(ShellToolDiscMainGeometry, WindowNeverGetsSmallerThanTheMinimum)
{
    TToolDiscMain& w = OpenBuilt();
    EXPECT_EQ(w.minimumSize(), QSize(640, 460));
    EXPECT_GE(w.width(), 640);
    EXPECT_GE(w.height(), 460);
    w.resize(300, 200);
    QCoreApplication::processEvents();
    EXPECT_EQ(w.size(), QSize(640, 460));
}

TEST_F(ShellToolDiscMainSplitter, LeftDragSetsTheOverviewWidthAndThePanesFollow)
{
    TToolDiscMain& w = OpenBuilt();
    w.resize(900, 600);
    QCoreApplication::processEvents();
    DragSplitter(w, 60);
    EXPECT_FALSE(w.SplitterDragging());
    EXPECT_EQ(Part<QFrame>(w, "OverviewPanel")->width(), 176 + 60);
    EXPECT_EQ(Part<QFrame>(w, "Splitter")->x(), 176 + 60 + 1);
    EXPECT_EQ(Part<QFrame>(w, "Splitter")->height(), Part<QFrame>(w, "OverviewPanel")->height());
    EXPECT_EQ(Part<QFrame>(w, "InfoPanel")->x(), Part<QFrame>(w, "Splitter")->geometry().right() + 1);
    EXPECT_EQ(Part<QFrame>(w, "InfoPanel")->geometry().right() + 1, Part<QWidget>(w, "ClientArea")->width());
    EXPECT_EQ(Part<TBrowzerOutline>(w, "OverviewOL")->width(), Part<QFrame>(w, "OverviewPanel")->width() - 8);
    EXPECT_EQ(Part<QStackedWidget>(w, "BrowzerNoteBook")->width(), Part<QFrame>(w, "InfoPanel")->width() - 8);

    // The component page follows both ways: the expand button and the fields end inside the pane.
    for (int by : {-100, 200}) {
        DragSplitter(w, by);
        EXPECT_EQ(Part<QPushButton>(w, "ExpandBtn")->geometry().right() + 2 + 1, Part<QFrame>(w, "InfoPanel")->width())
            << by;
        EXPECT_EQ(Part<QScrollArea>(w, "CompoScrollBox")->size(),
                  Part<QGroupBox>(w, "CompoDescBox")->contentsRect().size())
            << by;
        EXPECT_EQ(Part<TMicaTextView>(w, "StuffView")->geometry().right() + 4 + 1,
                  Part<QWidget>(w, "CompoScrollContents")->width())
            << by;
    }
    EXPECT_EQ(Part<QFrame>(w, "OverviewPanel")->width(), 336);
}

TEST_F(ShellToolDiscMainSplitter, OtherButtonsAndModifiersStartNoDrag)
{
    TToolDiscMain& w = OpenBuilt();
    DragSplitter(w, 50, Qt::RightButton);
    EXPECT_EQ(Part<QFrame>(w, "OverviewPanel")->width(), 176);
    DragSplitter(w, 50, Qt::LeftButton, Qt::ShiftModifier);
    EXPECT_EQ(Part<QFrame>(w, "OverviewPanel")->width(), 176);
    DragSplitter(w, 50, Qt::LeftButton, Qt::ControlModifier);
    EXPECT_EQ(Part<QFrame>(w, "OverviewPanel")->width(), 176);
    // A left press while the right button is already held is no clean left press either.
    SendMouse(Part<QFrame>(w, "Splitter"), QEvent::MouseButtonPress, {1, 20}, Qt::LeftButton,
              Qt::LeftButton | Qt::RightButton);
    EXPECT_FALSE(w.SplitterDragging());
}

TEST_F(ShellToolDiscMainSplitter, DragIsBoundedSoThatBothPanesStayUsable)
{
    TToolDiscMain& w = OpenBuilt();
    w.resize(800, 500);
    QCoreApplication::processEvents();
    DragSplitter(w, -5000);
    EXPECT_EQ(Part<QFrame>(w, "OverviewPanel")->width(), TToolDiscMain::kMinOverviewWidth);
    EXPECT_EQ(Part<QFrame>(w, "InfoPanel")->geometry().right() + 1, Part<QWidget>(w, "ClientArea")->width());

    // Dragged as far right as it goes, on a component with the find bar open: no control of
    // the info pane covers another, every field keeps room, the find bar's captions are whole.
    Part<TBrowzerOutline>(w, "OverviewOL")->SelectEntry(Entry("Raster"));
    ASSERT_TRUE(ProcessUntil([&] { return w.PageKind() == TToolDiscMain::pkComponent; }));
    w.FindBar().Open();
    DragSplitter(w, 5000);
    QCoreApplication::processEvents();
    EXPECT_EQ(Part<QFrame>(w, "InfoPanel")->geometry().right() + 1, Part<QWidget>(w, "ClientArea")->width());
    auto inPane = [&](const char* name) {
        QWidget* part = Part<QWidget>(w, name);
        return QRect(part->mapTo(Part<QFrame>(w, "InfoPanel"), QPoint(0, 0)), part->size());
    };
    EXPECT_FALSE(inPane("ExpandBtn").intersects(inPane("SBPrevHist")));
    for (const char* field : {"CompoCopyright", "CompoDistribution", "CompoLimitations"}) {
        SCOPED_TRACE(field);
        EXPECT_GE(Part<QWidget>(w, field)->width(), 40);
        EXPECT_LE(inPane(field).right(), inPane("BrowzerNoteBook").right());
    }
    QCheckBox* caseBox = Part<QCheckBox>(w, "FindCaseBox");
    EXPECT_GE(caseBox->width(), caseBox->sizeHint().width());
    EXPECT_LE(inPane("FindCaseBox").right(), inPane("FindBar").right());
}

}  // namespace
