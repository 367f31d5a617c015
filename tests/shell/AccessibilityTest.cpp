// What a screen reader reads of the viewer, through Qt's accessibility interfaces as the bridge to
// the desktop's accessibility bus reads them: the page's text, the rating, the names of the
// buttons and fields, and the events that tell it something changed.

#include <gtest/gtest.h>

#include <QAccessible>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <QTreeView>
#include <QtGui/private/qguiapplication_p.h>
#include <QtTest/qtestaccessible.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>

#include "ToolDiscMainTestSupport.h"
#include "controls/MicaTextView.h"
#include "shell/ComponentPage.h"
#include "widgets/Gauge.h"

namespace lumarc::test {
namespace {

const char* const kScript =
    "OUTLINE [Gliederung] 01.05.96 {\n"
    "Willkommen [Willkommen]\n"
    "Hinweise [Hinweise]\n"
    "Komponenten\n"
    "  Raster [Raster]\n"
    "  Leiste [Leiste]\n"
    "  Knopf [Knopf]\n"
    "}\n"
    "INFOTEXT [Willkommen] 24.12.95 {\n"
    "<F1>Willkommen auf der Scheibe\n"
    "<F0>zweite Zeile\n"
    "}\n"
    "INFOTEXT [Hinweise] 24.12.95 {\n"
    "<F1>Hinweise zur Installation\n"
    "}\n"
    "COMPONENT [Raster] {\n"
    "[LongName]\nRaster & Gitter\n[Copyright]\n(c) 1996 Gitterwerk\n[Distribution]\nDemoversion\n"
    "[Limitations]\nhöchstens 50 Zeilen\n[Rating]\n9\n[ShortInfo]\nEin Gitter\n"
    "}\n"
    "COMPONENT [Leiste] {\n"
    "[LongName]\nLeiste\n[Rating]\n0\n"
    "}\n"
    "COMPONENT [Knopf] {\n"
    "[LongName]\nKnopf\n[Rating]\n5\n"
    "}\n";

class AccessibilityTest : public TMainWindowTest {
protected:
    void SetUp() override
    {
        TMainWindowTest::SetUp();
        QTestAccessibility::initialize();
        // As when a screen reader runs: without one the framework tells nobody of changes.
        QGuiApplicationPrivate::platformIntegration()->accessibility()->setActive(true);
        WriteCatalogue(Dir / "Data", kScript);
        Open(Dir.Path());
    }
    void TearDown() override
    {
        TMainWindowTest::TearDown();
        ForgetEvents();
        QTestAccessibility::cleanup();
        QGuiApplicationPrivate::platformIntegration()->accessibility()->setActive(false);
    }

    void Show(const std::string& caption, QWidget* view)
    {
        Part<TBrowzerOutline>(*Window, "OverviewOL")->SelectEntry(Entry(caption));
        ASSERT_TRUE(ProcessUntil([&] { return view->accessibleName() == QString::fromStdString(caption); })) << caption;
    }

    static QAccessibleInterface* Of(QObject* object) { return QAccessible::queryAccessibleInterface(object); }
    // Qt's clearEvents drops the recorded events without freeing them.
    static void ForgetEvents()
    {
        qDeleteAll(QTestAccessibility::events());
        QTestAccessibility::clearEvents();
    }
};

TEST_F(AccessibilityTest, TheInfoTextIsReadAsTheTextOfItsEntryAndFollowsTheEntryAndTheRow)
{
    auto* view = Part<TMicaTextView>(*Window, "TextView");
    Show("Willkommen", view);
    QAccessibleInterface* text = Of(view);
    ASSERT_NE(text->textInterface(), nullptr);
    EXPECT_EQ(text->text(QAccessible::Name), QStringLiteral("Willkommen"));
    EXPECT_TRUE(text->state().readOnly);
    EXPECT_TRUE(text->state().multiLine);
    EXPECT_EQ(text->textInterface()->text(0, text->textInterface()->characterCount()),
              QStringLiteral("Willkommen auf der Scheibe\nzweite Zeile"));

    // A row taken with the keyboard moves the caret to its start, and says so.
    ForgetEvents();
    view->SetRow(1);
    EXPECT_EQ(text->textInterface()->cursorPosition(), 27);
    QAccessibleTextCursorEvent moved(view, 27);
    EXPECT_TRUE(QTestAccessibility::containsEvent(&moved));

    // Another entry replaces the text, and the reader hears of it.
    ForgetEvents();
    Show("Hinweise", view);
    QAccessibleTextUpdateEvent changed(view, 0, QStringLiteral("Willkommen auf der Scheibe\nzweite Zeile"),
                                       QStringLiteral("Hinweise zur Installation"));
    EXPECT_TRUE(QTestAccessibility::containsEvent(&changed));
    EXPECT_EQ(text->textInterface()->text(0, -1), QStringLiteral("Hinweise zur Installation"));
}

TEST_F(AccessibilityTest, TheComponentPageReadsItsTextItsRatingAndEachFieldWithItsCaption)
{
    auto* page = Part<TComponentPage>(*Window, "Komponente");
    Show("Raster", &page->StuffView());
    QAccessibleInterface* stuff = Of(&page->StuffView());
    ASSERT_NE(stuff->textInterface(), nullptr);
    EXPECT_TRUE(stuff->textInterface()->text(0, -1).contains(QStringLiteral("Ein Gitter")));

    QAccessibleInterface* rating = Of(Part<TGauge>(*Window, "RatingGauge"));
    EXPECT_EQ(rating->role(), QAccessible::ProgressBar);
    EXPECT_EQ(rating->text(QAccessible::Name), QStringLiteral("Wertung"));
    ASSERT_NE(rating->valueInterface(), nullptr);
    EXPECT_EQ(rating->valueInterface()->currentValue().toInt(), 90);
    EXPECT_EQ(rating->valueInterface()->maximumValue().toInt(), 100);
    ForgetEvents();
    Show("Knopf", &page->StuffView());
    QAccessibleValueChangeEvent changed(Part<TGauge>(*Window, "RatingGauge"), 50);
    EXPECT_TRUE(QTestAccessibility::containsEvent(&changed));
    Show("Raster", &page->StuffView());

    for (const auto& [field, caption] : {std::pair{"CompoCopyright", "Copyright:"},
                                         {"CompoDistribution", "Distribution:"},
                                         {"CompoLimitations", "Einschränkungen:"}}) {
        QAccessibleInterface* edit = Of(Part<QLineEdit>(*Window, field));
        EXPECT_EQ(edit->text(QAccessible::Name), QString::fromUtf8(caption)) << field;
        const auto labels = edit->relations(QAccessible::Label);
        ASSERT_EQ(labels.size(), 1) << field;
        EXPECT_EQ(labels.front().first->text(QAccessible::Name), QString::fromUtf8(caption)) << field;
    }

    // Without a rating, what is read is "Wertung", with no value.
    Show("Leiste", &page->StuffView());
    auto* none = Part<QLabel>(*Window, "RatingLabel");
    ASSERT_TRUE(none->isVisible());
    EXPECT_EQ(Of(none)->text(QAccessible::Name), QStringLiteral("Wertung"));
    EXPECT_EQ(Of(none)->text(QAccessible::Description), QStringLiteral("keine Wertung"));
    EXPECT_EQ(Of(none)->valueInterface(), nullptr);
}

TEST_F(AccessibilityTest, EveryButtonOfTheWindowHasAName)
{
    std::vector<std::string> unnamed;
    for (QAbstractButton* button : Window->findChildren<QAbstractButton*>()) {
        // The framework's own: the menu bar's button for menus that do not fit.
        if (button->objectName().startsWith(QLatin1String("qt_")))
            continue;
        if (Of(button)->text(QAccessible::Name).isEmpty())
            unnamed.push_back(button->objectName().toStdString());
    }
    EXPECT_EQ(unnamed, std::vector<std::string>{});
    EXPECT_EQ(Of(Part<QToolButton>(*Window, "SBFirst"))->text(QAccessible::Name),
              QString::fromUtf8("Überblick zurücksetzen"));
}

// A screen reader names a tree's or table's column by its header, a hidden one too, where Qt's
// default is the column's number.
TEST_F(AccessibilityTest, EveryTreeNamesItsColumns)
{
    std::vector<std::string> numbered;
    for (QTreeView* view : Window->findChildren<QTreeView*>()) {
        const QAbstractItemModel* model = view->model();
        for (int column = 0; model && column < model->columnCount(); ++column)
            if (model->headerData(column, Qt::Horizontal).toString() == QString::number(column + 1))
                numbered.push_back(view->objectName().toStdString());
    }
    EXPECT_EQ(numbered, std::vector<std::string>{});
}

}  // namespace
}  // namespace lumarc::test
