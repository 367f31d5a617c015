#include "SystemErrors.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "Exception.h"

namespace lumarc {

std::string SystemErrorText(int error)
{
    switch (error) {
    case ENOSPC:
    case EDQUOT:
    case EFBIG:  // the target takes no more: to the user, a full disk
        return "Der Datenträger ist voll";
    case EROFS:
        return "Das Ziel ist schreibgeschützt";
    case EACCES:
    case EPERM:
        return "Zugriff verweigert";
    case ENOENT:
    case ENOTDIR:
    case ENXIO:
    case ENODEV:
        return "nicht gefunden";
    case EEXIST:  // a file stands where a folder is to be made
        return "Eine Datei steht, wo ein Ordner hingehört";
    case EISDIR:
        return "Ein Verzeichnis dieses Namens ist im Weg";
    case ENOTSUP:  // a file on a disc image in pieces that do not join
        return "Die Datei ist auf dem Abbild in Teilen abgelegt, die sich nicht lesen lassen";
    case EIO:
        return "Lesefehler – ist der Datenträger noch eingelegt?";
    default:
        return "Systemfehler Nummer " + std::to_string(error);
    }
}

std::string UnreachableDirectory(const std::string& dir)
{
    struct stat info {};
    int error = 0;
    if (::stat(dir.c_str(), &info) != 0)
        error = errno;
    else if (!S_ISDIR(info.st_mode))
        error = ENOTDIR;
    else if (::access(dir.c_str(), R_OK | X_OK) != 0)
        error = errno;
    const std::string reason = error ? SystemErrorText(error) : "nicht lesbar";
    return "Das Verzeichnis " + dir + " ist nicht erreichbar: " + reason + ".";
}

void RaiseSystemError(int error)
{
    throw EInOutError(SystemErrorText(error));
}

}  // namespace lumarc
