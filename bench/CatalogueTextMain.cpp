// lumarc-catalogue-text DATAFILE OUTFILE: the text of every record (what the search matches),
// one line per line of text as stored, in entry order - the file grep reads in search-vs-grep.

#include <fstream>
#include <iostream>
#include <memory>

#include "catalogue/BrowzerContainer.h"
#include "catalogue/RecordRef.h"
#include "catalogue/TreeViewData.h"
#include "catalogue/ParamScriptComponent.h"

int main(int argc, char** argv)
{
    using namespace lumarc;
    if (argc != 3) {
        std::cerr << "Aufruf: lumarc-catalogue-text DATENDATEI ZIELDATEI\n";
        return 2;
    }
    try {
        TBrowzerContainer container;
        container.DataFileName = argv[1];
        const std::string data = argv[1];
        container.IndexFileName = data.substr(0, data.size() - 4) + ".idx";
        container.SetActive(true);
        TTreeViewData tree;
        container.LoadOutline(tree);
        std::ofstream out(argv[2], std::ios::binary);
        TStringList lines;
        for (int entry = 0; entry < tree.Count(); ++entry) {
            const int32_t ref = tree.Texts.Objects(entry);
            const std::unique_ptr<TParamScriptComponent> record = CreateRecordFor(ref);
            if (!record)
                continue;
            container.ReadRecord(*record, RecordOffsetOf(ref));
            record->GetText(lines);
            for (const std::string& line : lines.Strings())
                out << line << '\n';
        }
        if (!out.flush()) {
            std::cerr << argv[2] << ": Schreibfehler\n";
            return 1;
        }
    } catch (const std::exception& e) {
        std::cerr << e.what() << '\n';
        return 1;
    }
    return 0;
}
