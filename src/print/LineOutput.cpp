#include "LineOutput.h"

#include "print/PrinterError.h"
#include "print/ProgressForm.h"
#include "print/TextDevice.h"

#include "controls/Gauge.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QScreen>
#include <QStandardPaths>

#include <memory>

namespace lumarc {

namespace {

const char* const kJobTitle = "Brimvale ToolDisc";

std::unique_ptr<QPrinter>& PrinterSlot()
{
    static std::unique_ptr<QPrinter> printer;
    return printer;
}

TPrintProgressHook& ProgressHook()
{
    static TPrintProgressHook hook;
    return hook;
}

// Where a machine without a printer prints until the user picks a file.
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

TPrintProgressHook SetPrintProgressHook(TPrintProgressHook hook)
{
    TPrintProgressHook previous = std::move(ProgressHook());
    ProgressHook() = std::move(hook);
    return previous;
}

void PrintLines(const QStringList& lines, const QFont& font)
{
    if (lines.isEmpty())
        return;
    // Our own copy: showing the window lets events run, and they must not change the text.
    const QStringList text = lines;

    auto form = std::make_unique<TProgressForm>();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);

    QPrinter& printer = CurrentPrinter();
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

    painter.setFont(InPoints(font));
    TTextDevice device(painter, QSize(printer.width(), printer.height()), [&printer] {
        if (!printer.newPage())
            throw EPrinter("Der Drucker hat keine neue Seite begonnen");
    });

    const qsizetype count = text.size();
    for (qsizetype written = 1; written <= count; ++written) {
        device.WriteLine(text[written - 1]);
        form->Gauge()->SetProgress(PrintedPercent(written, count));
        if (ProgressHook())
            ProgressHook()(*form);
    }

    if (!painter.end() || printer.printerState() == QPrinter::Error)
        throw EPrinter("Der Druckauftrag konnte nicht abgeschlossen werden");
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
