#include "UnzipFile.h"

#include <cstring>
#include <iostream>

namespace lumarc {

TDunzipEntry TUnzipFile::FEntry = nullptr;

TUnzipFile::TUnzipFile() = default;

void TUnzipFile::Assign(TLPStr&, const TLPStr&)
{
    if (OnError)
        OnError(kAssignError);
    else
        std::cerr << kAssignError << '\n';
}

void TUnzipFile::FillCommand(int code)
{
    std::memset(&FCommand, 0, sizeof FCommand);
    FCommand.unzipStructSize = static_cast<int32_t>(sizeof FCommand);
    FCommand.function = code;
    FCommand.lpszZipFile = lpszZipFile.TextPtr();
    FCommand.lpszInfoBuffer = InfoBuffer.data();
    FCommand.lpszFileSpec = lpszFileSpec.TextPtr();
    FCommand.index = IndexofItem;
    FCommand.lpszDestination = lpszDestination.TextPtr();
    FCommand.freshenFlag = Flag(FreshenFlag);
    FCommand.updateFlag = Flag(UpdateFlag);
    FCommand.overWriteFlag = Flag(OverWriteFlag);
    FCommand.quietFlag = Flag(QuietFlag);
    FCommand.testFlag = Flag(TestFlag);
    FCommand.noDirectoryNamesFlag = Flag(NoDirectoryNamesFlag);
    FCommand.recurseFlag = Flag(RecurseFlag);
    FCommand.noDirectoryItemsFlag = Flag(NoDirectoryItemsFlag);
    FCommand.lpMinorStatus = &MinorThunk;
    FCommand.lpMinorUserData = this;
    FCommand.lpMajorStatus = &MajorThunk;
    FCommand.lpMajorUserData = this;
    FCommand.returnCount = ReturnCount;
    FCommand.lpszReturnString = lpszReturnString.TextPtr();
    FCommand.bDiagnostic = Flag(bDiagnostic);
    FCommand.bLF2CRLFFlag = Flag(bLF2CRLFFlag);
    FCommand.decryptFlag = Flag(DecryptFlag);
    FCommand.lpszDecryptCode = lpszDecryptCode.TextPtr();
    FCommand.lpMessageDisplay = &MessageThunk;
    FCommand.lpMessageDisplayData = this;
    FCommand.wUnzipSubOptions = wUnzipSubOptions;
    FCommand.lpRenameProc = &RenameThunk;
    FCommand.lpRenameUserData = this;
    FCommand.lpszExtProgTitle = lpszExtProgTitle.TextPtr();
    FCommand.lResv1 = lResv1;
    FCommand.lResv2 = lResv2;
    FCommand.lResv3 = lResv3;
}

bool TUnzipFile::RunFunction(int code)
{
    LastResult = -1;
    if (code < kUnzipFirstFunction || code > kUnzipLastFunction || !FEntry)
        return false;
    if (code == kUnzipReturnStringFunction)
        lpszReturnString.SetCapacity(ReturnCount + 1);
    FillCommand(code);
    LastResult = FEntry(&FCommand);
    if (LastResult != DZ_OK)
        return false;
    ReturnCount = FCommand.returnCount;
    return true;
}

}  // namespace lumarc
