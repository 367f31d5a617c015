#include "OutlinePreload.h"

#include <exception>
#include <utility>

#include "catalogue/BrowzerContainer.h"

namespace lumarc {

namespace {

std::optional<TOutlinePreload::TResult> ReadOutline(const std::string& dataFileName, const std::string& indexFileName)
{
    try {
        TOutlinePreload::TResult result{std::make_unique<TBrowzerContainer>(), TTreeViewData()};
        result.Container->DataFileName = dataFileName;
        result.Container->IndexFileName = indexFileName;
        result.Container->SetActive(true);
        result.Container->LoadOutline(result.TreeData);
        return result;
    } catch (const std::exception&) {
        // The window's own load meets the same error and says what it is.
        return std::nullopt;
    }
}

}  // namespace

TOutlinePreload::TOutlinePreload(std::string dataFileName, std::string indexFileName)
    : FDataFileName(std::move(dataFileName)), FIndexFileName(std::move(indexFileName))
{
    FResult = std::async(std::launch::async, ReadOutline, FDataFileName, FIndexFileName);
}

TOutlinePreload::~TOutlinePreload()
{
    if (FResult.valid())
        FResult.wait();
}

std::optional<TOutlinePreload::TResult> TOutlinePreload::Take(const std::string& dataFileName, const std::string& indexFileName)
{
    if (!FResult.valid() || dataFileName != FDataFileName || indexFileName != FIndexFileName)
        return std::nullopt;
    return FResult.get();
}

}  // namespace lumarc
