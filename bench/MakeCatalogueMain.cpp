// lumarc-make-catalogue N OUTDIR: writes a synthetic catalogue of N entries to OUTDIR/Data.

#include <charconv>
#include <cstring>
#include <iostream>
#include <string>

#include "SyntheticCatalogue.h"

int main(int argc, char** argv)
{
    int count = 0;
    if (argc != 3 || std::from_chars(argv[1], argv[1] + std::strlen(argv[1]), count).ec != std::errc() || count < 1) {
        std::cerr << "Aufruf: make-catalogue N ZIELVERZEICHNIS\n";
        return 2;
    }
    try {
        lumarc::TSyntheticCatalogue::Write(count, argv[2]);
    } catch (const std::exception& e) {
        std::cerr << e.what() << '\n';
        return 1;
    }
    std::cout << argv[2] << '\n';
    return 0;
}
