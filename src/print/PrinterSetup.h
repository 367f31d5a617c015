#pragma once
// The printer setup of the main window's file menu.

class QWidget;

namespace lumarc {

// Lets the user choose CurrentPrinter()'s printer and its settings, modal over `parent`; the
// dialog's confirming button reads "OK", since nothing is printed from here.
void ShowPrinterSetup(QWidget* parent);

}  // namespace lumarc
