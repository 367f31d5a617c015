#pragma once
// The shared line output: every printed or copied text becomes a list of lines first.

#include <QFont>
#include <QStringList>

#include <functional>

class QPrinter;
class QWidget;

namespace lumarc {

class TProgressForm;

// The printer the print commands use: the one chosen in the printer setup dialog, or a PDF
// file when the machine has no printer.
QPrinter& CurrentPrinter();

// On a machine without a printer each job goes to a PDF file the user names: the chooser gets
// the last name (at first "Brimvale ToolDisc.pdf" in the documents directory) and returns the
// file to write, or nothing when the user cancels. The default asks in a German file dialog
// that confirms before it replaces a file. Returns the chooser it replaces.
using TPdfFileChooser = std::function<QString(const QString& suggested)>;
TPdfFileChooser SetPdfFileChooser(TPdfFileChooser chooser);
// The default chooser's dialog.
QString AskForPdfFile(const QString& suggested);

// Prints the lines in the font on CurrentPrinter(), job "Brimvale ToolDisc", with the progress
// window showing how far it has come. An empty list opens no job and shows no window, and so
// does a PDF file the user declined to name.
// Throws EPrinter when the printer refuses the job or a page; the window is gone either way.
// `progress`, when given, is called with the progress window after the gauge has been set for
// each line; whatever it throws ends the job as a printer error would.
using TPrintProgressHook = std::function<void(TProgressForm&)>;
void PrintLines(const QStringList& lines, const QFont& font, const TPrintProgressHook& progress = {});

// Shows the pages PrintLines would print, on CurrentPrinter()'s paper, in the "Seitenansicht"
// dialog; its print button prints them. Returns when the dialog closes.
void PreviewLines(const QStringList& lines, const QFont& font, QWidget* parent);

// Puts every line followed by CR LF on the clipboard; an empty list leaves the clipboard alone.
void CopyLinesToClipboard(const QStringList& lines);

// The percentage the gauge shows after `written` of `count` lines: written / count x 100,
// rounded to the nearest whole number, halves to the even one, computed exactly.
int PrintedPercent(long long written, long long count);

}  // namespace lumarc
