#pragma once
// What one run of the viewer leaves for the next: the windows as the user arranged them, the
// catalogue and the entry last shown, and the recent catalogues. It lives in a file of its own
// ($XDG_STATE_HOME/Brimvale/Lumarc32/session.conf), apart from the settings, so that losing or
// damaging it costs nothing but the arrangement: whatever cannot be read starts as a fresh
// start would.

#include <QByteArray>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QVariantMap>

namespace lumarc {

class TToolDiscMain;
class TWideInfoForm;

class TSession {
public:
    static QString DefaultFile();

    // A missing or damaged file gives an empty session; a value that cannot be read is left
    // out by itself.
    static TSession Load(const QString& file);
    // What the two windows show now.
    static TSession Capture(const TToolDiscMain& window, const TWideInfoForm& detail);
    // Replaces the file as a whole (its directories are created); false when it cannot be
    // written.
    bool Save(const QString& file) const;

    // The catalogue a start opens: the one given, else the last one shown as long as it can
    // still be found, else empty, which is the program's own.
    QString StartCatalogue(const QString& given) const;
    // Puts the windows back as they were captured, within the screen and the windows' bounds.
    // The last entry is selected only when the window shows the catalogue it was shown in.
    void Restore(TToolDiscMain& window, TWideInfoForm& detail) const;

private:
    QByteArray FWindowGeometry;
    int FSplitter = -1;
    QByteArray FDetailGeometry;
    int FReviewHeight = -1;
    int FInstallHeight = -1;
    QSize FResultsSize;
    QByteArray FListGeometry;
    QVariantMap FListFilters;
    QString FCatalogue;
    int FEntry = -1;
    QStringList FRecent;
};

}  // namespace lumarc
