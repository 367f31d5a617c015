#include "PrintCommands.h"

#include <QPageLayout>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QStackedWidget>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <exception>
#include <string>

#include "ComponentPage.h"
#include "EntryDisplay.h"
#include "ToolDiscMain.h"
#include "WideInfoForm.h"
#include "catalogue/BrowzerContainer.h"
#include "catalogue/CompoText.h"
#include "controls/BrowzerOutline.h"
#include "controls/MicaTextView.h"
#include "print/LineOutput.h"
#include "print/core/ComponentText.h"
#include "print/core/OrderForm.h"
#include "widgets/AnsiText.h"

namespace lumarc {

namespace {

// Gives the printer back the orientation the user chose, also when the job fails: the order
// form's portrait must not carry over into later text printing.
class TOrientationKeeper {
public:
    explicit TOrientationKeeper(QPrinter& printer) : FPrinter(printer), FKept(printer.pageLayout().orientation()) {}
    ~TOrientationKeeper() { FPrinter.setPageOrientation(FKept); }
    TOrientationKeeper(const TOrientationKeeper&) = delete;
    TOrientationKeeper& operator=(const TOrientationKeeper&) = delete;

private:
    QPrinter& FPrinter;
    QPageLayout::Orientation FKept;
};

}  // namespace

QFont TPrintCommands::TextFont()
{
    return QFont(QStringLiteral("Arial"), kPrintFontPoints);
}

QFont TPrintCommands::OrderFormFont()
{
    return QFont(QStringLiteral("Courier"), kPrintFontPoints);
}

template <typename Command>
void TPrintCommands::Guarded(Command command)
{
    // A job the printer refused or a record that cannot be read is said so: left silent, the
    // user would take the missing paper for a printed page.
    try {
        command();
    } catch (const std::exception& e) {
        FMain.ReportCatalogueError(e);
    }
}

void TPrintCommands::SBPrintTextClick()
{
    Guarded([this] { PrintShown(); });
}

void TPrintCommands::SBCopyClick()
{
    Guarded([this] { CopyShown(); });
}

void TPrintCommands::MIPreviewClick()
{
    Guarded([this] { PreviewShown(); });
}

void TPrintCommands::SBBestellFormularClick()
{
    Guarded([this] { PrintOrderForm(); });
}

TPrintCommands::TPage TPrintCommands::ShownPage() const
{
    // The info text page also stands behind page kind 0, with a hidden view that may still
    // hold the text shown before; that text is not what the user sees.
    if (FMain.PageKind() == TToolDiscMain::pkNothing)
        return TPage::pgNone;
    const QWidget* page = FDisplay.Pages().Notebook->currentWidget();
    if (!page)
        return TPage::pgNone;
    const QString name = page->objectName().toUpper();
    if (name == QLatin1String("INFOTEXT"))
        return TPage::pgInfotext;
    if (name == QLatin1String("SHORTDESC"))
        return TPage::pgShortDesc;
    if (name == QLatin1String("KOMPONENTE"))
        return TPage::pgKomponente;
    return TPage::pgNone;
}

QStringList TPrintCommands::ShortMemoLines() const
{
    QStringList lines;
    const QTextDocument* document = FDisplay.Pages().ShortMemo->document();
    if (document->isEmpty())
        return lines;
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next())
        lines.append(block.text());
    return lines;
}

QStringList TPrintCommands::ComponentTextLines()
{
    QStringList lines;
    const TCompoText* compo = FDisplay.Component();
    if (!compo)
        return lines;

    // The long description is read back from the detail window, filled without showing it,
    // so that paper and screen agree; without the window the record's own lines stand in.
    TStringList longInfo;
    if (auto* detail = qobject_cast<TWideInfoForm*>(FMain.DetailWindow())) {
        detail->Fill(*compo, false);
        longInfo = detail->LongInfoLines();
    } else {
        longInfo = compo->LongInfo;
    }

    const TStringList text = ComponentText(*compo, longInfo);
    for (const std::string& line : text.Strings())
        lines.append(FromAnsi(line));
    return lines;
}

void TPrintCommands::PrintShown()
{
    switch (ShownPage()) {
    case TPage::pgInfotext:
        FDisplay.Pages().TextView->PrintText();
        break;
    case TPage::pgShortDesc:
        // In the memo's fixed-pitch font, so that box drawings keep their columns on paper.
        PrintLines(ShortMemoLines(), FDisplay.Pages().ShortMemo->font(), Progress);
        break;
    case TPage::pgKomponente:
        PrintLines(ComponentTextLines(), TextFont(), Progress);
        break;
    case TPage::pgNone:
        break;
    }
}

void TPrintCommands::PreviewShown()
{
    // The lines and fonts of PrintShown, page by page.
    switch (ShownPage()) {
    case TPage::pgInfotext:
        PreviewLines(FDisplay.Pages().TextView->PlainLines(), TMicaTextView::PrintFont(), &FMain);
        break;
    case TPage::pgShortDesc:
        PreviewLines(ShortMemoLines(), FDisplay.Pages().ShortMemo->font(), &FMain);
        break;
    case TPage::pgKomponente:
        PreviewLines(ComponentTextLines(), TextFont(), &FMain);
        break;
    case TPage::pgNone:
        break;
    }
}

void TPrintCommands::CopyShown()
{
    switch (ShownPage()) {
    case TPage::pgInfotext:
        FDisplay.Pages().TextView->CopyText();
        break;
    case TPage::pgShortDesc:
        if (FDisplay.Pages().ShortMemo->textCursor().hasSelection())
            FDisplay.Pages().ShortMemo->copy();
        else
            CopyLinesToClipboard(ShortMemoLines());
        break;
    case TPage::pgKomponente:
        CopyLinesToClipboard(ComponentTextLines());
        break;
    case TPage::pgNone:
        break;
    }
}

void TPrintCommands::PrintOrderForm()
{
    const TStringList form = ReadOrderForm(FDisplay.Container(), FMain.Outline().TreeData());
    if (form.Empty())
        return;
    QStringList lines;
    for (const std::string& line : form.Strings())
        lines.append(FromAnsi(line));
    QPrinter& printer = CurrentPrinter();
    const TOrientationKeeper keeper(printer);
    printer.setPageOrientation(QPageLayout::Portrait);
    PrintLines(lines, OrderFormFont(), Progress);
}

}  // namespace lumarc
