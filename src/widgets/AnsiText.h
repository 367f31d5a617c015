#pragma once
// Catalogue text at the edge of the screen: its bytes decoded once, where a widget shows them.

#include <QString>

#include <string_view>

namespace lumarc {

// CP1252 bytes, as every catalogue text but a short text's body is stored.
QString FromAnsi(std::string_view cp1252);
// CP850 bytes, as a short text's lines below its file name are stored.
QString FromOem(std::string_view cp850);

}  // namespace lumarc
