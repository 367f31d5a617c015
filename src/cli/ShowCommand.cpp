#include <iostream>

#include "Commands.h"
#include "OpenCatalogue.h"
#include "platform/CodePage.h"
#include "print/core/EntryLines.h"

namespace lumarc {

int RunShow(const std::string& catalogue, const std::string& entryText)
{
    const TOpenEntry given = OpenCatalogueAtEntry(catalogue, entryText);
    if (given.Status != 0)
        return given.Status;
    const std::unique_ptr<TOpenCatalogue>& opened = given.Opened;
    const int entry = given.Entry;
    TEntryLines lines;
    try {
        lines = ReadEntryLines(opened->Container, opened->TreeData, entry);
    } catch (const std::exception& e) {
        std::cerr << e.what() << '\n';
        return 1;
    }
    // Short texts below their file name line are OEM text.
    const bool oem = lines.Kind == TRecordKind::rkShort;
    for (const std::string& line : lines.Lines.Strings())
        std::cout << (oem ? Cp850ToUtf8(line) : Cp1252ToUtf8(line)) << '\n';
    return 0;
}

}  // namespace lumarc
