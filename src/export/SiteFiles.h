#pragma once
// Writing the site's files, and taking the disc's component files along.

#include <map>
#include <string>
#include <string_view>

namespace lumarc {

// Creates `dir` and the directories above it that are missing. Raises EInOutError
// "Das Verzeichnis DIR konnte nicht angelegt werden: REASON".
void MakeSiteDirectory(const std::string& dir);

// Writes `contents` to `path`, replacing a file that is there. Pages are written plainly, not
// through a temporary file each: a site of 50 000 pages must not cost 50 000 flushes to the
// disc. Raises EInOutError "Die Datei PATH konnte nicht geschrieben werden: REASON".
void WriteSiteFile(const std::string& path, std::string_view contents);

// The component files and archives of the disc, copied into OUTDIR/files/ once each.
class TSiteFiles {
public:
    // `discRoot` is where the catalogue's Windows paths begin, with a trailing '/'.
    TSiteFiles(std::string outDir, std::string discRoot);

    // The address below the site's root of the copy of the file `windowsPath` names
    // ("files/COMPS/GRID.ZIP", the names spelt as on the disc), or "" when the disc has no such
    // file. A file is copied the first time it is asked for. Copy failures raise EInOutError.
    std::string Take(const std::string& windowsPath);

private:
    std::string FOutDir;
    std::string FDiscRoot;
    std::map<std::string, std::string> FTaken;  // host path -> address, "" for none
};

// `path` ('/'-separated, UTF-8) as a relative URL: every byte outside the unreserved
// characters percent-encoded, the slashes kept.
std::string UrlPath(std::string_view path);

}  // namespace lumarc
