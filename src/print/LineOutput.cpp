#include "LineOutput.h"

#include <QApplication>
#include <QClipboard>
#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QScreen>
#include <QStandardPaths>

#include <memory>

#include "print/PrinterError.h"
#include "print/TextDevice.h"
#include "widgets/Gauge.h"
#include "widgets/ProgressForm.h"

namespace lumarc {

namespace {

const char* const kJobTitle = "Brimvale ToolDisc";

std::unique_ptr<QPrinter>& PrinterSlot()
{
    static std::unique_ptr<QPrinter> printer;
    return printer;
}

TPdfFileChooser& PdfFileChooser()
{
    static TPdfFileChooser chooser = AskForPdfFile;
    return chooser;
}

// Without a printer the job needs a file; false when the user named none.
bool ChooseDestination(QPrinter& printer)
{
    if (printer.outputFormat() != QPrinter::PdfFormat || !QPrinterInfo::availablePrinters().isEmpty())
        return true;
    const QString file = PdfFileChooser() ? PdfFileChooser()(printer.outputFileName()) : printer.outputFileName();
    if (file.isEmpty())
        return false;
    printer.setOutputFileName(file);
    return true;
}

// The name a machine without a printer offers for its first PDF file.
QString DefaultPdfFileName()
{
    QString dir = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (dir.isEmpty() || !QDir(dir).exists())
        dir = QDir::homePath();
    return QDir(dir).filePath(QStringLiteral("Brimvale ToolDisc.pdf"));
}

// A font given in pixels would come out at screen size on a printer of many times the
// resolution; in points it is scaled to the printer's resolution.
QFont InPoints(const QFont& font)
{
    QFont result(font);
    if (result.pointSizeF() <= 0 && result.pixelSize() > 0) {
        const QScreen* screen = QGuiApplication::primaryScreen();
        const qreal dpi = screen ? screen->logicalDotsPerInchY() : 96.0;
        result.setPointSizeF(result.pixelSize() * 72.0 / dpi);
    }
    return result;
}

// Lays the lines out on a painter that is open on the printer; `afterLine` hears how many
// have been written.
void WriteLines(QPrinter& printer, QPainter& painter, const QStringList& text, const QFont& font,
                const std::function<void(qsizetype)>& afterLine)
{
    painter.setFont(InPoints(font));
    TTextDevice device(painter, QSize(printer.width(), printer.height()), [&printer] {
        if (!printer.newPage())
            throw EPrinter("Der Drucker hat keine neue Seite begonnen");
    });
    const qsizetype count = text.size();
    for (qsizetype written = 1; written <= count; ++written) {
        device.WriteLine(text[written - 1]);
        afterLine(written);
    }
}

}  // namespace

QPrinter& CurrentPrinter()
{
    auto& printer = PrinterSlot();
    if (!printer) {
        printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        if (QPrinterInfo::availablePrinters().isEmpty()) {
            printer->setOutputFormat(QPrinter::PdfFormat);
            printer->setOutputFileName(DefaultPdfFileName());
        }
        // The printer's engine must go before the application's font and platform machinery.
        qAddPostRoutine([] { PrinterSlot().reset(); });
    }
    return *printer;
}

int PrintedPercent(long long written, long long count)
{
    if (count <= 0)
        return 0;
    const long long scaled = written * 100;
    long long percent = scaled / count;
    const long long twiceRest = 2 * (scaled % count);
    if (twiceRest > count || (twiceRest == count && percent % 2 != 0))
        ++percent;
    return static_cast<int>(percent);
}

TPdfFileChooser SetPdfFileChooser(TPdfFileChooser chooser)
{
    TPdfFileChooser previous = std::move(PdfFileChooser());
    PdfFileChooser() = chooser ? std::move(chooser) : TPdfFileChooser(AskForPdfFile);
    return previous;
}

QString AskForPdfFile(const QString& suggested)
{
    QFileDialog dialog(QApplication::activeWindow(), QStringLiteral("In eine PDF-Datei drucken"));
    dialog.setObjectName(QStringLiteral("PdfFileDialog"));
    // Qt's own dialog speaks German with the program's translation; a desktop portal may not.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(QStringLiteral("PDF-Dateien (*.pdf)"));
    dialog.setDefaultSuffix(QStringLiteral("pdf"));
    dialog.setDirectory(QFileInfo(suggested).absolutePath());
    dialog.selectFile(QFileInfo(suggested).fileName());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().front();
}

void PrintLines(const QStringList& lines, const QFont& font, const TPrintProgressHook& progress)
{
    if (lines.isEmpty())
        return;
    // Our own copy: showing the window lets events run, and they must not change the text.
    const QStringList text = lines;
    QPrinter& printer = CurrentPrinter();
    if (!ChooseDestination(printer))
        return;

    auto form = std::make_unique<TProgressForm>();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);

    printer.setDocName(QString::fromLatin1(kJobTitle));
    QPainter painter;
    if (!painter.begin(&printer))
        throw EPrinter("Der Druckauftrag konnte nicht gestartet werden");

    // A job that fails part-way must not leave the process-wide printer busy.
    struct JobGuard {
        QPrinter& printer;
        QPainter& painter;
        ~JobGuard()
        {
            if (painter.isActive()) {
                printer.abort();
                painter.end();
            }
        }
    } guard{printer, painter};

    const qsizetype count = text.size();
    WriteLines(printer, painter, text, font, [&](qsizetype written) {
        form->Gauge()->SetProgress(PrintedPercent(written, count));
        if (progress)
            progress(*form);
    });

    if (!painter.end() || printer.printerState() == QPrinter::Error)
        throw EPrinter("Der Druckauftrag konnte nicht abgeschlossen werden");
}

void PreviewLines(const QStringList& lines, const QFont& font, QWidget* parent)
{
    const QStringList text = lines;
    QPrintPreviewDialog dialog(&CurrentPrinter(), parent);
    dialog.setObjectName(QStringLiteral("PrintPreview"));
    dialog.setWindowTitle(QStringLiteral("Seitenansicht"));
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, [&text, font](QPrinter* printer) {
        printer->setDocName(QString::fromLatin1(kJobTitle));
        QPainter painter(printer);
        // A page the preview cannot begin ends the pages shown; the event loop is no place
        // for the error.
        try {
            WriteLines(*printer, painter, text, font, [](qsizetype) {});
        } catch (const EPrinter&) {
        }
    });
    dialog.exec();
}

void CopyLinesToClipboard(const QStringList& lines)
{
    if (lines.isEmpty())
        return;
    QString text;
    for (const QString& line : lines) {
        text += line;
        text += QStringLiteral("\r\n");
    }
    QGuiApplication::clipboard()->setText(text);
}

}  // namespace lumarc
