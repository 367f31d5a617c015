#include <gtest/gtest.h>

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QStackedWidget>
#include <QToolButton>

#include <algorithm>
#include <filesystem>
#include <string>

#include "ToolDiscMainTestSupport.h"
#include "catalogue/CompoText.h"
#include "catalogue/RecordRef.h"
#include "controls/MicaTextView.h"
#include "widgets/Gauge.h"

using namespace lumarc;
using namespace lumarc::test;

namespace {

// One record of each kind, components with every field, without any, and in between.
const char* const kDisplayScript =
    "OUTLINE [Gliederung] 01.05.96 {\n"
    "Willkommen [Willkommen]\n"
    "Leer\n"
    "Kurz [Kurz]\n"
    "Einzeilig [Einzeilig]\n"
    "Voll [Voll]\n"
    "Nackt [Nackt]\n"
    "Englisch [Englisch]\n"
    "Unbekannt [Unbekannt]\n"
    "Woerter [Woerter]\n"
    "}\n"
    "INFOTEXT [Willkommen] 24.12.95 {\n"
    "<F1>Willkommen\n"
    "}\n"
    "SHORTTEXT [Kurz] 10.06.96 {\n"
    "D:\\KOMPS\\GRÖSSE.ZIP\n"
    "┌──────┐\n"
    "│ Maße │\n"
    "└──────┘\n"
    "\n"
    "Größen für Fenster\n"
    "}\n"
    "SHORTTEXT [Einzeilig] 10.06.96 {\n"
    "D:\\KOMPS\\NUR.ZIP\n"
    "}\n"
    "COMPONENT [Voll] 18.03.96 {\n"
    "[LongName]\n"
    "Raster & Gitter\n"
    "[Version]\n"
    "2.1\n"
    "[Copyright]\n"
    "© 1996 Quellwerk\n"
    "[Distribution]\n"
    "Demoversion\n"
    "[Limitations]\n"
    "höchstens 50 Zeilen\n"
    "[Price]\n"
    "DM 298,-\n"
    "[KeyWords]\n"
    "Gitter, Tabelle\n"
    "[ShortInfo]\n"
    "Ein Gitter\n"
    "für Tabellen\n"
    "[Order]\n"
    "per Post\n"
    "[Contact]\n"
    "Quellwerk GmbH\n"
    "Lindenallee 14\n"
    "[Rating]\n"
    "7\n"
    "[OS]\n"
    "Windows 95\n"
    "[Language]\n"
    "49\n"
    "Compiler\n"
    "Delphi, BP\n"
    "}\n"
    "COMPONENT [Nackt] 18.03.96 {\n"
    "[LongName]\n"
    "Nackt\n"
    "[Version]\n"
    "1.0\n"
    "[Limitations]\n"
    "keine\n"
    "}\n"
    "COMPONENT [Englisch] 18.03.96 {\n"
    "[LongName]\n"
    "A&&B & C\n"
    "[Version]\n"
    "3\n"
    "[Rating]\n"
    "10\n"
    "[Language]\n"
    "44\n"
    "}\n"
    "COMPONENT [Unbekannt] 18.03.96 {\n"
    "[LongName]\n"
    "Unbekannt\n"
    "[Version]\n"
    "1\n"
    "[Language]\n"
    "7\n"
    "Compiler\n"
    "Delphi2, BP\n"
    "}\n"
    "COMPONENT [Woerter] 18.03.96 {\n"
    "[LongName]\n"
    "Woerter\n"
    "[KeyWords]\n"
    // Thirty words of seven ampersands: stored doubled, they no longer fit one packed line.
    "&&&&&&& &&&&&&& &&&&&&& &&&&&&& &&&&&&& &&&&&&& &&&&&&& &&&&&&& &&&&&&& &&&&&&& "
    "&&&&&&& &&&&&&& &&&&&&& &&&&&&& &&&&&&& &&&&&&& &&&&&&& &&&&&&& &&&&&&& &&&&&&& "
    "&&&&&&& &&&&&&& &&&&&&& &&&&&&& &&&&&&& &&&&&&& &&&&&&& &&&&&&& &&&&&&& &&&&&&&\n"
    "}\n";

QStringList Utf8Lines(std::initializer_list<const char*> lines)
{
    QStringList result;
    for (const char* line : lines)
        result << QString::fromUtf8(line);
    return result;
}

class ShellEntryDisplay : public TMainWindowTest {
protected:
    TToolDiscMain& OpenDisplay()
    {
        WriteCatalogue(Dir / "Data", kDisplayScript);
        TToolDiscMain& w = Open(Dir.Path());
        QObject::connect(&w, &TToolDiscMain::EntryShown, &w, [this](int entry) { FShown = entry; });
        return w;
    }

    // Selects the entry as the user would and waits until the window has shown it.
    void Show(const std::string& caption)
    {
        const int entry = Entry(caption);
        ASSERT_NE(Part<TBrowzerOutline>(*Window, "OverviewOL")->SelectedEntry(), entry)
            << "already selected: " << caption;
        FShown = -2;
        Part<TBrowzerOutline>(*Window, "OverviewOL")->SelectEntry(entry);
        ASSERT_TRUE(ProcessUntil([&] { return FShown == entry; })) << caption;
    }

    std::string KeptLongName() const
    {
        return Window->CompoText() ? Window->CompoText()->LongName : std::string("<none>");
    }

private:
    int FShown = -2;
};

class ShellEntryDisplayShortText : public ShellEntryDisplay {};
class ShellEntryDisplayComponent : public ShellEntryDisplay {};

TEST_F(ShellEntryDisplay, EachRecordKindShowsItsPageAndSetsTheCommands)
{
    TToolDiscMain& w = OpenDisplay();
    struct Row {
        const char* Caption;
        int Kind;
        QWidget* Page;
        bool Install, Copy, Print, FileName;
    };
    const Row rows[] = {
        {"Kurz", TToolDiscMain::pkShortText, Part<QWidget>(w, "ShortDesc"), true, true, true, true},
        {"Voll", TToolDiscMain::pkComponent, Part<QWidget>(w, "Komponente"), true, true, true, false},
        {"Leer", TToolDiscMain::pkNothing, Part<QWidget>(w, "Infotext"), false, false, false, false},
        {"Englisch", TToolDiscMain::pkComponent, Part<QWidget>(w, "Komponente"), true, true, true, false},
        {"Willkommen", TToolDiscMain::pkInfoText, Part<QWidget>(w, "Infotext"), false, true, true, false},
        {"Einzeilig", TToolDiscMain::pkShortText, Part<QWidget>(w, "ShortDesc"), true, true, true, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.Caption);
        Show(row.Caption);
        EXPECT_EQ(w.PageKind(), row.Kind);
        EXPECT_EQ(Part<QStackedWidget>(w, "BrowzerNoteBook")->currentWidget(), row.Page);
        EXPECT_EQ(Part<QToolButton>(w, "SBInstall")->isEnabled(), row.Install);
        EXPECT_EQ(Part<QAction>(w, "MIInstall")->isEnabled(), row.Install);
        EXPECT_EQ(Part<QToolButton>(w, "SBCopy")->isEnabled(), row.Copy);
        EXPECT_EQ(Part<QToolButton>(w, "SBPrintText")->isEnabled(), row.Print);
        EXPECT_EQ(Part<QAction>(w, "MIPrint")->isEnabled(), row.Print);
        EXPECT_EQ(Part<QLabel>(w, "ShortFileName")->isVisibleTo(Part<QFrame>(w, "InfoPanel")), row.FileName);
        EXPECT_EQ(Part<QPushButton>(w, "ExpandBtn")->isVisibleTo(Part<QFrame>(w, "InfoPanel")),
                  row.Kind == TToolDiscMain::pkComponent);
        if (row.Page == Part<QWidget>(w, "Infotext")) {
            EXPECT_EQ(Part<TMicaTextView>(w, "TextView")->isVisibleTo(Part<QWidget>(w, "Infotext")),
                      row.Kind == TToolDiscMain::pkInfoText);
        }
    }
    EXPECT_TRUE(Messages.empty());
}

TEST_F(ShellEntryDisplayShortText, FileNameAboveBoxDrawingAndUmlautsInTheMemo)
{
    TToolDiscMain& w = OpenDisplay();
    Show("Kurz");
    // The file name is Windows text, the memo DOS text: each decoded from its own code page.
    EXPECT_EQ(Part<QLabel>(w, "ShortFileName")->text(), QString::fromUtf8("D:\\KOMPS\\GRÖSSE.ZIP"));
    EXPECT_GE(Part<QLabel>(w, "ShortFileName")->width(), Part<QLabel>(w, "ShortFileName")->sizeHint().width());
    EXPECT_EQ(Part<QPlainTextEdit>(w, "ShortMemo")->toPlainText().split(QLatin1Char('\n')),
              Utf8Lines({"┌──────┐", "│ Maße │", "└──────┘", "", "Größen für Fenster"}));
    EXPECT_EQ(Part<QPlainTextEdit>(w, "ShortMemo")->textCursor().position(), 0);
    EXPECT_EQ(Part<QPlainTextEdit>(w, "ShortMemo")->verticalScrollBar()->value(), 0);
    EXPECT_EQ(Part<QPlainTextEdit>(w, "ShortMemo")->font().styleHint(), QFont::TypeWriter);

    // A text of one line names its file and leaves the memo empty, not holding the last text.
    Show("Einzeilig");
    EXPECT_EQ(Part<QLabel>(w, "ShortFileName")->text(), QStringLiteral("D:\\KOMPS\\NUR.ZIP"));
    EXPECT_TRUE(Part<QPlainTextEdit>(w, "ShortMemo")->toPlainText().isEmpty());
}

TEST_F(ShellEntryDisplayComponent, FillsEveryFieldOfTheComponentPage)
{
    TToolDiscMain& w = OpenDisplay();
    Show("Voll");
    EXPECT_EQ(Part<QGroupBox>(w, "CompoDescBox")->title(), QStringLiteral(" Raster && Gitter   Version 2.1 "));
    EXPECT_EQ(Part<QLineEdit>(w, "CompoCopyright")->text(), QString::fromUtf8("© 1996 Quellwerk"));
    EXPECT_EQ(Part<QLineEdit>(w, "CompoDistribution")->text(), QStringLiteral("Demoversion"));
    EXPECT_EQ(Part<QLineEdit>(w, "CompoLimitations")->text(), QString::fromUtf8("höchstens 50 Zeilen"));
    EXPECT_EQ(Part<QLineEdit>(w, "LangCompInfo")->text(),
              QStringLiteral("OS: Windows 95  Sprache: Deutsch  Compiler: Delphi 1.0X, BPascal"));
    EXPECT_TRUE(Part<QLineEdit>(w, "LangCompInfo")->isVisibleTo(Part<QWidget>(w, "CompoScrollContents")));

    EXPECT_EQ(
        Part<TMicaTextView>(w, "StuffView")->PlainLines(),
        Utf8Lines({"KurzInfo:", "Ein Gitter", "für Tabellen", "Order:", "per Post", "Preis:", "DM 298,-", "",
                   "Kontaktadresse:", "Quellwerk GmbH", "Lindenallee 14", "Schlüsselwörter:", " GITTER TABELLE"}));
    EXPECT_EQ(Part<TMicaTextView>(w, "StuffView")->GetFont(0).pointSize(), 10);
    EXPECT_EQ(Part<TMicaTextView>(w, "StuffView")->GetFont(1).pointSize(), 8);
    EXPECT_EQ(Part<TMicaTextView>(w, "StuffView")->RowCount(), Part<TMicaTextView>(w, "StuffView")->Lines.Count());
    EXPECT_EQ(Part<TMicaTextView>(w, "StuffView")->RowFont(0), 1);  // heading
    EXPECT_EQ(Part<TMicaTextView>(w, "StuffView")->RowFont(1), 0);  // its text
    EXPECT_EQ(Part<TMicaTextView>(w, "StuffView")->TopRow(), 0);

    // The fields reach to 4 pixels from the page's right edge, the text view also to its bottom.
    const int pageWidth = Part<QWidget>(w, "CompoScrollContents")->width();
    for (QWidget* field : {static_cast<QWidget*>(Part<QLineEdit>(w, "CompoCopyright")),
                           static_cast<QWidget*>(Part<QLineEdit>(w, "CompoDistribution")),
                           static_cast<QWidget*>(Part<QLineEdit>(w, "LangCompInfo")),
                           static_cast<QWidget*>(Part<QLineEdit>(w, "CompoLimitations")),
                           static_cast<QWidget*>(Part<TMicaTextView>(w, "StuffView"))}) {
        SCOPED_TRACE(field->objectName().toStdString());
        EXPECT_EQ(field->x() + field->width(), pageWidth - 4);
    }
    EXPECT_EQ(Part<TMicaTextView>(w, "StuffView")->y() + Part<TMicaTextView>(w, "StuffView")->height(),
              Part<QWidget>(w, "CompoScrollContents")->height() - 4);

    ASSERT_NE(w.CompoText(), nullptr);
    EXPECT_EQ(w.CompoText()->LongName, "Raster & Gitter");
    // Other pages do not drop the kept component.
    Show("Willkommen");
    EXPECT_EQ(KeptLongName(), "Raster & Gitter");
}

TEST_F(ShellEntryDisplayComponent, RatingGaugeOrTheLabelKeine)
{
    TToolDiscMain& w = OpenDisplay();
    struct Row {
        const char* Caption;
        bool Gauge;
        int Progress;
    };
    // From a rated component to an unrated one and back: the gauge follows each time.
    const Row rows[] = {{"Voll", true, 70}, {"Nackt", false, 70}, {"Englisch", true, 100}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.Caption);
        Show(row.Caption);
        EXPECT_EQ(Part<TGauge>(w, "RatingGauge")->isVisibleTo(Part<QFrame>(w, "UseFulPanel")), row.Gauge);
        EXPECT_NE(Part<QLabel>(w, "RatingLabel")->isVisibleTo(Part<QFrame>(w, "UseFulPanel")), row.Gauge);
        EXPECT_EQ(Part<QLabel>(w, "RatingLabel")->text(), QStringLiteral("keine"));
        if (row.Gauge) {
            EXPECT_EQ(Part<TGauge>(w, "RatingGauge")->Progress(), row.Progress);
            EXPECT_EQ(Part<TGauge>(w, "RatingGauge")->Percent(), row.Progress);
        }
    }

    // Seventy per cent: yellow at the bar's start, navy near its end.
    Show("Voll");
    const QImage image = Part<TGauge>(w, "RatingGauge")->PaintImage();
    const int mid = image.height() / 2;
    EXPECT_EQ(QColor(image.pixel(4, mid)), QColor(255, 255, 0));
    EXPECT_EQ(QColor(image.pixel(image.width() - 5, mid)), QColor(0, 0, 128));
}

TEST_F(ShellEntryDisplayComponent, LanguageAndCompilerLineAndTheLimitationsBelowIt)
{
    TToolDiscMain& w = OpenDisplay();
    const int infoTop = Part<QLineEdit>(w, "LangCompInfo")->y();
    const int below = infoTop + Part<QLineEdit>(w, "LangCompInfo")->height();
    struct Row {
        const char* Caption;
        const char* Line;  // empty: hidden
    };
    // Hidden and shown in turn, so that the limitations move up and back down.
    const Row rows[] = {
        {"Nackt", ""},
        {"Englisch", "Sprache: Englisch"},
        {"Nackt", ""},
        {"Unbekannt", "Compiler: Delphi 2, BPascal"},
        {"Voll", "OS: Windows 95  Sprache: Deutsch  Compiler: Delphi 1.0X, BPascal"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.Caption);
        Show(row.Caption);
        const bool shown = *row.Line != '\0';
        EXPECT_EQ(Part<QLineEdit>(w, "LangCompInfo")->isVisibleTo(Part<QWidget>(w, "CompoScrollContents")), shown);
        if (shown) {
            EXPECT_EQ(Part<QLineEdit>(w, "LangCompInfo")->text(), QString::fromUtf8(row.Line));
        }
        EXPECT_EQ(Part<QLineEdit>(w, "LangCompInfo")->y(), infoTop);
        EXPECT_EQ(Part<QLineEdit>(w, "CompoLimitations")->y(), shown ? below : infoTop);
        EXPECT_EQ(Part<QLabel>(w, "CompolimitLabel")->y(), Part<QLineEdit>(w, "CompoLimitations")->y() + 4);
    }
}

TEST_F(ShellEntryDisplayComponent, AmpersandsInTheCaptionAreShownNotTakenAsAccelerators)
{
    TToolDiscMain& w = OpenDisplay();
    Show("Englisch");
    EXPECT_EQ(Part<QGroupBox>(w, "CompoDescBox")->title(), QStringLiteral(" A&&&&B && C   Version 3 "));
    // Nothing else on the page: no lines, no empty headings.
    EXPECT_TRUE(Part<TMicaTextView>(w, "StuffView")->Lines.Empty());
    EXPECT_TRUE(Part<QLineEdit>(w, "CompoCopyright")->text().isEmpty());
}

TEST_F(ShellEntryDisplayComponent, LongKeyWordsSpreadOverSeveralLines)
{
    TToolDiscMain& w = OpenDisplay();
    Show("Woerter");
    const TStringList& lines = Part<TMicaTextView>(w, "StuffView")->Lines;
    ASSERT_EQ(lines.Count(), 3);
    EXPECT_EQ(lines[0], "<F1>Schl\xFCsselw\xF6rter:");
    EXPECT_EQ(lines[1][0], ' ');
    EXPECT_EQ(lines[2][0], '&');
    std::string words;
    for (int i = 1; i < lines.Count(); ++i) {
        EXPECT_LE(lines[i].size(), 255u);
        words += lines[i];
    }
    // Every doubled word is there once, in order.
    EXPECT_EQ(std::count(words.begin(), words.end(), '&'), 30 * 14);
    EXPECT_EQ(Part<TMicaTextView>(w, "StuffView")->RowCount(), 3);
}

TEST_F(ShellEntryDisplayComponent, DetailWindowStaysOpenFromComponentToComponent)
{
    TToolDiscMain& w = OpenDisplay();
    QWidget detail;
    detail.setAttribute(Qt::WA_DontShowOnScreen);
    w.SetDetailWindow(&detail);
    Show("Voll");
    detail.show();
    Show("Englisch");
    EXPECT_TRUE(detail.isVisible());
    Show("Kurz");
    EXPECT_FALSE(detail.isVisible());
    w.SetDetailWindow(nullptr);
}

TEST_F(ShellEntryDisplayComponent, UnreadableComponentIsReportedAndTheKeptOneSurvives)
{
    TToolDiscMain& w = OpenDisplay();
    Show("Voll");
    // The file loses the body of a later component behind the viewer's back.
    const int32_t ref = Part<TBrowzerOutline>(w, "OverviewOL")->TreeData().Texts.Objects(Entry("Woerter"));
    ASSERT_EQ(RecordKindOf(ref), TRecordKind::rkComponent);
    std::filesystem::resize_file(Dir / "Data/Lumarc32.dat", static_cast<uintmax_t>(RecordOffsetOf(ref)) + 3);

    Show("Woerter");
    ASSERT_EQ(Messages.size(), 1u);
    EXPECT_EQ(Messages[0].Caption, QStringLiteral("Lumarcer - Fehler"));
    EXPECT_FALSE(Messages[0].Text.isEmpty());
    EXPECT_EQ(w.PageKind(), TToolDiscMain::pkNothing);
    EXPECT_FALSE(Part<QToolButton>(w, "SBInstall")->isEnabled());
    // Not a half-read record in its place: install, print and the detail window read this one.
    EXPECT_EQ(KeptLongName(), "Raster & Gitter");

    // The window goes on showing what it can read.
    Show("Englisch");
    EXPECT_EQ(w.PageKind(), TToolDiscMain::pkComponent);
    EXPECT_EQ(KeptLongName(), "A&&B & C");
    EXPECT_EQ(Messages.size(), 1u);
}

}  // namespace
