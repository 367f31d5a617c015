#pragma once
// The component body described once: its fields in stored order, each with its kind, its name in
// the dump, its section in a source script and its place in the searchable text. Reading,
// writing, building, searching and dumping a component all walk this table, so a new field is
// one row here plus the places that show it.

#include <cstdint>
#include <string>

#include "CompoText.h"
#include "StringList.h"

namespace lumarc {

enum class TFieldKind : uint8_t { fkString, fkByte, fkList };

// How a source script's section gives the field's value.
enum class TSectionValue : uint8_t {
    svLine,           // the line below the header, cut to 255 characters
    svLines,          // the lines below the header up to the next "[" line
    svShownLines,     // the same with "&" doubled: the component page draws "&&" as "&"
    svKeyWords,       // the line below split into upper-case words, "&" doubled
    svCompilerFlags,  // the compiler words of the line below as TCompoText::TCompilerFlag bits
    svNumber,         // the line below as a whole number, its low 8 bits; 0 when it is none
};

struct TComponentField {
    const char* Key;  // the dump's name
    TFieldKind Kind;
    const char* Section;  // the header a source script gives it under
    TSectionValue Value;
    // Where GetText puts the field's lines, from 1; 0 when the search does not read it.
    int TextRank;
    std::string TCompoText::*Text;
    uint8_t TCompoText::*Byte;
    TStringList TCompoText::*List;

    constexpr bool Searched() const { return TextRank > 0; }
    // Stored with "&" doubled, and searched as the page shows it, with "&&" read as "&".
    constexpr bool AmpersandsDoubled() const
    {
        return Value == TSectionValue::svShownLines || Value == TSectionValue::svKeyWords;
    }
};

namespace component_field {

constexpr TComponentField Text(const char* key, std::string TCompoText::*field, const char* section, int textRank = 0)
{
    return {key, TFieldKind::fkString, section, TSectionValue::svLine, textRank, field, nullptr, nullptr};
}
constexpr TComponentField Byte(const char* key, uint8_t TCompoText::*field, const char* section, TSectionValue value)
{
    return {key, TFieldKind::fkByte, section, value, 0, nullptr, field, nullptr};
}
constexpr TComponentField List(const char* key, TStringList TCompoText::*field, const char* section,
                               TSectionValue value, int textRank = 0)
{
    return {key, TFieldKind::fkList, section, value, textRank, nullptr, nullptr, field};
}

}  // namespace component_field

// Stored order. "Contact" is stored before "Order".
inline constexpr TComponentField kComponentFields[] = {
    component_field::Text("shortName", &TCompoText::ShortName, "[ShortName]"),
    component_field::Text("longName", &TCompoText::LongName, "[LongName]", 6),
    component_field::Text("fileName", &TCompoText::FileName, "[FileName]", 7),
    component_field::Text("version", &TCompoText::Version, "[Version]"),
    component_field::Text("lastReview", &TCompoText::LastReview, "[LastReview]"),
    component_field::Text("copyright", &TCompoText::Copyright, "[Copyright]"),
    component_field::Text("os", &TCompoText::OS, "[OS]"),
    component_field::Text("distribution", &TCompoText::Distribution, "[Distribution]"),
    component_field::Text("limitations", &TCompoText::Limitations, "[Limitations]"),
    component_field::Text("price", &TCompoText::Price, "[Price]"),
    component_field::Byte("rating", &TCompoText::Rating, "[Rating]", TSectionValue::svNumber),
    component_field::Byte("language", &TCompoText::Language, "[Language]", TSectionValue::svNumber),
    component_field::Byte("compiler", &TCompoText::Compiler, "Compiler", TSectionValue::svCompilerFlags),
    component_field::List("keyWords", &TCompoText::KeyWords, "[KeyWords]", TSectionValue::svKeyWords, 1),
    component_field::List("shortInfo", &TCompoText::ShortInfo, "[ShortInfo]", TSectionValue::svShownLines, 3),
    component_field::List("longInfo", &TCompoText::LongInfo, "[LongInfo]", TSectionValue::svLines, 2),
    component_field::List("installation", &TCompoText::Installation, "[Installation]", TSectionValue::svLines, 5),
    component_field::List("review", &TCompoText::Review, "[Review]", TSectionValue::svLines, 4),
    component_field::List("documentation", &TCompoText::Documentation, "[Documentation]", TSectionValue::svLines),
    component_field::List("contact", &TCompoText::Contact, "[Contact]", TSectionValue::svShownLines),
    component_field::List("order", &TCompoText::Order, "[Order]", TSectionValue::svShownLines),
};

inline constexpr size_t kComponentFieldCount = std::size(kComponentFields);

}  // namespace lumarc
