#pragma once
// Compiles catalogue source scripts (UTF-8 text) into the data and index file images.
//
// A record starts at a keyword line "KEYWORD [Name] dd.mm.yy {" (OUTLINE, INFOTEXT,
// SHORTTEXT, COMPONENT; END closes without a record). Each line is converted to CP1252
// before parsing, the body lines of a short text below its first to CP850. Exactly one
// OUTLINE record: its indented body lines are the outline, "[name]" on a line links the node
// to the record of that name. Records are stored in script order, the outline last, so that
// every reference is known when it is written.

#include <string>
#include <vector>

#include "platform/Exception.h"

namespace lumarc {

// "FILE:LINE: what is wrong"
LUMARC_DECLARE_ERROR(EBuildError, Exception);

class TCatalogueBuilder {
public:
    // Sources are read as one script, in the order given.
    void AddSource(const std::string& fileName, const std::string& utf8Text);
    // Raises EBuildError when the file cannot be read.
    void AddFile(const std::string& path);

    struct TImages {
        std::string Data;
        std::string Index;
    };
    TImages Build() const;

    // Writes OUTDIR/Lumarc32.dat and OUTDIR/Lumarc32.idx through temporary files and renames,
    // so that a failure leaves no half-written catalogue. Raises EBuildError.
    static void WriteCatalogue(const TImages& images, const std::string& outDir);

private:
    struct TOrigin {
        size_t File;
        int Line;  // from 1
    };
    std::string Where(const TOrigin& origin) const;

    std::vector<std::string> FFileNames;
    std::vector<std::string> FLines;
    std::vector<TOrigin> FOrigins;
};

}  // namespace lumarc
