#pragma once
// The primitive encodings every record body is made of, written and read in sequence with no
// alignment: int32 (4 bytes little-endian), byte, short string (length byte + text, at most
// 255 bytes), string list (int32 count + short strings), int32 block (int32 count + values),
// and the tagged string of the component record (tag 6 + length byte, or tag 12 + int32
// length, then the text). A count or length taken from the data is checked against what is
// left to read before anything is allocated, so a corrupt body fails at once with
// "Stream read error".

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "CaptionList.h"
#include "Reader.h"
#include "StringList.h"
#include "Writer.h"

namespace lumarc {

inline constexpr uint8_t kTagString = 6;
inline constexpr uint8_t kTagLString = 12;
inline constexpr size_t kMaxShortString = 255;

int32_t ReadInt32(TReader& reader);
uint8_t ReadByte(TReader& reader);
std::string ReadShortString(TReader& reader);
// Clears the list, then appends the strings; a count of 0 or below reads nothing more.
void ReadStringList(TReader& reader, TStringList& list);
void ReadStringList(TReader& reader, TCaptionList& list);
// A negative count is a read error; the values are read as one block.
std::vector<int32_t> ReadInt32Block(TReader& reader);
// Reads `count` int32 values as one block.
std::vector<int32_t> ReadInt32s(TReader& reader, int64_t count);
// Keeps the first 255 bytes; a tag other than 6 or 12 raises EPropertyError
// "Invalid property value".
std::string ReadTaggedString(TReader& reader);

// The same reads appended to one text, for a reader that wants the bytes and no strings.
void AppendShortString(TReader& reader, std::string& out);
void AppendTaggedString(TReader& reader, std::string& out);
// Appends each string of a string list followed by '\n' (noting where each starts when asked)
// and returns how many there were.
int32_t AppendStringList(TReader& reader, std::string& out, std::vector<size_t>* lineStarts = nullptr);

void WriteInt32(TWriter& writer, int32_t value);
void WriteByte(TWriter& writer, uint8_t value);
// Texts longer than 255 bytes are cut to their first 255.
void WriteShortString(TWriter& writer, std::string_view text);
void WriteStringList(TWriter& writer, const TStringList& list);
void WriteStringList(TWriter& writer, const TCaptionList& list);
void WriteInt32Block(TWriter& writer, const std::vector<int32_t>& values);
void WriteInt32s(TWriter& writer, const std::vector<int32_t>& values);
// Always the short form (tag 6); texts are cut to 255 bytes.
void WriteTaggedString(TWriter& writer, const std::string& text);

// Little-endian helpers for fixed layouts outside record bodies (file header, index entries).
inline int32_t GetInt32LE(const uint8_t* p)
{
    return static_cast<int32_t>(static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
                                static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24);
}
int16_t GetInt16LE(const uint8_t* p);
void PutInt32LE(uint8_t* p, int32_t value);
void PutInt16LE(uint8_t* p, int16_t value);

}  // namespace lumarc
