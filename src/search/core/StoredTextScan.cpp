#include "StoredTextScan.h"

#include <algorithm>

#if defined(__x86_64__)
#include <immintrin.h>
#elif defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "QueryParser.h"
#include "catalogue/LZWFilter.h"
#include "catalogue/MappedFile.h"
#include "catalogue/RecordRef.h"
#include "platform/CodePage.h"

namespace lumarc {

// A term's bytes as stored. Without the case rule a letter's two cases differ in bit 5 alone,
// stored too (the key leaves that bit alone), so the bit is set in the needle and in every
// stored byte compared with a letter of it.
struct TStoredTextScan::TForm {
    std::string Needle;
    std::string Fold;  // 0x20 where the needle holds a letter and the case does not count
};

namespace {

static_assert((kFilterKey & 0x20) == 0, "the case bit must survive the record filter");

TStoredTextScan::TForm FormOf(const std::string& term, bool caseSensitive)
{
    TStoredTextScan::TForm form;
    form.Needle.resize(term.size());
    form.Fold.assign(term.size(), '\0');
    for (size_t i = 0; i < term.size(); ++i) {
        const auto byte = static_cast<unsigned char>(term[i]);
        const bool letter = !caseSensitive && byte >= 'A' && byte <= 'Z';
        form.Fold[i] = letter ? '\x20' : '\0';
        form.Needle[i] = static_cast<char>((byte ^ kFilterKey) | (letter ? 0x20 : 0));
    }
    return form;
}

bool SameAt(const uint8_t* at, const TStoredTextScan::TForm& form)
{
    for (size_t i = 0; i < form.Needle.size(); ++i)
        if ((at[i] | static_cast<uint8_t>(form.Fold[i])) != static_cast<uint8_t>(form.Needle[i]))
            return false;
    return true;
}

// The first and last byte of a needle, compared with a block of starts at a time: only where
// both agree is the rest compared.
struct TEnds {
    uint8_t First, FirstFold, Last, LastFold;
    size_t LastAt;
};

TEnds EndsOf(const TStoredTextScan::TForm& form)
{
    const size_t last = form.Needle.size() - 1;
    return {static_cast<uint8_t>(form.Needle[0]), static_cast<uint8_t>(form.Fold[0]),
            static_cast<uint8_t>(form.Needle[last]), static_cast<uint8_t>(form.Fold[last]), last};
}

// Starts whose first and last bytes agree: bit i stands for start From + i.
struct TBlock {
    size_t From;
    unsigned Bits;
};

// Where the block of `width` starts from `at` lies. One that would pass `to` is moved back to end
// there, the starts looked at before left out of `wanted`, so that no start is looked at byte by
// byte. `to` >= `width`.
template <size_t width>
void PlaceBlock(size_t at, size_t to, TBlock& block, unsigned& wanted)
{
    constexpr unsigned kAll = width == 32 ? ~0u : (1u << width) - 1;
    block.From = at;
    wanted = kAll;
    if (at + width > to) {
        block.From = to - width;
        wanted = (kAll << (at - block.From)) & kAll;
    }
}

// NextBlock: the first block from `at` on holding a start whose first and last bytes agree, `at`
// moved past it; Bits 0 when none is left. One call runs over the blocks until then, so that the
// wide registers are loaded once for them and no call from code of another instruction set
// stands between them (a call per block made the AVX2 loop slower than the SSE2 one).
#if defined(__x86_64__)
struct TEndsAvx2 {
    __m256i First, FirstBit, Last, LastBit;
    size_t LastAt;
};

// 0xff for each of the 32 starts from `from` whose first and last bytes agree.
__attribute__((target("avx2"), always_inline)) inline __m256i AgreeAvx2(const uint8_t* from, const TEndsAvx2& ends)
{
    const __m256i a = _mm256_or_si256(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(from)), ends.FirstBit);
    const __m256i b =
        _mm256_or_si256(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(from + ends.LastAt)), ends.LastBit);
    return _mm256_and_si256(_mm256_cmpeq_epi8(a, ends.First), _mm256_cmpeq_epi8(b, ends.Last));
}

// Thirty-two starts at a time where the processor has AVX2 (most since 2013); the build
// targets every x86-64, so it is chosen at run time.
__attribute__((target("avx2"))) TBlock NextBlockAvx2(const uint8_t* bytes, size_t& at, size_t to, const TEnds& ends)
{
    // In registers: stored through its reference, `at` would be written back and the needle's
    // length read again for every block, since the loads of bytes might see them.
    const TEndsAvx2 wide{_mm256_set1_epi8(static_cast<char>(ends.First)),
                         _mm256_set1_epi8(static_cast<char>(ends.FirstFold)),
                         _mm256_set1_epi8(static_cast<char>(ends.Last)),
                         _mm256_set1_epi8(static_cast<char>(ends.LastFold)), ends.LastAt};
    size_t next = at;
    // Two blocks to a test while both lie before `to`; the one that holds a start is then placed
    // below like any other.
    for (; next + 64 <= to; next += 64) {
        const __m256i both = _mm256_or_si256(AgreeAvx2(bytes + next, wide), AgreeAvx2(bytes + next + 32, wide));
        if (!_mm256_testz_si256(both, both))
            break;
    }
    TBlock block{to, 0};
    for (; next < to; next += 32) {
        unsigned wanted;
        PlaceBlock<32>(next, to, block, wanted);
        block.Bits = wanted & static_cast<unsigned>(_mm256_movemask_epi8(AgreeAvx2(bytes + block.From, wide)));
        if (block.Bits != 0) {
            next += 32;
            break;
        }
    }
    at = next;
    return block;
}

// Sixty-four starts to a test where the processor has AVX-512 (BW): the loop over blocks that
// hold no start, the rest as with AVX2.
__attribute__((target("avx2,avx512bw"))) TBlock NextBlockAvx512(const uint8_t* bytes, size_t& at, size_t to,
                                                                  const TEnds& ends)
{
    const __m512i first = _mm512_set1_epi8(static_cast<char>(ends.First));
    const __m512i firstBit = _mm512_set1_epi8(static_cast<char>(ends.FirstFold));
    const __m512i last = _mm512_set1_epi8(static_cast<char>(ends.Last));
    const __m512i lastBit = _mm512_set1_epi8(static_cast<char>(ends.LastFold));
    const size_t lastAt = ends.LastAt;
    size_t next = at;
    for (; next + 64 <= to; next += 64) {
        const __m512i a = _mm512_or_si512(_mm512_loadu_si512(bytes + next), firstBit);
        const __m512i b = _mm512_or_si512(_mm512_loadu_si512(bytes + next + lastAt), lastBit);
        if ((_mm512_cmpeq_epi8_mask(a, first) & _mm512_cmpeq_epi8_mask(b, last)) != 0)
            break;
    }
    at = next;
    return NextBlockAvx2(bytes, at, to, ends);
}

const bool kHasAvx512 = [] {
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx512bw") != 0;
}();

const bool kHasAvx2 = [] {
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2") != 0;
}();
#endif

#if defined(__SSE2__)
TBlock NextBlockSse2(const uint8_t* bytes, size_t& at, size_t to, const TEnds& ends)
{
    const __m128i first = _mm_set1_epi8(static_cast<char>(ends.First));
    const __m128i firstBit = _mm_set1_epi8(static_cast<char>(ends.FirstFold));
    const __m128i lastOne = _mm_set1_epi8(static_cast<char>(ends.Last));
    const __m128i lastBit = _mm_set1_epi8(static_cast<char>(ends.LastFold));
    const size_t lastAt = ends.LastAt;  // in registers, as above
    size_t next = at;
    TBlock block{to, 0};
    for (; next < to; next += 16) {
        unsigned wanted;
        PlaceBlock<16>(next, to, block, wanted);
        const __m128i a =
            _mm_or_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + block.From)), firstBit);
        const __m128i b =
            _mm_or_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + block.From + lastAt)), lastBit);
        block.Bits = wanted & static_cast<unsigned>(
                                  _mm_movemask_epi8(_mm_and_si128(_mm_cmpeq_epi8(a, first), _mm_cmpeq_epi8(b, lastOne))));
        if (block.Bits != 0) {
            next += 16;
            break;
        }
    }
    at = next;
    return block;
}
#endif

// Whether the needle lies somewhere within bytes[0, size) where `accepted` takes it.
// `widest`: the widest vectors, in bytes, to use where the processor has them.
template <typename TAccepted>
bool AnyPlace(const uint8_t* bytes, size_t size, const TStoredTextScan::TForm& form, size_t widest,
              TAccepted accepted)
{
    const size_t length = form.Needle.size();
    if (length == 0 || size < length)
        return false;
    const size_t to = size - length + 1;  // the starts there are
    const TEnds ends = EndsOf(form);
    TBlock (*next)(const uint8_t*, size_t&, size_t, const TEnds&) = nullptr;
#if defined(__SSE2__)
    if (widest >= 16 && to >= 16)
        next = NextBlockSse2;
#endif
#if defined(__x86_64__)
    if (widest >= 32 && kHasAvx2 && to >= 32)
        next = widest >= 64 && kHasAvx512 ? NextBlockAvx512 : NextBlockAvx2;
#endif
    if (!next) {
        for (size_t at = 0; at < to; ++at)
            if ((bytes[at] | ends.FirstFold) == ends.First && (bytes[at + ends.LastAt] | ends.LastFold) == ends.Last &&
                SameAt(bytes + at, form) && accepted(at))
                return true;
        return false;
    }
    for (size_t at = 0; at < to;) {
        for (TBlock block = next(bytes, at, to, ends); block.Bits != 0; block.Bits &= block.Bits - 1) {
            const size_t start = block.From + static_cast<size_t>(__builtin_ctz(block.Bits));
            if (SameAt(bytes + start, form) && accepted(start))
                return true;
        }
    }
    return false;
}

}  // namespace

TStoredTextScan::~TStoredTextScan() = default;

std::shared_ptr<const TStoredTextScan> TStoredTextScan::Make(const std::string& dataFileName, const std::string& query,
                                                             bool caseSensitive, size_t widest)
{
    return Make(TMappedFile::Open(dataFileName), query, caseSensitive, widest);
}

std::shared_ptr<const TStoredTextScan> TStoredTextScan::Make(std::shared_ptr<const TMappedFile> data,
                                                             const std::string& query, bool caseSensitive,
                                                             size_t widest)
{
    if (!data)
        return nullptr;
    TStringList terms;
    ParseQuery(query, caseSensitive, terms);
    std::shared_ptr<TStoredTextScan> scan(new TStoredTextScan);
    scan->FWidest = widest;
    for (int i = 0; i < terms.Count(); ++i) {
        const std::string& term = terms[i];
        if (term.find_first_of("&\n") != std::string::npos)
            return nullptr;
        scan->FOperators.push_back(terms.Objects(i));
        if (term.empty()) {
            scan->FAnsiForm.push_back(-1);
            scan->FOemForm.push_back(-1);
            continue;
        }
        scan->FAnsiForm.push_back(static_cast<int>(scan->FForms.size()));
        scan->FForms.push_back(FormOf(term, caseSensitive));
        std::string oem;
        if (!Utf8ToCp850(Cp1252ToUtf8(term), oem)) {
            scan->FOemForm.push_back(-1);
        } else if (oem == term) {
            scan->FOemForm.push_back(scan->FAnsiForm.back());
        } else {
            scan->FOemForm.push_back(static_cast<int>(scan->FForms.size()));
            scan->FForms.push_back(FormOf(oem, caseSensitive));
        }
    }

    scan->FData = reinterpret_cast<const uint8_t*>(data->Bytes().data());
    scan->FSize = data->Bytes().size();
    scan->FFile = std::move(data);
    return scan;
}

bool TStoredTextScan::Found(size_t term, const uint8_t* body, bool shortText, const TStoredLines& lines) const
{
    // A short text's lines below its first are CP850 text; they follow the first, each behind
    // its length byte.
    for (const bool oem : {false, true}) {
        const int formIndex = oem ? FOemForm[term] : FAnsiForm[term];
        if (formIndex < 0 || (oem && !(shortText && lines.LineCount > 1)))
            continue;
        const size_t firstLine = oem ? 1 : 0;
        const size_t endLine = shortText && !oem ? 1 : lines.LineCount;
        const size_t lowest = oem ? size_t{lines.FirstEnd} + 1 : lines.Start;
        const size_t highest = shortText && !oem ? lines.FirstEnd : lines.End;
        if (lowest >= highest)
            continue;
        // The bytes from the first line to the last, the length bytes between them too: a place
        // counts when it lies within one line.
        const TForm& form = FForms[static_cast<size_t>(formIndex)];
        const size_t length = form.Needle.size();
        const auto inOneLine = [&](size_t at) {
            return lines.WithinOneLine(body, lowest + at, length, firstLine, endLine);
        };
        if (AnyPlace(body + lowest, highest - lowest, form, FWidest, inOneLine))
            return true;
    }
    return false;
}

TStoredTextScan::TVerdict TStoredTextScan::Match(int32_t ref, TStoredLines& lines, std::string& firstLine) const
{
    firstLine.clear();
    const TRecordKind kind = RecordKindOf(ref);
    if (kind == TRecordKind::rkNone)
        return TVerdict::vNoHit;
    const int64_t offset = RecordOffsetOf(ref);
    if (offset < 0 || static_cast<uint64_t>(offset) >= FSize)
        return TVerdict::vUnread;
    const auto* body = FData + offset;
    const std::string_view stored(reinterpret_cast<const char*>(body), FSize - static_cast<size_t>(offset));
    const bool shortText = kind == TRecordKind::rkShort;
    if (!StoredSearchableLines(kind, stored, lines))
        return TVerdict::vUnread;
    if (lines.LineCount == 0)
        return TVerdict::vNoHit;
    // Left to right, as the matcher combines them; a term that cannot change the result is
    // passed over.
    bool result = false;
    for (size_t i = 0; i < FOperators.size(); ++i) {
        const int32_t op = i == 0 ? soNone : FOperators[i - 1];
        if ((op == soAnd && !result) || (op == soOr && result))
            continue;
        result = Found(i, body, shortText, lines);
    }
    if (!result)
        return TVerdict::vNoHit;
    if (shortText) {
        firstLine.assign(reinterpret_cast<const char*>(body) + lines.Start, lines.FirstEnd - lines.Start);
        FilterBytes(firstLine.data(), static_cast<int64_t>(firstLine.size()));
    }
    return TVerdict::vHit;
}

}  // namespace lumarc
