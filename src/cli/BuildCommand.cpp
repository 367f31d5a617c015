#include <iostream>

#include "Commands.h"
#include "catalogue/CatalogueBuilder.h"

namespace lumarc {

int RunBuild(const std::string& outDir, const std::vector<std::string>& scripts)
{
    try {
        TCatalogueBuilder builder;
        for (const std::string& script : scripts)
            builder.AddFile(script);
        TCatalogueBuilder::WriteCatalogue(builder.Build(), outDir);
        return 0;
    } catch (const std::exception& e) {
        std::cerr << e.what() << '\n';
        return 1;
    }
}

}  // namespace lumarc
