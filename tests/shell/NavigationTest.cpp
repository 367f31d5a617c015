// The road from a selection to a display, the navigation buttons, the history with its back
// step, and the outline's Enter key and right button, on the real main window.

#include "shell/Navigation.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QTest>
#include <QToolButton>
#include <QTreeWidgetItem>
#include <QTreeWidgetItemIterator>

#include <algorithm>
#include <string>
#include <vector>

#include "ToolDiscMainTestSupport.h"
#include "controls/MicaTextView.h"

namespace lumarc::test {
namespace {

// Four groups of three parts of two leaves: 40 entries on three levels. "Gruppe 1" has an
// info text (nothing to install), "Blatt 1.1.1" a component (installable); the rest have
// no record.
std::string NavigationScript()
{
    std::string script = "OUTLINE [Gliederung] 01.05.96 {\n";
    for (int g = 1; g <= 4; ++g) {
        script += "Gruppe " + std::to_string(g) + (g == 1 ? " [Start]" : "") + "\n";
        for (int t = 1; t <= 3; ++t) {
            const std::string part = std::to_string(g) + "." + std::to_string(t);
            script += "  Teil " + part + "\n";
            for (int b = 1; b <= 2; ++b)
                script += "    Blatt " + part + "." + std::to_string(b) +
                          (g == 1 && t == 1 && b == 1 ? " [Kompo]" : "") + "\n";
        }
    }
    script +=
        "}\n"
        "INFOTEXT [Start] 24.12.95 {\n"
        "<F1>Start\n"
        "}\n"
        "COMPONENT [Kompo] {\n"
        "[LongName]\n"
        "Kompo\n"
        "}\n";
    return script;
}

class ShellNavigationTest : public TMainWindowTest {
protected:
    TToolDiscMain& OpenNavigation()
    {
        const std::string script = NavigationScript();
        WriteCatalogue(Dir / "Data", script.c_str());
        TToolDiscMain& w = Open(Dir.Path());
        QObject::connect(&w, &TToolDiscMain::EntryShown, &w, [this](int entry) { Shown.push_back(entry); });
        return w;
    }

    // Lets every pending display run; the main window coalesces through zero timers, so a
    // few rounds of the event loop are enough to see a second display if there were one.
    void Settle()
    {
        for (int i = 0; i < 5; ++i)
            QCoreApplication::processEvents();
    }

    // Runs `action` and returns the displays it led to.
    template <typename Action>
    std::vector<int> DisplaysOf(Action action)
    {
        Shown.clear();
        action();
        ProcessUntil([&] { return !Shown.empty(); });
        Settle();
        return Shown;
    }
    // For actions that should show nothing: no waiting for a display that never comes.
    template <typename Action>
    bool ShowsNothing(Action action)
    {
        Shown.clear();
        action();
        Settle();
        return Shown.empty();
    }

    void Show(int entry)
    {
        ASSERT_EQ(DisplaysOf([&] { Part<TBrowzerOutline>(*Window, "OverviewOL")->SelectEntry(entry); }),
                  std::vector<int>{entry});
    }
    void Show(const char* caption) { Show(Entry(caption)); }

    std::vector<int> History() const
    {
        const std::vector<int32_t>& values = Window->Navigation().History().Values();
        return std::vector<int>(values.begin(), values.end());
    }

    // The tree data's entries in reading order.
    std::vector<int> ReadingOrder() const
    {
        const TTreeViewData& tree = Part<TBrowzerOutline>(*Window, "OverviewOL")->TreeData();
        std::vector<int> order;
        const auto visit = [&](const auto& self, int entry) -> void {
            order.push_back(entry);
            const int first = tree.FirstChildList[entry];
            for (int c = 0; c < tree.ChildCountList[entry]; ++c)
                self(self, first + c);
        };
        for (int root = 0; root < tree.RootCount; ++root)
            visit(visit, root);
        return order;
    }

    QTreeWidgetItem* Node(const char* caption) const
    {
        const int entry = Entry(caption);
        for (QTreeWidgetItemIterator it(Part<TBrowzerOutline>(*Window, "OverviewOL")); *it; ++it)
            if (TBrowzerOutline::EntryOf(*it) == entry)
                return *it;
        return nullptr;
    }

    std::vector<int> Shown;
};

void SendMouse(QWidget* target, QEvent::Type type, Qt::MouseButton button, QPoint at)
{
    QMouseEvent event(type, QPointF(at), QPointF(target->mapToGlobal(at)), button,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button), Qt::NoModifier);
    QCoreApplication::sendEvent(target, &event);
}

void Click(QWidget* target, Qt::MouseButton button, QPoint at)
{
    SendMouse(target, QEvent::MouseButtonPress, button, at);
    SendMouse(target, QEvent::MouseButtonRelease, button, at);
}

// Counts the key presses of one key that reach a widget.
class TKeyCounter : public QObject {
public:
    TKeyCounter(QObject* watched, int key) : FKey(key) { watched->installEventFilter(this); }
    int Count = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == FKey)
            ++Count;
        return false;
    }

private:
    int FKey;
};

using ShellNavigationButtons = ShellNavigationTest;

TEST_F(ShellNavigationButtons, EachMoveOfTheSelectionLeadsToExactlyOneDisplay)
{
    TToolDiscMain& w = OpenNavigation();
    TBrowzerOutline& ol = *Part<TBrowzerOutline>(w, "OverviewOL");
    ASSERT_EQ(ol.SelectedEntry(), Entry("Gruppe 1"));

    EXPECT_EQ(DisplaysOf([&] { Part<QToolButton>(w, "SBDown")->click(); }), std::vector<int>{Entry("Teil 1.1")});
    EXPECT_EQ(DisplaysOf([&] { Part<QToolButton>(w, "SBNext")->click(); }), std::vector<int>{Entry("Blatt 1.1.1")});
    EXPECT_EQ(DisplaysOf([&] { Part<QToolButton>(w, "SBUp")->click(); }), std::vector<int>{Entry("Teil 1.1")});
    // "Teil 1.1" is open now: one level up first closes it, which moves nothing and shows nothing.
    EXPECT_TRUE(ShowsNothing([&] { Part<QToolButton>(w, "SBPrev")->click(); }));
    EXPECT_FALSE(Node("Teil 1.1")->isExpanded());
    EXPECT_EQ(DisplaysOf([&] { Part<QToolButton>(w, "SBPrev")->click(); }), std::vector<int>{Entry("Gruppe 1")});

    Show("Blatt 3.2.1");
    EXPECT_EQ(DisplaysOf([&] { Part<QToolButton>(w, "SBFirst")->click(); }), std::vector<int>{Entry("Gruppe 1")});
    EXPECT_EQ(Part<TBrowzerOutline>(w, "OverviewOL")->HandledNode(), ol.currentItem());
    // A selection that stays put shows nothing again.
    EXPECT_TRUE(ShowsNothing([&] { Part<QToolButton>(w, "SBFirst")->click(); }));
    EXPECT_TRUE(Messages.empty());
}

TEST_F(ShellNavigationButtons, OneLevelUpFromALeafThatNextHasPassedTakesOnePress)
{
    TToolDiscMain& w = OpenNavigation();
    Part<QToolButton>(w, "SBDown")->click();
    Part<QToolButton>(w, "SBNext")->click();
    ASSERT_EQ(Part<TBrowzerOutline>(w, "OverviewOL")->SelectedEntry(), Entry("Blatt 1.1.1"));
    Part<QToolButton>(w, "SBNext")->click();  // passes the leaf on to "Blatt 1.1.2"
    Settle();
    EXPECT_EQ(DisplaysOf([&] { Part<QToolButton>(w, "SBPrev")->click(); }), std::vector<int>{Entry("Teil 1.1")});

    // The left key as well: one press from a passed leaf reaches its parent.
    Show("Blatt 2.1.1");
    Part<QToolButton>(w, "SBNext")->click();
    Show("Blatt 2.1.1");
    QKeyEvent left(QEvent::KeyPress, Qt::Key_Left, Qt::NoModifier);
    QCoreApplication::sendEvent(Part<TBrowzerOutline>(w, "OverviewOL"), &left);
    Settle();
    EXPECT_EQ(Part<TBrowzerOutline>(w, "OverviewOL")->SelectedEntry(), Entry("Teil 2.1"));
}

TEST_F(ShellNavigationButtons, NextWalksTheWholeOutlineInReadingOrderOneDisplayPerStep)
{
    TToolDiscMain& w = OpenNavigation();
    const std::vector<int> order = ReadingOrder();
    ASSERT_EQ(order.size(), 40u);
    ASSERT_EQ(Part<TBrowzerOutline>(w, "OverviewOL")->SelectedEntry(), order.front());

    std::vector<int> walked{order.front()};
    for (size_t step = 1; step < order.size(); ++step) {
        const std::vector<int> shown = DisplaysOf([&] { Part<QToolButton>(w, "SBNext")->click(); });
        ASSERT_EQ(shown.size(), 1u) << "step " << step;
        walked.push_back(shown.front());
    }
    EXPECT_EQ(walked, order);
    // Every entry with sub-entries was opened on the way.
    for (const char* parent : {"Gruppe 1", "Gruppe 4", "Teil 2.3", "Teil 4.3"})
        EXPECT_TRUE(Node(parent) && Node(parent)->isExpanded()) << parent;

    // At the last leaf the selection stays and nothing is shown.
    EXPECT_TRUE(ShowsNothing([&] { Part<QToolButton>(w, "SBNext")->click(); }));
    EXPECT_EQ(Part<TBrowzerOutline>(w, "OverviewOL")->SelectedEntry(), order.back());
}

TEST_F(ShellNavigationButtons, ExpandingANodeAgainDoesNotAddItsChildrenTwice)
{
    TToolDiscMain& w = OpenNavigation();
    TBrowzerOutline& ol = *Part<TBrowzerOutline>(w, "OverviewOL");
    QTreeWidgetItem* group = Node("Gruppe 3");
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(group->childCount(), 0);  // created on first expansion only

    for (int round = 0; round < 3; ++round) {
        ol.expandItem(group);
        ol.collapseItem(group);
    }
    ol.setCurrentItem(group);
    Settle();
    Part<QToolButton>(w, "SBNext")->click();  // expands the selected node once more
    Settle();
    ASSERT_EQ(group->childCount(), 3);
    EXPECT_EQ(ol.SelectedEntry(), Entry("Teil 3.1"));

    QTreeWidgetItem* part = group->child(1);
    ol.setCurrentItem(part);
    Settle();
    Part<QToolButton>(w, "SBNext")->click();
    Part<QToolButton>(w, "SBUp")->click();
    Part<QToolButton>(w, "SBPrev")->click();  // closes "Teil 3.2"
    Settle();
    EXPECT_FALSE(part->isExpanded());
    Part<QToolButton>(w, "SBNext")->click();  // and opens it again
    Settle();
    EXPECT_EQ(part->childCount(), 2);
    EXPECT_EQ(group->childCount(), 3);
}

using ShellNavigationHistory = ShellNavigationTest;

TEST_F(ShellNavigationHistory, StartsWithTheStartEntryAndTheBackButtonDisabled)
{
    TToolDiscMain& w = OpenNavigation();
    EXPECT_EQ(History(), std::vector<int>{Entry("Gruppe 1")});
    EXPECT_FALSE(Part<QToolButton>(w, "SBPrevHist")->isEnabled());
    EXPECT_TRUE(w.Navigation().RecordHistory());
    // A disabled back button, and the back step itself with one entry, change nothing.
    EXPECT_TRUE(ShowsNothing([&] { Part<QToolButton>(w, "SBPrevHist")->click(); }));
    EXPECT_TRUE(ShowsNothing([&] { w.Navigation().SBPrevHistClick(); }));
    EXPECT_EQ(History(), std::vector<int>{Entry("Gruppe 1")});
    EXPECT_FALSE(Part<QToolButton>(w, "SBPrevHist")->isEnabled());
}

TEST_F(ShellNavigationHistory, KeepsTheLast21OfManyShownEntries)
{
    TToolDiscMain& w = OpenNavigation();
    const std::vector<int> order = ReadingOrder();
    std::vector<int> all{order.front()};
    for (size_t i = 1; i <= 25; ++i) {
        Show(order[i]);
        all.push_back(order[i]);
    }
    const std::vector<int> last21(all.end() - TNavigation::kMaxHistory, all.end());
    EXPECT_EQ(History(), last21);
    EXPECT_TRUE(Part<QToolButton>(w, "SBPrevHist")->isEnabled());

    // Showing the shown entry again (as a search hit does) adds nothing and loses nothing.
    EXPECT_EQ(DisplaysOf([&] { w.OverviewOLClick(); }), std::vector<int>{order[25]});
    EXPECT_EQ(History(), last21);
}

TEST_F(ShellNavigationHistory, TheSameEntryTwiceInARowIsRecordedOnce)
{
    TToolDiscMain& w = OpenNavigation();
    Show("Teil 2.2");
    w.OverviewOLClick();
    w.OverviewOLClick();
    Show("Teil 2.3");
    Show("Teil 2.2");
    EXPECT_EQ(History(),
              std::vector<int>({Entry("Gruppe 1"), Entry("Teil 2.2"), Entry("Teil 2.3"), Entry("Teil 2.2")}));
}

TEST_F(ShellNavigationHistory, BackStepsShowTheEarlierEntriesAndKeepTheLastInPlace)
{
    TToolDiscMain& w = OpenNavigation();
    const int a = Entry("Gruppe 1");
    const int b = Entry("Teil 3.2");
    const int c = Entry("Blatt 4.3.2");
    Show(b);
    Show(c);
    ASSERT_EQ(History(), std::vector<int>({a, b, c}));
    ASSERT_TRUE(Part<QToolButton>(w, "SBPrevHist")->isEnabled());

    EXPECT_EQ(DisplaysOf([&] { Part<QToolButton>(w, "SBPrevHist")->click(); }), std::vector<int>{b});
    EXPECT_EQ(Part<TBrowzerOutline>(w, "OverviewOL")->SelectedEntry(), b);
    EXPECT_EQ(History(), std::vector<int>({a, c}));
    EXPECT_TRUE(Part<QToolButton>(w, "SBPrevHist")->isEnabled());
    EXPECT_TRUE(w.Navigation().RecordHistory());  // the skipped recording was used up by that display

    EXPECT_EQ(DisplaysOf([&] { Part<QToolButton>(w, "SBPrevHist")->click(); }), std::vector<int>{a});
    EXPECT_EQ(History(), std::vector<int>{c});
    EXPECT_FALSE(Part<QToolButton>(w, "SBPrevHist")->isEnabled());

    // The next display is recorded again.
    Show("Teil 1.3");
    EXPECT_EQ(History(), std::vector<int>({c, Entry("Teil 1.3")}));
    EXPECT_TRUE(Part<QToolButton>(w, "SBPrevHist")->isEnabled());
}

TEST_F(ShellNavigationHistory, BackOpensTheCollapsedAncestorsOfItsEntry)
{
    TToolDiscMain& w = OpenNavigation();
    Show("Blatt 2.2.1");
    Show("Gruppe 3");
    Part<TBrowzerOutline>(w, "OverviewOL")->collapseItem(Node("Gruppe 2"));
    Part<TBrowzerOutline>(w, "OverviewOL")->collapseItem(Node("Teil 2.2"));

    EXPECT_EQ(DisplaysOf([&] { Part<QToolButton>(w, "SBPrevHist")->click(); }), std::vector<int>{Entry("Blatt 2.2.1")});
    EXPECT_TRUE(Node("Gruppe 2")->isExpanded());
    EXPECT_TRUE(Node("Teil 2.2")->isExpanded());
    EXPECT_FALSE(Node("Teil 2.1")->isExpanded());
    EXPECT_EQ(Part<TBrowzerOutline>(w, "OverviewOL")->currentItem(), Node("Blatt 2.2.1"));
}

TEST_F(ShellNavigationHistory, BackToTheEntryAlreadySelectedDoesNotSwallowTheNextRecording)
{
    TToolDiscMain& w = OpenNavigation();
    const int start = Entry("Gruppe 1");
    const int x = Entry("Teil 1.2");
    Show(x);
    Show(start);
    EXPECT_EQ(DisplaysOf([&] { Part<QToolButton>(w, "SBPrevHist")->click(); }), std::vector<int>{x});
    ASSERT_EQ(History(), std::vector<int>({start, start}));
    Show(start);  // the same as the last recorded: not added
    ASSERT_EQ(History(), std::vector<int>({start, start}));

    // The back target is what is selected already: no display follows, so none may be skipped.
    EXPECT_TRUE(ShowsNothing([&] { Part<QToolButton>(w, "SBPrevHist")->click(); }));
    EXPECT_EQ(History(), std::vector<int>{start});
    EXPECT_TRUE(w.Navigation().RecordHistory());
    Show("Teil 4.1");
    EXPECT_EQ(History(), std::vector<int>({start, Entry("Teil 4.1")}));
}

using ShellNavigationKeys = ShellNavigationTest;

// The key that a hint names at its end, "(Alt+Left)"; empty when it names none.
QKeySequence HintedKey(const QAbstractButton& button)
{
    const QString hint = button.toolTip();
    const qsizetype open = hint.lastIndexOf(QStringLiteral(" ("));
    if (open < 0 || !hint.endsWith(QLatin1Char(')')))
        return QKeySequence();
    return QKeySequence::fromString(hint.mid(open + 2, hint.size() - open - 3), QKeySequence::NativeText);
}

// A key bound twice does nothing at all; one that is bound nowhere makes the hint a lie.
TEST_F(ShellNavigationKeys, EveryButtonsHintNamesAKeyBoundToExactlyOneCommand)
{
    TToolDiscMain& w = OpenNavigation();
    const QList<QAction*> actions = w.findChildren<QAction*>();
    int buttons = 0;
    for (QToolButton* button : w.findChildren<QToolButton*>()) {
        if (button->parentWidget() != Part<QFrame>(w, "ButtonBar") &&
            button->parentWidget() != Part<QFrame>(w, "InfoPanel"))
            continue;
        ++buttons;
        const QKeySequence key = HintedKey(*button);
        EXPECT_FALSE(key.isEmpty()) << button->objectName().toStdString();
        const auto bound = std::count_if(actions.begin(), actions.end(),
                                         [&](const QAction* action) { return action->shortcuts().contains(key); });
        EXPECT_EQ(bound, 1) << button->objectName().toStdString() << " " << key.toString().toStdString();
    }
    EXPECT_EQ(buttons, 14);
}

TEST_F(ShellNavigationKeys, AltLeftStepsBackAndAltHomeResetsWhereverTheFocusIs)
{
    TToolDiscMain& w = OpenNavigation();
    ASSERT_TRUE(Activate());
    const int b = Entry("Teil 3.2");
    Show(b);
    Show("Blatt 4.3.2");
    Part<TMicaTextView>(w, "TextView")->setFocus();
    const auto press = [](int key, Qt::KeyboardModifiers modifiers) {
        QTest::keyClick(QApplication::focusWidget(), static_cast<Qt::Key>(key), modifiers);
    };
    EXPECT_EQ(DisplaysOf([&] { press(Qt::Key_Left, Qt::AltModifier); }), std::vector<int>{b});

    Part<QPlainTextEdit>(w, "ShortMemo")->setFocus();
    EXPECT_EQ(DisplaysOf([&] { press(Qt::Key_Home, Qt::AltModifier); }), std::vector<int>{Entry("Gruppe 1")});

    // The key follows the button: with one entry left in the history it does nothing.
    while (Part<QToolButton>(w, "SBPrevHist")->isEnabled())
        DisplaysOf([&] { Part<QToolButton>(w, "SBPrevHist")->click(); });
    EXPECT_TRUE(ShowsNothing([&] { press(Qt::Key_Left, Qt::AltModifier); }));
}

using ShellNavigationOutline = ShellNavigationTest;

TEST_F(ShellNavigationOutline, EnterIsSwallowedAndShowsNothingMore)
{
    TToolDiscMain& w = OpenNavigation();
    TBrowzerOutline& ol = *Part<TBrowzerOutline>(w, "OverviewOL");
    Show("Teil 2.1");
    int activated = 0;
    QObject::connect(&ol, &QTreeWidget::itemActivated, &ol, [&] { ++activated; });
    TKeyCounter reachingThePanel(Part<QFrame>(w, "OverviewPanel"), Qt::Key_Return);

    for (int key : {Qt::Key_Return, Qt::Key_Enter}) {
        ol.SetHandledNode(nullptr);
        EXPECT_TRUE(ShowsNothing([&] {
            QKeyEvent enter(QEvent::KeyPress, key, Qt::NoModifier, QStringLiteral("\r"));
            QCoreApplication::sendEvent(&ol, &enter);
        }));
        EXPECT_EQ(ol.HandledNode(), ol.currentItem());
    }
    EXPECT_EQ(activated, 0);
    EXPECT_EQ(reachingThePanel.Count, 0);
    EXPECT_EQ(History(), std::vector<int>({Entry("Gruppe 1"), Entry("Teil 2.1")}));

    // Other keys still move the selection, and the display follows once.
    EXPECT_EQ(DisplaysOf([&] {
                  QKeyEvent down(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
                  QCoreApplication::sendEvent(&ol, &down);
              }),
              std::vector<int>{Entry("Teil 2.2")});
}

TEST_F(ShellNavigationOutline, EnterRightAfterAMoveStillShowsTheNewEntryOnce)
{
    TToolDiscMain& w = OpenNavigation();
    TBrowzerOutline& ol = *Part<TBrowzerOutline>(w, "OverviewOL");
    const std::vector<int> shown = DisplaysOf([&] {
        ol.setCurrentItem(Node("Teil 1.3"));
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
        QCoreApplication::sendEvent(&ol, &enter);
    });
    EXPECT_EQ(shown, std::vector<int>{Entry("Teil 1.3")});
    EXPECT_EQ(History().back(), Entry("Teil 1.3"));
}

TEST_F(ShellNavigationOutline, RightButtonInstallsTheShownEntryOnlyWhenInstallIsPossible)
{
    TToolDiscMain& w = OpenNavigation();
    TBrowzerOutline& ol = *Part<TBrowzerOutline>(w, "OverviewOL");
    int installs = 0;
    QObject::connect(Part<QToolButton>(w, "SBInstall"), &QToolButton::clicked, &w, [&] { ++installs; });
    const auto elsewhere = [&] { return ol.visualItemRect(Node("Gruppe 2")).center(); };

    Show("Blatt 1.1.1");  // a component
    ASSERT_TRUE(Part<QToolButton>(w, "SBInstall")->isEnabled());
    EXPECT_TRUE(ShowsNothing([&] { Click(ol.viewport(), Qt::RightButton, elsewhere()); }));
    EXPECT_EQ(installs, 1);
    // The node under the mouse is not selected: the install is for what is shown.
    EXPECT_EQ(ol.SelectedEntry(), Entry("Blatt 1.1.1"));

    Show("Gruppe 1");  // an info text: nothing to install
    ASSERT_FALSE(Part<QToolButton>(w, "SBInstall")->isEnabled());
    EXPECT_TRUE(ShowsNothing([&] { Click(ol.viewport(), Qt::RightButton, elsewhere()); }));
    EXPECT_EQ(installs, 1);
    EXPECT_EQ(ol.SelectedEntry(), Entry("Gruppe 1"));

    // The left button selects as ever, shows the entry once and installs nothing.
    EXPECT_EQ(DisplaysOf([&] { Click(ol.viewport(), Qt::LeftButton, elsewhere()); }),
              std::vector<int>{Entry("Gruppe 2")});
    EXPECT_EQ(installs, 1);
    EXPECT_TRUE(Messages.empty());
}

}  // namespace
}  // namespace lumarc::test
