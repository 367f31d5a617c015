#include <iostream>

#include "Commands.h"
#include "OpenCatalogue.h"
#include "platform/CodePage.h"
#include "print/core/EntryLines.h"

namespace lumarc {

int RunShow(const std::string& catalogue, const std::string& entryText)
{
    int entry = 0;
    if (!ParseEntryNumber(entryText, entry)) {
        std::cerr << "Ungültige Eintragsnummer: " << entryText << '\n';
        return 2;
    }
    const std::unique_ptr<TOpenCatalogue> opened = OpenCatalogue(catalogue);
    if (!opened)
        return 1;
    // A number the outline does not have is a wrong call, as a negative one is.
    if (entry >= opened->TreeData.Count()) {
        std::cerr << "Ungültige Eintragsnummer: " << entryText << " (der Katalog hat die Einträge 0 bis "
                  << opened->TreeData.Count() - 1 << ")\n";
        return 2;
    }
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
