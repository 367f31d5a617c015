#pragma once
// Reads a catalogue's outline in a thread of its own while the program sets up its windows:
// on a large catalogue the outline is most of what the start-up reads. The main window takes
// what was read only for the very files it opens; whatever goes wrong here is left to its own
// load, which reports it as always.

#include <future>
#include <memory>
#include <optional>
#include <string>

#include "catalogue/BrowzerContainer.h"
#include "catalogue/TreeViewData.h"

namespace lumarc {

class TOutlinePreload {
public:
    // The outline, and the container it was read through, still active on its files.
    struct TResult {
        std::unique_ptr<TBrowzerContainer> Container;
        TTreeViewData TreeData;
    };

    // Starts reading at once, through a container of its own.
    TOutlinePreload(std::string dataFileName, std::string indexFileName);
    // Waits for the reading thread.
    ~TOutlinePreload();
    TOutlinePreload(const TOutlinePreload&) = delete;
    TOutlinePreload& operator=(const TOutlinePreload&) = delete;

    // The outline read from exactly these two files, waiting for it if need be; nothing when
    // they are other files, when reading failed, or when it was taken before.
    std::optional<TResult> Take(const std::string& dataFileName, const std::string& indexFileName);

private:
    std::string FDataFileName;
    std::string FIndexFileName;
    std::future<std::optional<TResult>> FResult;
};

}  // namespace lumarc
