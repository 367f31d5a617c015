#include "CatalogueChooser.h"

#include <QFileInfo>

#include "catalogue/CatalogueLocation.h"

namespace lumarc {

TCatalogueChooser::TCatalogueChooser(QWidget* parent, const QString& start)
    : QFileDialog(parent, QStringLiteral("Katalog öffnen"))
{
    setObjectName(QStringLiteral("CatalogueChooser"));
    // The framework's own dialog speaks German through its translation; the desktop's might not.
    setOption(QFileDialog::DontUseNativeDialog, true);
    setFileMode(QFileDialog::ExistingFile);
    setAcceptMode(QFileDialog::AcceptOpen);
    setNameFilters({QStringLiteral("Kataloge und Abbilder "
                                   "(*.dat *.DAT *.idx *.IDX *.iso *.ISO *.img *.IMG *.cue *.CUE *.bin *.BIN "
                                   "*.ccd *.CCD *.mds *.MDS *.mdf *.MDF *.nrg *.NRG *.toc *.TOC)"),
                    QStringLiteral("Alle Dateien (*)")});
    const QFileInfo info(start);
    if (!start.isEmpty())
        setDirectory(info.isDir() ? start : info.absolutePath());
}

void TCatalogueChooser::accept()
{
    // A directory that holds a catalogue is the choice itself; any other one is entered.
    const QStringList selected = selectedFiles();
    const QString path = selected.isEmpty() ? QString() : selected.front();
    if (QFileInfo(path).isDir()) {
        if (LocateCatalogue(path.toStdString()).LookedFor.empty()) {
            FChosen = path;
            QDialog::accept();
            return;
        }
        QFileDialog::accept();
        return;
    }
    FChosen = path;
    QFileDialog::accept();
}

QString ChooseCatalogue(QWidget* parent, const QString& start)
{
    TCatalogueChooser chooser(parent, start);
    return chooser.exec() == QDialog::Accepted ? chooser.Chosen() : QString();
}

}  // namespace lumarc
