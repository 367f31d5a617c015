#include "DiscIdentity.h"

#include <memory>
#include <optional>

#include "FileHash.h"
#include "platform/Disc.h"
#include "platform/Volumes.h"

namespace lumarc {

std::string DiscLabelOf(const std::string& discRoot)
{
    if (const std::optional<TImagePath> image = SplitImagePath(discRoot))
        return ImageVolumeLabel(image->Image);
    return GetVolumeLabel(discRoot);
}

std::string CatalogueIdentity(const std::string& dataFileName, const std::string& indexFileName)
{
    // The files may lie inside a disc image, where only the disc layer reads them.
    const std::unique_ptr<TDiscFile> data = OpenDiscFile(dataFileName);
    const std::optional<std::string> index = FileHash(indexFileName);
    return index.value_or("?") + ":" + std::to_string(data ? data->Size() : 0);
}

}  // namespace lumarc
