#pragma once
// The output commands of the main window: print or copy what the shown page holds, and print
// the catalogue's order form. Every command first turns its text into a list of lines and
// hands it to the shared line output, so that the viewer prints exactly what lumarc-cli's
// show and order-form write for the same catalogue.

#include <QFont>
#include <QStringList>

#include "print/LineOutput.h"

namespace lumarc {

class TEntryDisplay;
class TToolDiscMain;

class TPrintCommands {
public:
    // The size a new font object has; both print fonts keep it.
    static constexpr int kPrintFontPoints = 8;

    // Prints what `display` shows in `main`'s notebook.
    TPrintCommands(TToolDiscMain& main, const TEntryDisplay& display) : FMain(main), FDisplay(display) {}

    // Print and copy go by the notebook page on screen; with nothing shown they do nothing.
    void SBPrintTextClick();
    void SBCopyClick();
    // The pages that printing the shown page would give, in a preview.
    void MIPreviewClick();
    // Prints the lines between the order form's cut marks in portrait; nothing without a
    // valid form. The printer's orientation is given back afterwards.
    void SBBestellFormularClick();

    // The component text of the component shown last, decoded: heading, empty line, the
    // component page's lines without font tags, "Ausführliche Beschreibung:" and the long
    // description as the detail window holds it after being filled unseen. Empty when no
    // component has been shown.
    QStringList ComponentTextLines();
    // The short text memo's lines as shown; none for an empty memo.
    QStringList ShortMemoLines() const;

    static QFont TextFont();
    static QFont OrderFormFont();

    // Watches this window's print jobs of short texts, components and the order form.
    TPrintProgressHook Progress;

private:
    enum class TPage { pgNone, pgInfotext, pgShortDesc, pgKomponente };
    TPage ShownPage() const;
    void PrintShown();
    void PreviewShown();
    void CopyShown();
    void PrintOrderForm();
    // Commands run from the event loop, which an exception must not cross.
    template <typename Command>
    void Guarded(Command command);

    TToolDiscMain& FMain;
    const TEntryDisplay& FDisplay;
};

}  // namespace lumarc
