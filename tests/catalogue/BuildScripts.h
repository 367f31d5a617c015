#pragma once

#include <string>

namespace lumarc::test {

// A small catalogue with every record kind, three outline levels and a heading without record.
inline const char* const kDemoScript =
    "\xEF\xBB\xBF"
    "Kopfzeilen ausserhalb von Datensätzen zählen nicht.\r\n"
    "OUTLINE [Gliederung] 01.05.96 {\r\n"
    "Willkommen [willkommen]\r\n"
    "Komponenten\r\n"
    "  Tabellen\r\n"
    "    Raster [Raster]\r\n"
    "  Packer [PACKER]\r\n"
    "}\r\n"
    "INFOTEXT [Willkommen] 24.12.95 {\r\n"
    "<F1>Willkommen – 10 €\r\n"
    "<F0>Text\r\n"
    "}\r\n"
    "SHORTTEXT [Packer] 10.06.96 {\r\n"
    "D:\\COMPS\\PACKER.ZIP\r\n"
    "┌─┐ Größe\r\n"
    "}\r\n"
    "COMPONENT [Raster] {\r\n"
    "[LongName]\r\n"
    "Raster & Gitter\r\n"
    "[Rating]\r\n"
    "7\r\n"
    "}\r\n";

}  // namespace lumarc::test
