#pragma once
// The shared line output: every printed or copied text becomes a list of lines first.

#include <QFont>
#include <QStringList>

class QPrinter;

namespace lumarc {

// The printer the print commands use: the one chosen in the printer setup dialog, or a PDF
// file when the machine has no printer.
QPrinter& CurrentPrinter();

// Prints the lines in the font on CurrentPrinter(), job "Brimvale ToolDisc", with the progress
// window showing how far it has come. An empty list opens no job and shows no window.
void PrintLines(const QStringList& lines, const QFont& font);

// Puts every line followed by CR LF on the clipboard; an empty list leaves the clipboard alone.
void CopyLinesToClipboard(const QStringList& lines);

}  // namespace lumarc
