#include "Application.h"

#include <QLibraryInfo>
#include <QTranslator>

#include "ProgramEnd.h"
#include "platform/ApplicationErrors.h"

namespace lumarc {

void TApplication::SetUp(QApplication& app)
{
    static QTranslator qtTranslator;
    if (qtTranslator.isEmpty() &&
        qtTranslator.load(QStringLiteral("qtbase_de"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        app.installTranslator(&qtTranslator);
    app.setApplicationName(QStringLiteral("lumarc"));
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
