#include "Coding.h"

#include <algorithm>

#include "platform/Exception.h"

namespace lumarc {

int16_t GetInt16LE(const uint8_t* p)
{
    return static_cast<int16_t>(static_cast<uint16_t>(p[0] | p[1] << 8));
}

void PutInt32LE(uint8_t* p, int32_t value)
{
    const auto v = static_cast<uint32_t>(value);
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
    p[2] = static_cast<uint8_t>(v >> 16);
    p[3] = static_cast<uint8_t>(v >> 24);
}

void PutInt16LE(uint8_t* p, int16_t value)
{
    const auto v = static_cast<uint16_t>(value);
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
}

int32_t ReadInt32(TReader& reader)
{
    uint8_t bytes[4];
    reader.Read(bytes, 4);
    return GetInt32LE(bytes);
}

uint8_t ReadByte(TReader& reader)
{
    uint8_t b;
    reader.Read(&b, 1);
    return b;
}

namespace {

void AppendText(TReader& reader, int64_t length, std::string& out)
{
    // Most texts are short and already buffered; this spares the zero fill and the copy loop
    // that cost more than the bytes themselves.
    if (const char* bytes = reader.TakeBuffered(length)) {
        auto size = static_cast<size_t>(length);
#if defined(__GNUC__)
        // Where the length is a byte, GCC knows it below 256 and copies inline with `rep movsq`,
        // whose start costs more than a short text: it took half the time of loading a large
        // outline. Hiding the bound leaves the copy to libc's memcpy.
        asm("" : "+r"(size));
#endif
        out.append(bytes, size);
        return;
    }
    if (length > reader.Remaining())
        throw EReadError(SReadError);
    const size_t at = out.size();
    out.resize(at + static_cast<size_t>(length));
    reader.Read(out.data() + at, length);
}

// How many texts of a large list are read before its buffer is sized from them.
constexpr int32_t kTextSample = 256;

// A string list's count, 0 for none or below; every short string takes at least its length
// byte, so a count beyond the bytes left is a read error before anything is allocated.
int32_t ReadStringCount(TReader& reader)
{
    const int32_t count = ReadInt32(reader);
    if (count <= 0)
        return 0;
    if (count > reader.Remaining())
        throw EReadError(SReadError);
    return count;
}

}  // namespace

std::string ReadShortString(TReader& reader)
{
    std::string text;
    AppendShortString(reader, text);
    return text;
}

void AppendShortString(TReader& reader, std::string& out)
{
    AppendText(reader, ReadByte(reader), out);
}

int32_t AppendStringList(TReader& reader, std::string& out, std::vector<size_t>* lineStarts)
{
    const int32_t count = ReadStringCount(reader);
    for (int32_t i = 0; i < count; ++i) {
        if (lineStarts)
            lineStarts->push_back(out.size());
        AppendShortString(reader, out);
        out += '\n';
    }
    return count;
}

void ReadStringList(TReader& reader, TStringList& list)
{
    list.Clear();
    const int32_t count = ReadStringCount(reader);
    list.Reserve(count);
    for (int32_t i = 0; i < count; ++i)
        list.Add(ReadShortString(reader));
}

void ReadStringList(TReader& reader, TCaptionList& list)
{
    list.Clear();
    const int32_t count = ReadStringCount(reader);
    std::string chars;
    std::vector<uint32_t> ends;
    ends.reserve(static_cast<size_t>(count));
    for (int32_t i = 0; i < count; ++i) {
        // Growing the one buffer by doubling would copy, and touch afresh, what was read so
        // far again and again; a large outline is read noticeably faster when the buffer is
        // sized once from its first texts (never beyond what is left to read).
        if (i == kTextSample) {
            const auto sampled = static_cast<int64_t>(chars.size());
            const int64_t estimate = sampled * count / kTextSample * 5 / 4;
            chars.reserve(static_cast<size_t>(std::min(estimate, sampled + reader.Remaining())));
        }
        AppendShortString(reader, chars);
        ends.push_back(static_cast<uint32_t>(chars.size()));
    }
    list.Assign(std::move(chars), std::move(ends));
}

std::vector<int32_t> ReadInt32s(TReader& reader, int64_t count)
{
    if (count < 0 || count > reader.Remaining() / 4)
        throw EReadError(SReadError);
    // Read into the values themselves and decoded in place: an outline's lists are large
    // enough for a second buffer to show at start-up.
    std::vector<int32_t> values(static_cast<size_t>(count));
    reader.Read(values.data(), count * 4);
    auto* raw = reinterpret_cast<const uint8_t*>(values.data());
    for (size_t i = 0; i < values.size(); ++i)
        values[i] = GetInt32LE(raw + 4 * i);
    return values;
}

std::vector<int32_t> ReadInt32Block(TReader& reader)
{
    return ReadInt32s(reader, ReadInt32(reader));
}

std::string ReadTaggedString(TReader& reader)
{
    std::string text;
    AppendTaggedString(reader, text);
    return text;
}

void AppendTaggedString(TReader& reader, std::string& out)
{
    const uint8_t tag = ReadByte(reader);
    int64_t length;
    if (tag == kTagString)
        length = ReadByte(reader);
    else if (tag == kTagLString)
        length = ReadInt32(reader);
    else
        throw EPropertyError(SInvalidProperty);
    if (length <= 0)
        return;
    const size_t at = out.size();
    AppendText(reader, length, out);
    if (out.size() - at > kMaxShortString)
        out.resize(at + kMaxShortString);
}

void WriteInt32(TWriter& writer, int32_t value)
{
    uint8_t bytes[4];
    PutInt32LE(bytes, value);
    writer.Write(bytes, 4);
}

void WriteByte(TWriter& writer, uint8_t value)
{
    writer.Write(&value, 1);
}

void WriteShortString(TWriter& writer, std::string_view text)
{
    const size_t length = text.size() < kMaxShortString ? text.size() : kMaxShortString;
    WriteByte(writer, static_cast<uint8_t>(length));
    writer.Write(text.data(), static_cast<int64_t>(length));
}

void WriteStringList(TWriter& writer, const TStringList& list)
{
    WriteInt32(writer, list.Count());
    for (const std::string& s : list.Strings())
        WriteShortString(writer, s);
}

void WriteStringList(TWriter& writer, const TCaptionList& list)
{
    WriteInt32(writer, list.Count());
    for (int i = 0; i < list.Count(); ++i)
        WriteShortString(writer, list[i]);
}

void WriteInt32s(TWriter& writer, const std::vector<int32_t>& values)
{
    std::vector<uint8_t> raw(values.size() * 4);
    for (size_t i = 0; i < values.size(); ++i)
        PutInt32LE(raw.data() + 4 * i, values[i]);
    writer.Write(raw.data(), static_cast<int64_t>(raw.size()));
}

void WriteInt32Block(TWriter& writer, const std::vector<int32_t>& values)
{
    WriteInt32(writer, static_cast<int32_t>(values.size()));
    WriteInt32s(writer, values);
}

void WriteTaggedString(TWriter& writer, const std::string& text)
{
    WriteByte(writer, kTagString);
    WriteShortString(writer, text);
}

}  // namespace lumarc
