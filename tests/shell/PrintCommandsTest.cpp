// The main window's print, copy and order form commands, driven on a catalogue built for the
// test: copies read back from the clipboard, prints from a PDF file through poppler's tools.

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <QTextCursor>
#include <QTimer>
#include <QToolButton>

#include <filesystem>
#include <string>
#include <vector>

#include "print/LineOutput.h"
#include "print/PdfProbe.h"
#include "print/core/ComponentText.h"
#include "shell/ToolDiscMainTestSupport.h"
#include "shell/WideInfoForm.h"
#include "widgets/AnsiText.h"
#include "widgets/Gauge.h"
#include "widgets/ProgressForm.h"

namespace lumarc::test {
namespace {

// The order form entry comes first: only a first outline line keeps its leading blanks.
const char* const kPrintScript =
    "OUTLINE [Gliederung] 01.05.96 {\n"
    "   BestellFormular[bestellung]\n"
    "Willkommen [willkommen]\n"
    "Kapitel\n"
    "  Packer [packer]\n"
    "  Datei [datei]\n"
    "  Raster [raster]\n"
    "Leer [leer]\n"
    "}\n"
    "INFOTEXT [leer] 24.12.95 {\n"
    "}\n"
    "INFOTEXT [willkommen] 24.12.95 {\n"
    "<F1>Willkommen – 10 €\n"
    "Text mit <f0> Tag\n"
    "<F2>dritte Zeile\n"
    "}\n"
    "SHORTTEXT [packer] 10.06.96 {\n"
    "D:\\COMPS\\PACKER.ZIP\n"
    "┌─┐ Größe\n"
    "└─┘ zweite\n"
    "}\n"
    "SHORTTEXT [datei] 10.06.96 {\n"
    "D:\\COMPS\\NUR.ZIP\n"
    "}\n"
    "COMPONENT [raster] {\n"
    "[LongName]\n"
    "Raster & Gitter\n"
    "[Version]\n"
    "1.1\n"
    "[Order]\n"
    "Müller & Söhne\n"
    "[KeyWords]\n"
    "Gitter; Tabelle\n"
    "[LongInfo]\n"
    "Ein Gitter für Tabellen.\n"
    "Zweite Zeile.\n"
    "}\n";

std::string WithOrderForm(const std::string& body)
{
    return std::string(kPrintScript) + "INFOTEXT [bestellung] 24.12.95 {\n" + body + "}\n";
}

const char* const kValidForm =
    "Bestellung\n"
    "Kopf\n"
    "--- schnipp ---\n"
    "Name: ____\n"
    "Adresse: ____\n"
    "Ort: ____\n"
    "--- SchnApp ---\n"
    "Fuss\n";

// Printed rows as pdftotext gives them back: runs of blanks collapse, empty rows vanish.
std::vector<std::string> Simplified(const QStringList& lines)
{
    std::vector<std::string> result;
    for (const QString& line : lines)
        if (!line.trimmed().isEmpty())
            result.push_back(line.simplified().toStdString());
    return result;
}

QString Crlf(const QStringList& lines)
{
    QString text;
    for (const QString& line : lines)
        text += line + QStringLiteral("\r\n");
    return text;
}

class TPrintCommandsTest : public TMainWindowTest {
protected:
    void SetUp() override
    {
        TMainWindowTest::SetUp();
        QPrinter& printer = CurrentPrinter();
        FOldFormat = printer.outputFormat();
        FOldFile = printer.outputFileName();
        FOldOrientation = printer.pageLayout().orientation();
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(Pdf());
        printer.setPageOrientation(QPageLayout::Portrait);
        QGuiApplication::clipboard()->setText(kUntouched);
        // Without a printer every job asks for its file; these take the one given to the printer.
        FOldChooser = SetPdfFileChooser([](const QString& suggested) { return suggested; });
    }
    void TearDown() override
    {
        SetPdfFileChooser(FOldChooser);
        TMainWindowTest::TearDown();
        QPrinter& printer = CurrentPrinter();
        printer.setOutputFormat(FOldFormat);
        printer.setOutputFileName(FOldFile);
        printer.setPageOrientation(FOldOrientation);
    }

    TToolDiscMain& OpenScript(const std::string& script = WithOrderForm(kValidForm))
    {
        WriteCatalogue(Dir / "Data", script.c_str());
        TToolDiscMain& w = Open(Dir.Path());
        w.SetDetailWindow(&Detail);
        return w;
    }
    void Show(const std::string& caption)
    {
        const int entry = Entry(caption);
        int shown = -2;
        const auto connection = QObject::connect(Window.get(), &TToolDiscMain::EntryShown, [&](int e) { shown = e; });
        Part<TBrowzerOutline>(*Window, "OverviewOL")->SelectEntry(entry);
        EXPECT_TRUE(ProcessUntil([&] { return shown == entry; })) << caption;
        QObject::disconnect(connection);
    }

    TPdfFileChooser FOldChooser;
    QString Pdf() const { return QString::fromStdString(Dir / "out.pdf"); }
    bool Printed() const { return QFileInfo::exists(Pdf()); }
    std::vector<std::string> PrintedLines() const { return Simplified(PdfLayoutLines(Pdf())); }
    // Width and height of the first page in points, as pdfinfo reports them.
    QSizeF PageSize() const
    {
        const QStringList parts = PdfInfoField(Pdf(), QStringLiteral("Page size")).split(QLatin1Char(' '));
        return parts.size() >= 3 ? QSizeF(parts[0].toDouble(), parts[2].toDouble()) : QSizeF();
    }
    static QString Clipboard() { return QGuiApplication::clipboard()->text(); }

    // What lumarc-cli show writes for the entry; a null list when the program is not built.
    QStringList CliShow(const std::string& caption) const
    {
        const QString cli = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("../lumarc-cli"));
        if (!QFileInfo(cli).isExecutable())
            return {};
        QProcess process;
        process.start(cli,
                      {QStringLiteral("show"), QString::fromStdString(Dir.Path()), QString::number(Entry(caption))});
        EXPECT_TRUE(process.waitForFinished(10000));
        EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
        QStringList lines = QString::fromUtf8(process.readAllStandardOutput()).split(QLatin1Char('\n'));
        lines.removeLast();  // after the last line's break
        return lines.isEmpty() ? QStringList{QString()} : lines;
    }

    // The clipboard holds what lumarc-cli show writes for the entry, when the program is built.
    void ExpectSameAsCli(const std::string& caption) const
    {
        const QStringList cli = CliShow(caption);
        if (!cli.isEmpty()) {
            EXPECT_EQ(Clipboard(), Crlf(cli)) << caption;
        }
    }

    static inline const QString kUntouched = QStringLiteral("vorher");
    TWideInfoForm Detail;

private:
    QPrinter::OutputFormat FOldFormat = QPrinter::NativeFormat;
    QString FOldFile;
    QPageLayout::Orientation FOldOrientation = QPageLayout::Portrait;
};

using ShellPrintCommandsCopy = TPrintCommandsTest;
using ShellPrintCommandsPrint = TPrintCommandsTest;
using ShellPrintCommandsOrderForm = TPrintCommandsTest;

const QStringList kInfoLines = {QStringLiteral("Willkommen – 10 €"), QStringLiteral("Text mit  Tag"),
                                QStringLiteral("dritte Zeile")};
const QStringList kShortLines = {QStringLiteral("┌─┐ Größe"), QStringLiteral("└─┘ zweite")};

QStringList ComponentLines(const QStringList& pageLines)
{
    QStringList lines = {QStringLiteral("Komponente: Raster & Gitter   Version 1.1"), QString()};
    lines << pageLines << QStringLiteral("Ausführliche Beschreibung:") << QStringLiteral("Ein Gitter für Tabellen.")
          << QStringLiteral("Zweite Zeile.");
    return lines;
}

TEST_F(ShellPrintCommandsCopy, EachPageKindCopiesItsLinesAsTheCommandLineShowsThem)
{
    TToolDiscMain& w = OpenScript();
    Show("Willkommen");
    Part<QToolButton>(w, "SBCopy")->click();
    EXPECT_EQ(Clipboard(), Crlf(kInfoLines));
    ExpectSameAsCli("Willkommen");

    Show("Packer");
    Part<QToolButton>(w, "SBCopy")->click();
    EXPECT_EQ(Clipboard(), Crlf(kShortLines));
    ExpectSameAsCli("Packer");

    Show("Raster");
    Part<QToolButton>(w, "SBCopy")->click();
    // The record's component text, built without the window: heading, the page's lines with
    // their tags removed and their doubled ampersands single again, the long description.
    ASSERT_NE(w.CompoText(), nullptr);
    const TStringList text = ComponentText(*w.CompoText());
    QStringList expected;
    for (const std::string& line : text.Strings())
        expected << FromAnsi(line);
    EXPECT_EQ(Clipboard(), Crlf(expected));
    EXPECT_EQ(expected.mid(0, 2), ComponentLines({}).mid(0, 2));
    EXPECT_FALSE(Clipboard().contains(QStringLiteral("<F")));
    EXPECT_FALSE(Clipboard().contains(QStringLiteral("&&")));
    EXPECT_TRUE(Clipboard().contains(QStringLiteral("Müller & Söhne")));
    ExpectSameAsCli("Raster");
    EXPECT_TRUE(Messages.empty());
}

TEST_F(ShellPrintCommandsCopy, ShortTextSelectionCopiesOnlyThatPart)
{
    TToolDiscMain& w = OpenScript();
    Show("Packer");
    QTextCursor cursor = Part<QPlainTextEdit>(w, "ShortMemo")->textCursor();
    cursor.setPosition(4);
    cursor.setPosition(9, QTextCursor::KeepAnchor);
    Part<QPlainTextEdit>(w, "ShortMemo")->setTextCursor(cursor);
    Part<QToolButton>(w, "SBCopy")->click();
    EXPECT_EQ(Clipboard(), QStringLiteral("Größe"));
}

// Ctrl+C, wherever the focus is: the selection where the user made one, else the shown text.
// A text field takes the key for itself, and must not swallow it when nothing is selected.
TEST_F(ShellPrintCommandsCopy, CtrlCCopiesTheSelectionOrElseTheShownText)
{
    TToolDiscMain& w = OpenScript();
    ASSERT_TRUE(Activate());
    const auto ctrlC = [] { QTest::keyClick(QApplication::focusWidget(), Qt::Key_C, Qt::ControlModifier); };

    Show("Willkommen");
    Part<TBrowzerOutline>(w, "OverviewOL")->setFocus();
    ctrlC();
    EXPECT_EQ(Clipboard(), Crlf(kInfoLines));

    Show("Packer");
    Part<QPlainTextEdit>(w, "ShortMemo")->setFocus();
    ctrlC();
    EXPECT_EQ(Clipboard(), Crlf(kShortLines));
    QTextCursor cursor = Part<QPlainTextEdit>(w, "ShortMemo")->textCursor();
    cursor.setPosition(4);
    cursor.setPosition(9, QTextCursor::KeepAnchor);
    Part<QPlainTextEdit>(w, "ShortMemo")->setTextCursor(cursor);
    ctrlC();
    EXPECT_EQ(Clipboard(), QStringLiteral("Größe"));

    Show("Raster");
    QLineEdit* field = Part<QLineEdit>(w, "CompoCopyright");
    field->setText(QStringLiteral("(c) 1996"));  // this component names no copyright
    field->setFocus();
    field->deselect();
    ctrlC();
    EXPECT_TRUE(Clipboard().startsWith(QStringLiteral("Komponente: Raster & Gitter")));
    field->setSelection(0, 3);
    ctrlC();
    EXPECT_EQ(Clipboard(), field->text().left(3));
}

TEST_F(ShellPrintCommandsCopy, NothingToCopyLeavesTheClipboardAlone)
{
    TToolDiscMain& w = OpenScript();
    // A short text of its file name alone: an empty memo.
    Show("Datei");
    ASSERT_EQ(w.PageKind(), TToolDiscMain::pkShortText);
    w.PrintCommands().SBCopyClick();
    w.PrintCommands().SBPrintTextClick();
    // An info text without lines.
    Show("Leer");
    ASSERT_EQ(w.PageKind(), TToolDiscMain::pkInfoText);
    w.PrintCommands().SBCopyClick();
    w.PrintCommands().SBPrintTextClick();
    EXPECT_EQ(Clipboard(), kUntouched);
    EXPECT_FALSE(Printed());
    // A heading without a record: the hidden text view still holds the text shown before.
    Show("Willkommen");
    Show("Kapitel");
    ASSERT_EQ(w.PageKind(), TToolDiscMain::pkNothing);
    w.PrintCommands().SBCopyClick();
    w.PrintCommands().SBPrintTextClick();
    EXPECT_EQ(Clipboard(), kUntouched);
    EXPECT_FALSE(Printed());
}

TEST_F(ShellPrintCommandsPrint, EachPageKindPrintsWhatItCopies)
{
    TToolDiscMain& w = OpenScript();
    struct Row {
        const char* Caption;
        QStringList Expected;
    };
    Show("Raster");
    Part<QToolButton>(w, "SBCopy")->click();
    QStringList component = Clipboard().split(QStringLiteral("\r\n"));
    component.removeLast();
    const Row rows[] = {{"Willkommen", kInfoLines}, {"Packer", kShortLines}, {"Raster", component}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.Caption);
        std::filesystem::remove(Pdf().toStdString());
        Show(row.Caption);
        Part<QToolButton>(w, "SBPrintText")->click();
        ASSERT_TRUE(Printed());
        EXPECT_EQ(PrintedLines(), Simplified(row.Expected));
        EXPECT_EQ(PdfInfoField(Pdf(), QStringLiteral("Title")), QStringLiteral("Brimvale ToolDisc"));
    }
    EXPECT_TRUE(Messages.empty());
}

// The preview's pages are the job's: printed from the preview, each page kind gives the same
// PDF text as "Drucken", in the same fonts.
TEST_F(ShellPrintCommandsPrint, ThePreviewShowsWhatPrintingGives)
{
    TToolDiscMain& w = OpenScript();
    for (const char* caption : {"Willkommen", "Packer", "Raster"}) {
        SCOPED_TRACE(caption);
        Show(caption);
        std::filesystem::remove(Pdf().toStdString());
        Part<QToolButton>(w, "SBPrintText")->click();
        ASSERT_TRUE(Printed());
        const std::vector<std::string> printed = PrintedLines();
        const QString printedFonts = RunTool(QStringLiteral("pdffonts"), {Pdf()});
        std::filesystem::remove(Pdf().toStdString());

        QString title;
        int pages = 0;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QPrintPreviewDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            title = dialog->windowTitle();
            auto* preview = dialog->findChild<QPrintPreviewWidget*>();
            ASSERT_NE(preview, nullptr);
            pages = preview->pageCount();
            preview->print();
            dialog->reject();
        });
        ASSERT_TRUE(Part<QAction>(w, "MIPreview")->isEnabled());
        Part<QAction>(w, "MIPreview")->trigger();
        EXPECT_EQ(title, QStringLiteral("Seitenansicht"));
        EXPECT_EQ(pages, 1);
        ASSERT_TRUE(Printed());
        EXPECT_EQ(PrintedLines(), printed);
        EXPECT_EQ(RunTool(QStringLiteral("pdffonts"), {Pdf()}), printedFonts);
    }
    EXPECT_TRUE(Messages.empty());
}

TEST_F(ShellPrintCommandsPrint, AShortTextPrintsInTheFixedPitchFontItIsShownIn)
{
    TToolDiscMain& w = OpenScript();
    Show("Packer");
    Part<QToolButton>(w, "SBPrintText")->click();
    ASSERT_TRUE(Printed());
    const QString fonts = RunTool(QStringLiteral("pdffonts"), {Pdf()});
    EXPECT_TRUE(fonts.contains(QStringLiteral("Mono"))) << fonts.toStdString();
}

TEST_F(ShellPrintCommandsPrint, WithoutAPrinterEachJobAsksForItsFileOfferingTheLastName)
{
    if (!QPrinterInfo::availablePrinters().isEmpty())
        GTEST_SKIP() << "this machine has a printer";
    SetPdfFileChooser({});  // the real dialog
    TToolDiscMain& w = OpenScript();
    Show("Willkommen");
    const QString chosen = QString::fromStdString(Dir / "Gewählt.pdf");
    QStringList offered;
    const auto answer = [&](bool accept) {
        QTimer::singleShot(0, [&, accept] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            EXPECT_EQ(dialog->objectName(), "PdfFileDialog");
            EXPECT_EQ(dialog->acceptMode(), QFileDialog::AcceptSave);
            EXPECT_FALSE(dialog->testOption(QFileDialog::DontConfirmOverwrite)) << "it would overwrite unasked";
            offered << dialog->selectedFiles().value(0);
            if (accept) {
                dialog->selectFile(chosen);
                static_cast<QDialog*>(dialog)->accept();
            } else {
                dialog->reject();
            }
        });
    };
    answer(true);
    Part<QToolButton>(w, "SBPrintText")->click();
    EXPECT_TRUE(QFileInfo::exists(chosen));
    EXPECT_FALSE(Printed());
    std::filesystem::remove(chosen.toStdString());

    // The next job offers the same name again; declined, it writes nothing and says nothing.
    answer(false);
    Part<QToolButton>(w, "SBPrintText")->click();
    ASSERT_EQ(offered.size(), 2);
    EXPECT_EQ(offered[0], Pdf());
    EXPECT_EQ(offered[1], chosen);
    EXPECT_FALSE(QFileInfo::exists(chosen));
    EXPECT_TRUE(Messages.empty());
}

TEST_F(ShellPrintCommandsPrint, ThePrinterSetupOffersNoButtonThatWouldPrint)
{
    TToolDiscMain& w = OpenScript();
    QString title, ok;
    QTimer::singleShot(0, [&] {
        QWidget* dialog = QApplication::activeModalWidget();
        ASSERT_NE(dialog, nullptr);
        title = dialog->windowTitle();
        if (auto* buttons = dialog->findChild<QDialogButtonBox*>())
            ok = buttons->button(QDialogButtonBox::Ok)->text();
        dialog->close();
    });
    Part<QAction>(w, "MIPrinterSetup")->trigger();
    EXPECT_EQ(title, QStringLiteral("Druckereinstellungen"));
    EXPECT_EQ(ok, QStringLiteral("OK"));
    EXPECT_FALSE(Printed());
}

TEST_F(ShellPrintCommandsPrint, ComponentFillsTheDetailWindowUnseenAndTheGaugeEndsFull)
{
    TToolDiscMain& w = OpenScript();
    Show("Raster");
    int lastProgress = -1;
    w.PrintCommands().Progress = [&](TProgressForm& form) { lastProgress = form.Gauge()->Progress(); };
    Part<QAction>(w, "MIPrint")->trigger();
    EXPECT_EQ(lastProgress, 100);
    EXPECT_TRUE(Printed());
    EXPECT_FALSE(Detail.isVisible());
    EXPECT_EQ(Detail.LongInfoMemo->toPlainText(), QStringLiteral("Ein Gitter für Tabellen.\nZweite Zeile."));
    EXPECT_EQ(Detail.windowTitle(), QStringLiteral("Detailansicht der Komponente: Raster & Gitter"));
}

TEST_F(ShellPrintCommandsPrint, TextPrintingKeepsTheChosenOrientation)
{
    TToolDiscMain& w = OpenScript();
    CurrentPrinter().setPageOrientation(QPageLayout::Landscape);
    Show("Willkommen");
    Part<QToolButton>(w, "SBPrintText")->click();
    const QSizeF size = PageSize();
    EXPECT_GT(size.width(), size.height());
}

TEST_F(ShellPrintCommandsPrint, APrinterThatRefusesTheJobIsReported)
{
    TToolDiscMain& w = OpenScript();
    CurrentPrinter().setOutputFileName(QString::fromStdString(Dir / "no/such/dir/out.pdf"));
    Show("Willkommen");
    Part<QToolButton>(w, "SBPrintText")->click();
    ASSERT_EQ(Messages.size(), 1u);
    EXPECT_EQ(Messages[0].Caption, QStringLiteral("Lumarcer - Fehler"));
    EXPECT_FALSE(Messages[0].Text.isEmpty());
}

TEST_F(ShellPrintCommandsOrderForm, PrintsTheLinesBetweenTheMarksInPortraitCourier)
{
    TToolDiscMain& w = OpenScript();
    // The user's landscape applies to text, not to the form, and comes back afterwards.
    CurrentPrinter().setPageOrientation(QPageLayout::Landscape);
    Part<QToolButton>(w, "SBBestellFormular")->click();
    ASSERT_TRUE(Printed());
    EXPECT_EQ(PrintedLines(), std::vector<std::string>({"Name: ____", "Adresse: ____", "Ort: ____"}));
    const QSizeF size = PageSize();
    EXPECT_LT(size.width(), size.height());
    EXPECT_EQ(CurrentPrinter().pageLayout().orientation(), QPageLayout::Landscape);
    const QString fonts = RunTool(QStringLiteral("pdffonts"), {Pdf()});
    EXPECT_TRUE(fonts.contains(QStringLiteral("Mono"))) << fonts.toStdString();
    EXPECT_TRUE(Messages.empty());
}

TEST_F(ShellPrintCommandsOrderForm, WithoutValidMarksNothingIsPrinted)
{
    const char* const forms[] = {
        // one line between the marks
        "Kopf\nzwei\n- SCHNIPP -\nnur eine\n- SCHNAPP -\n",
        // the start mark on the text's first line
        "- SCHNIPP -\na\nb\nc\n- SCHNAPP -\n",
        // marks in the wrong order
        "Kopf\nzwei\n- SCHNAPP -\na\nb\nc\n- SCHNIPP -\n",
        // no stop mark, no start mark
        "Kopf\nzwei\n- SCHNIPP -\na\nb\nc\n",
        "Kopf\nzwei\na\nb\nc\n- SCHNAPP -\n",
        // the words without a blank on each side
        "Kopf\nzwei\n-SCHNIPP-\na\nb\nc\n-SCHNAPP-\n",
    };
    for (const char* form : forms) {
        SCOPED_TRACE(form);
        TToolDiscMain& w = OpenScript(WithOrderForm(form));
        w.PrintCommands().SBBestellFormularClick();
        EXPECT_FALSE(Printed());
        Window.reset();
        std::filesystem::remove_all(Dir / "Data");
    }
    // No entry of that name: the catalogue of the other window tests.
    TToolDiscMain& w = OpenScript(kMainScript);
    w.PrintCommands().SBBestellFormularClick();
    EXPECT_FALSE(Printed());
    EXPECT_TRUE(Messages.empty());
}

TEST_F(ShellPrintCommandsOrderForm, AFailedJobStillGivesTheOrientationBack)
{
    TToolDiscMain& w = OpenScript();
    CurrentPrinter().setPageOrientation(QPageLayout::Landscape);
    CurrentPrinter().setOutputFileName(QString::fromStdString(Dir / "no/such/dir/out.pdf"));
    w.PrintCommands().SBBestellFormularClick();
    EXPECT_EQ(Messages.size(), 1u);
    EXPECT_EQ(CurrentPrinter().pageLayout().orientation(), QPageLayout::Landscape);
}

}  // namespace
}  // namespace lumarc::test
