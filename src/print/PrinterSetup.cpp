#include "PrinterSetup.h"

#include <QDialogButtonBox>
#include <QPrintDialog>
#include <QPushButton>

#include "LineOutput.h"

namespace lumarc {

void ShowPrinterSetup(QWidget* parent)
{
    QPrintDialog dialog(&CurrentPrinter(), parent);
    dialog.setObjectName(QStringLiteral("PrinterSetup"));
    dialog.setWindowTitle(QStringLiteral("Druckereinstellungen"));
    if (auto* buttons = dialog.findChild<QDialogButtonBox*>())
        if (QPushButton* ok = buttons->button(QDialogButtonBox::Ok))
            ok->setText(QStringLiteral("OK"));
    dialog.exec();
}

}  // namespace lumarc
