#include "SearchableText.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <utility>

#include "Coding.h"
#include "ComponentFields.h"
#include "LZWFilter.h"
#include "StoredBytes.h"

namespace lumarc {

namespace {

// Key words and short info are stored with doubled ampersands for the component page's
// drawing, which shows "&&" as "&"; they are searched as shown. Collapses lines
// [first, last) of the text in place; the lines after them move up.
void CollapseShownAmpersands(std::string& text, std::vector<size_t>& lineStarts, size_t first, size_t last)
{
    if (first >= last)
        return;
    const size_t begin = lineStarts[first];
    const size_t end = last < lineStarts.size() ? lineStarts[last] : text.size();
    if (::memmem(text.data() + begin, end - begin, "&&", 2) == nullptr)
        return;
    size_t out = begin;
    size_t line = first + 1;
    for (size_t in = begin; in < end; ++in) {
        for (; line < last && lineStarts[line] == in; ++line)
            lineStarts[line] = out;
        const char c = text[in];
        text[out++] = c;
        // The second "&" of a pair is never a line's first byte: a line end stands before that.
        if (c == '&' && in + 1 < end && text[in + 1] == '&')
            ++in;
    }
    const size_t removed = end - out;
    text.erase(out, removed);
    for (size_t i = last; i < lineStarts.size(); ++i)
        lineStarts[i] -= removed;
}

// The line ranges of the searched lists stored with doubled ampersands.
struct TShownRanges {
    std::array<std::pair<size_t, size_t>, kComponentFieldCount> Ranges;
    size_t Count = 0;

    void Add(const TComponentField& field, size_t first, size_t last)
    {
        if (field.AmpersandsDoubled())
            Ranges[Count++] = {first, last};
    }
    void Collapse(std::string& text, std::vector<size_t>& lineStarts) const
    {
        for (size_t i = 0; i < Count; ++i)
            CollapseShownAmpersands(text, lineStarts, Ranges[i].first, Ranges[i].second);
    }
};

// The searched lists in stored order, then the searched strings in stored order.
void AppendComponentText(TReader& reader, std::string& text, std::vector<size_t>& lineStarts)
{
    std::array<std::string, kComponentFieldCount> strings;
    size_t stringCount = 0;
    std::string skipped;
    TShownRanges shown;
    for (const TComponentField& field : kComponentFields) {
        switch (field.Kind) {
        case TFieldKind::fkString: {
            std::string& target = field.Searched() ? strings[stringCount++] : skipped;
            target.clear();
            AppendTaggedString(reader, target);
            break;
        }
        case TFieldKind::fkByte:
            ReadByte(reader);
            break;
        case TFieldKind::fkList:
            if (field.Searched()) {
                const size_t first = lineStarts.size();
                AppendStringList(reader, text, &lineStarts);
                shown.Add(field, first, lineStarts.size());
            } else {
                skipped.clear();
                AppendStringList(reader, skipped);
            }
            break;
        }
    }
    for (size_t i = 0; i < stringCount; ++i) {
        lineStarts.push_back(text.size());
        text += strings[i];
        text += '\n';
    }
    shown.Collapse(text, lineStarts);
}

// Walks a stored body in memory. Lines are copied still scrambled, each followed by a
// scrambled '\n', and the whole text is unscrambled in one pass at the end. Given `runs`, it
// copies nothing and notes where the runs of lines lie in the body instead.
class TStoredBody : public TStoredBytes {
public:
    static constexpr char kStoredLineEnd = static_cast<char>('\n' ^ kFilterKey);

    TStoredBody(std::string_view stored, std::string& text, std::vector<size_t>& lineStarts,
                TStoredLines* runs = nullptr)
        : TStoredBytes(stored),
          FText(text),
          FLineStarts(lineStarts),
          FRuns(runs),
          FTextStart(text.size()),
          FLineCount(lineStarts.size())
    {
    }

    // A string list, its lines kept or passed over. The stored lines lie one after the other,
    // each behind its length byte: kept, they are copied as one run, and the length bytes
    // between them become the line ends.
    bool StringList(bool keep)
    {
        int32_t count;
        if (!Int32(count))
            return false;
        if (count <= 0)
            return true;
        const uint8_t* first = FNext + 1;
        if (!keep || FRuns) {
            const uint8_t firstLength = FNext < FEnd ? *FNext ^ kFilterKey : 0;
            if (!PassLines(count))
                return false;
            if (keep)
                AddRun(first, FNext, static_cast<uint32_t>(count), firstLength);
            return true;
        }
        const size_t base = FText.size();
        const size_t lineCount = FLineStarts.size();
        for (int32_t i = 0; i < count; ++i) {
            uint8_t length;
            if (!Byte(length) || FEnd - FNext < length)
                return false;
            FLineStarts.push_back(base + static_cast<size_t>(FNext - first));
            FNext += length;
        }
        FText.append(reinterpret_cast<const char*>(first), static_cast<size_t>(FNext - first));
        FText += kStoredLineEnd;
        for (size_t i = lineCount + 1; i < FLineStarts.size(); ++i)
            FText[FLineStarts[i] - 1] = kStoredLineEnd;
        return true;
    }
    // A tagged string; `line` receives its stored (scrambled) bytes, cut to 255.
    bool TaggedString(std::string_view& line)
    {
        uint8_t tag;
        int64_t length;
        if (!Byte(tag))
            return false;
        if (tag == kTagString) {
            uint8_t shortLength;
            if (!Byte(shortLength))
                return false;
            length = shortLength;
        } else if (tag == kTagLString) {
            int32_t longLength;
            if (!Int32(longLength))
                return false;
            length = longLength;
        } else {
            return false;
        }
        if (length <= 0) {
            line = {reinterpret_cast<const char*>(FNext), 0};
            return true;
        }
        if (FEnd - FNext < length)
            return false;
        line = {reinterpret_cast<const char*>(FNext), std::min<size_t>(static_cast<size_t>(length), kMaxShortString)};
        FNext += length;
        return true;
    }
    void AddStoredLine(const char* stored, size_t length)
    {
        if (FRuns) {
            const auto* start = reinterpret_cast<const uint8_t*>(stored);
            AddRun(start, start + length, 0, length);
            return;
        }
        FLineStarts.push_back(FText.size());
        FText.append(static_cast<const char*>(stored), length);
        FText += kStoredLineEnd;
    }
    void Unscramble()
    {
        char* p = FText.data() + FTextStart;
        size_t left = FText.size() - FTextStart;
        constexpr uint64_t kKeys = 0x0101010101010101ull * kFilterKey;
        for (; left >= 8; p += 8, left -= 8) {
            uint64_t word;
            std::memcpy(&word, p, 8);
            word ^= kKeys;
            std::memcpy(p, &word, 8);
        }
        for (; left > 0; ++p, --left)
            *p = static_cast<char>(*p ^ kFilterKey);
    }
    size_t LineCount() const { return FRuns ? FRuns->LineCount : FLineStarts.size(); }
    void Undo()
    {
        FText.resize(FTextStart);
        FLineStarts.resize(FLineCount);
    }

private:
    // `count` lines from `first` to `last` (one line for 0), the first `firstLength` long.
    void AddRun(const uint8_t* first, const uint8_t* last, uint32_t count, size_t firstLength)
    {
        const auto start = static_cast<uint32_t>(first - FStart);
        const auto end = static_cast<uint32_t>(last - FStart);
        if (FRuns->Start == UINT32_MAX)
            FRuns->FirstEnd = start + static_cast<uint32_t>(firstLength);
        FRuns->Start = std::min(FRuns->Start, start);
        FRuns->End = std::max(FRuns->End, end);
        FRuns->Runs.push_back({start, end, count});
        FRuns->LineCount += count == 0 ? 1 : count;
    }

    std::string& FText;
    std::vector<size_t>& FLineStarts;
    TStoredLines* FRuns;
    size_t FTextStart;
    size_t FLineCount;
};

bool ReadStoredComponent(TStoredBody& body, TShownRanges& shown)
{
    std::array<std::string_view, kComponentFieldCount> strings;
    size_t stringCount = 0;
    for (const TComponentField& field : kComponentFields) {
        bool ok = true;
        switch (field.Kind) {
        case TFieldKind::fkString: {
            std::string_view value;
            ok = body.TaggedString(value);
            if (field.Searched())
                strings[stringCount++] = value;
            break;
        }
        case TFieldKind::fkByte:
            ok = body.Skip(1);
            break;
        case TFieldKind::fkList: {
            const size_t first = body.LineCount();
            ok = body.StringList(field.Searched());
            if (field.Searched())
                shown.Add(field, first, body.LineCount());
            break;
        }
        }
        if (!ok)
            return false;
    }
    for (size_t i = 0; i < stringCount; ++i)
        body.AddStoredLine(strings[i].data(), strings[i].size());
    return true;
}

}  // namespace

bool AppendSearchableText(TRecordKind kind, std::string_view stored, std::string& text,
                          std::vector<size_t>& lineStarts)
{
    TStoredBody body(stored, text, lineStarts);
    bool ok = true;
    TShownRanges shown;
    switch (kind) {
    case TRecordKind::rkInfo:
    case TRecordKind::rkShort: ok = body.StringList(true); break;
    case TRecordKind::rkComponent:
        ok = ReadStoredComponent(body, shown);
        break;
    case TRecordKind::rkNone: break;
    }
    if (!ok) {
        body.Undo();
        return false;
    }
    body.Unscramble();
    shown.Collapse(text, lineStarts);
    return true;
}

bool StoredSearchableLines(TRecordKind kind, std::string_view stored, TStoredLines& lines)
{
    lines.Runs.clear();
    lines.LineCount = 0;
    lines.Start = UINT32_MAX;
    lines.End = 0;
    lines.FirstEnd = 0;
    std::string text;
    std::vector<size_t> lineStarts;
    TStoredBody body(stored, text, lineStarts, &lines);
    TShownRanges shown;
    bool ok = true;
    switch (kind) {
    case TRecordKind::rkInfo:
    case TRecordKind::rkShort: ok = body.StringList(true); break;
    case TRecordKind::rkComponent: ok = ReadStoredComponent(body, shown); break;
    case TRecordKind::rkNone: break;
    }
    return ok;
}

bool TStoredLines::WithinOneLine(const uint8_t* stored, size_t at, size_t length, size_t firstLine,
                                 size_t endLine) const
{
    size_t line = 0;
    for (const TStoredRun& run : Runs) {
        const size_t lines = run.Count == 0 ? 1 : run.Count;
        if (line >= endLine)
            return false;
        if (line + lines <= firstLine || at < run.Start || at >= run.End) {
            line += lines;
            continue;
        }
        if (run.Count == 0)
            return at + length <= run.End;
        // The run's lines, each behind its length byte, up to the one `at` lies in.
        size_t start = run.Start;
        for (size_t i = 0; i < run.Count && start <= at; ++i, ++line) {
            const size_t end = start + (stored[start - 1] ^ kFilterKey);
            if (at < end)
                return line >= firstLine && line < endLine && at + length <= end;
            start = end + 1;
        }
        return false;  // on a length byte
    }
    return false;
}

void AppendSearchableText(TRecordKind kind, TReader& reader, std::string& text, std::vector<size_t>& lineStarts)
{
    switch (kind) {
    case TRecordKind::rkInfo:
    case TRecordKind::rkShort: AppendStringList(reader, text, &lineStarts); break;
    case TRecordKind::rkComponent: AppendComponentText(reader, text, lineStarts); break;
    case TRecordKind::rkNone: break;
    }
}

}  // namespace lumarc
