#pragma once
// The unzip component: the library's text parameters, flags and sub-options, and RunFunction,
// which fills the parameter record and calls the library's entry point.

#include <array>
#include <cstdint>
#include <functional>
#include <string>

#include "DynaZip.h"
#include "LPStr.h"
#include "UnzipCommand.h"

namespace lumarc {

enum TUnzipFlag : uint32_t {
    FreshenFlag, UpdateFlag, OverWriteFlag, QuietFlag, TestFlag, NoDirectoryNamesFlag, RecurseFlag,
    NoDirectoryItemsFlag, bDiagnostic, bLF2CRLFFlag, DecryptFlag
};
// A set of TUnzipFlag: bit n for ordinal n.
using TUnzipFlags = uint32_t;
constexpr TUnzipFlags UnzipFlag(TUnzipFlag flag) { return TUnzipFlags{1} << flag; }

enum TUnzipSubOption : uint16_t {
    USO_OVERWRITE_RO = 0x01, USO_MINORCANCEL = 0x02, USO_EXTERNALPROG = 0x04, USO_EXTPROGCANCEL = 0x08,
    USO_IGNORELONGNAMES = 0x10, USO_MANGLELONGNAMES = 0x20
};
using TUnzipSubOptions = uint16_t;

using TDunzipEntry = int (*)(UnzipCommand*);

// The function codes the entry point takes (UNZIP_EXTRACT is one); others are refused unsent.
constexpr int kUnzipFirstFunction = 1;
constexpr int kUnzipLastFunction = 9;
// The function that answers in lpszReturnString, which gets ReturnCount + 1 characters first.
constexpr int kUnzipReturnStringFunction = 6;

class TUnzipFile : public TDynaZip {
public:
    static constexpr int kInfoBufferSize = 310;
    static constexpr const char* kAssignError = "Cannot Directly assign a value to type LPSTR.  Use SetText";

    TUnzipFile();

    // The library's entry point, set when the library is loaded; tests set their own.
    static void SetEntryPoint(TDunzipEntry entry) { FEntry = entry; }
    static TDunzipEntry EntryPoint() { return FEntry; }

    // kUnzipFirstFunction to kUnzipLastFunction run through the library; any other code returns
    // false without calling it. On result DZ_OK ReturnCount takes the record's count; a failure
    // changes nothing else.
    bool RunFunction(int code);

    // A text parameter is set through its SetText; assigning one as a whole changes nothing
    // and reports kAssignError to OnError (standard error when it is empty).
    void Assign(TLPStr& property, const TLPStr& value);
    std::function<void(const std::string&)> OnError;

    TLPStr lpszZipFile;
    TLPStr lpszFileSpec;
    int32_t IndexofItem = 0;
    TLPStr lpszDestination;
    TUnzipFlags Options = 0;
    TLPStr lpszDecryptCode;
    TUnzipSubOptions wUnzipSubOptions = 0;
    TLPStr lpszExtProgTitle;
    TLPStr lpszReturnString;

    int32_t ReturnCount = 0;
    // What the library returned for the last call (0 success, the DZ_ERR_ codes); -1 when the
    // call was refused without reaching it.
    int LastResult = 0;
    // Passed through to the library; never set by this program.
    int32_t lResv1 = 0;
    int32_t lResv2 = 0;
    int32_t lResv3 = 0;
    std::array<char, kInfoBufferSize> InfoBuffer {};
    // The record of the last call.
    const UnzipCommand& Command() const { return FCommand; }

private:
    void FillCommand(int code);
    int32_t Flag(TUnzipFlag flag) const { return (Options & UnzipFlag(flag)) ? 1 : 0; }

    UnzipCommand FCommand {};
    static TDunzipEntry FEntry;
};

}  // namespace lumarc
