#include "Application.h"

#include "ProgramEnd.h"
#include "platform/ApplicationErrors.h"

namespace lumarc {

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
