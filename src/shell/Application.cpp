#include "Application.h"

#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "ProgramEnd.h"
#include "platform/ApplicationErrors.h"
#include "platform/ProgramVersion.h"

namespace lumarc {

void TApplication::SetUp(QApplication& app)
{
    static QTranslator qtTranslator;
    if (qtTranslator.isEmpty() &&
        qtTranslator.load(QStringLiteral("qtbase_de"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        app.installTranslator(&qtTranslator);
    // Qt's own dialogs (files, printing) name their columns and write their dates in German,
    // whatever locale the session has.
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    app.setApplicationName(QStringLiteral("lumarc"));
    app.setApplicationVersion(QString::fromStdString(ProgramVersion()));
    // A dock groups the window under its menu entry by this name (and by the window class
    // "lumarc", which the entry names as its StartupWMClass).
    QGuiApplication::setDesktopFileName(QStringLiteral("de.brimvale.Lumarc"));
    QIcon own;
    for (const int size : {48, 64, 128, 256})
        own.addFile(QStringLiteral(":/icons/de.brimvale.Lumarc-%1.png").arg(size), QSize(size, size));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("de.brimvale.Lumarc"), own));
}

bool TApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const EProgramEnd& end) {
        // Meant to end the program, not to be handled.
        QCoreApplication::exit(end.ExitCode());
    } catch (const std::exception& error) {
        HandleApplicationException(error);
    }
    return false;
}

}  // namespace lumarc
