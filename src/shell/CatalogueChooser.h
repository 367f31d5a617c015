#pragma once
// The file dialog of "Katalog öffnen...": it takes a directory that holds a catalogue (the
// disc's root, a copy of it, its data directory), a data file, or a disc image.

#include <QFileDialog>
#include <QString>

namespace lumarc {

class TCatalogueChooser : public QFileDialog {
    Q_OBJECT

public:
    TCatalogueChooser(QWidget* parent, const QString& start);
    // The catalogue chosen; empty when the dialog was cancelled.
    QString Chosen() const { return FChosen; }

    void accept() override;

private:
    QString FChosen;
};

// Shows the dialog modally and returns what was chosen, or an empty string.
QString ChooseCatalogue(QWidget* parent, const QString& start);

}  // namespace lumarc
