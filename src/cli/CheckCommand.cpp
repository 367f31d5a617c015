#include <iostream>
#include <memory>

#include "catalogue/CatalogueLocation.h"
#include "Commands.h"
#include "catalogue/CatalogueChecker.h"
#include "catalogue/FileStream.h"
#include "platform/Exception.h"

namespace lumarc {

int RunCheck(const std::string& catalogue)
{
    const TCatalogueLocation location = LocateCatalogue(catalogue);
    std::unique_ptr<TFileStream> data, index;
    try {
        data = std::make_unique<TFileStream>(location.DataFileName, TFileStream::TMode::fmOpenRead);
        index = std::make_unique<TFileStream>(location.IndexFileName, TFileStream::TMode::fmOpenRead);
    } catch (const EStreamError&) {
        std::cerr << CatalogueNotFoundMessage(location) << '\n';
        return 1;
    }
    try {
        const std::vector<std::string> problems = TCatalogueChecker::Check(*data, *index);
        for (const std::string& p : problems)
            std::cout << p << '\n';
        return problems.empty() ? 0 : 1;
    } catch (const std::exception& e) {
        // Only the files themselves failing (an I/O error) gets here.
        std::cout << e.what() << '\n';
        return 1;
    }
}

}  // namespace lumarc
