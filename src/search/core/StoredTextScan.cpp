#include "StoredTextScan.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <limits>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "QueryParser.h"
#include "catalogue/LZWFilter.h"
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

// Whether the needle lies somewhere within bytes[0, size) where `accepted` takes it.
template <typename TAccepted>
bool AnyPlace(const uint8_t* bytes, size_t size, const TStoredTextScan::TForm& form, TAccepted accepted)
{
    const size_t length = form.Needle.size();
    if (length == 0 || size < length)
        return false;
    const size_t to = size - length + 1;  // the starts there are
    const size_t last = length - 1;
    const auto firstByte = static_cast<uint8_t>(form.Needle[0]);
    const auto firstFold = static_cast<uint8_t>(form.Fold[0]);
    const auto lastByte = static_cast<uint8_t>(form.Needle[last]);
    const auto lastFold = static_cast<uint8_t>(form.Fold[last]);
    size_t at = 0;
#if defined(__SSE2__)
    // Sixteen starts at a time: the first and the last byte of the needle are compared in one
    // step each, and only where both agree is the rest compared.
    const __m128i first = _mm_set1_epi8(static_cast<char>(firstByte));
    const __m128i firstBit = _mm_set1_epi8(static_cast<char>(firstFold));
    const __m128i lastOne = _mm_set1_epi8(static_cast<char>(lastByte));
    const __m128i lastBit = _mm_set1_epi8(static_cast<char>(lastFold));
    for (; at + 16 <= to; at += 16) {
        const __m128i a = _mm_or_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + at)), firstBit);
        const __m128i b = _mm_or_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + at + last)), lastBit);
        auto bits = static_cast<unsigned>(
            _mm_movemask_epi8(_mm_and_si128(_mm_cmpeq_epi8(a, first), _mm_cmpeq_epi8(b, lastOne))));
        for (; bits != 0; bits &= bits - 1) {
            const size_t start = at + static_cast<size_t>(__builtin_ctz(bits));
            if (SameAt(bytes + start, form) && accepted(start))
                return true;
        }
    }
#endif
    for (; at < to; ++at)
        if ((bytes[at] | firstFold) == firstByte && (bytes[at + last] | lastFold) == lastByte &&
            SameAt(bytes + at, form) && accepted(at))
            return true;
    return false;
}

}  // namespace

TStoredTextScan::~TStoredTextScan()
{
    if (FData)
        ::munmap(const_cast<uint8_t*>(FData), FSize);
}

std::shared_ptr<const TStoredTextScan> TStoredTextScan::Make(const std::string& dataFileName, const std::string& query,
                                                             bool caseSensitive)
{
    TStringList terms;
    ParseQuery(query, caseSensitive, terms);
    std::shared_ptr<TStoredTextScan> scan(new TStoredTextScan);
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

    const int fd = ::open(dataFileName.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return nullptr;
    struct stat status {};
    void* mapped = MAP_FAILED;
    if (::fstat(fd, &status) == 0 && S_ISREG(status.st_mode) && status.st_size > 0 &&
        static_cast<uint64_t>(status.st_size) <= std::numeric_limits<uint32_t>::max())
        mapped = ::mmap(nullptr, static_cast<size_t>(status.st_size), PROT_READ, MAP_PRIVATE | MAP_POPULATE, fd, 0);
    ::close(fd);
    if (mapped == MAP_FAILED)
        return nullptr;
    scan->FData = static_cast<const uint8_t*>(mapped);
    scan->FSize = static_cast<size_t>(status.st_size);
    ::madvise(mapped, scan->FSize, MADV_SEQUENTIAL);
    return scan;
}

bool TStoredTextScan::Found(size_t term, const uint8_t* body, bool shortText, const std::vector<TStoredLine>& lines) const
{
    // A short text's lines below its first are CP850 text.
    for (const bool oem : {false, true}) {
        const int formIndex = oem ? FOemForm[term] : FAnsiForm[term];
        if (formIndex < 0 || (oem && !(shortText && lines.size() > 1)))
            continue;
        const size_t firstLine = oem ? 1 : 0;
        const size_t endLine = shortText && !oem ? 1 : lines.size();
        size_t lowest = std::numeric_limits<size_t>::max();
        size_t highest = 0;
        for (size_t i = firstLine; i < endLine; ++i) {
            lowest = std::min<size_t>(lowest, lines[i].Start);
            highest = std::max<size_t>(highest, size_t{lines[i].Start} + lines[i].Length);
        }
        if (lowest >= highest)
            continue;
        // The bytes from the first line to the last, the length bytes between them too: a place
        // counts when it lies within one line.
        const TForm& form = FForms[static_cast<size_t>(formIndex)];
        const size_t length = form.Needle.size();
        const auto inOneLine = [&](size_t at) {
            at += lowest;
            for (size_t i = firstLine; i < endLine; ++i)
                if (at >= lines[i].Start && at + length <= size_t{lines[i].Start} + lines[i].Length)
                    return true;
            return false;
        };
        if (AnyPlace(body + lowest, highest - lowest, form, inOneLine))
            return true;
    }
    return false;
}

TStoredTextScan::TVerdict TStoredTextScan::Match(int32_t ref, std::vector<TStoredLine>& lines,
                                                 std::string& firstLine) const
{
    firstLine.clear();
    lines.clear();
    const TRecordKind kind = RecordKindOf(ref);
    if (kind == TRecordKind::rkNone)
        return TVerdict::vNoHit;
    const int64_t offset = RecordOffsetOf(ref);
    if (offset < 0 || static_cast<uint64_t>(offset) >= FSize)
        return TVerdict::vUnread;
    const auto* body = FData + offset;
    if (!StoredSearchableLines(kind, {reinterpret_cast<const char*>(body), FSize - static_cast<size_t>(offset)}, lines))
        return TVerdict::vUnread;
    if (lines.empty())
        return TVerdict::vNoHit;
    const bool shortText = kind == TRecordKind::rkShort;
    if (shortText) {
        firstLine.assign(reinterpret_cast<const char*>(body) + lines[0].Start, lines[0].Length);
        FilterBytes(firstLine.data(), static_cast<int64_t>(firstLine.size()));
    }
    // Left to right, as the matcher combines them; a term that cannot change the result is
    // passed over.
    bool result = false;
    for (size_t i = 0; i < FOperators.size(); ++i) {
        const int32_t op = i == 0 ? soNone : FOperators[i - 1];
        if ((op == soAnd && !result) || (op == soOr && result))
            continue;
        result = Found(i, body, shortText, lines);
    }
    return result ? TVerdict::vHit : TVerdict::vNoHit;
}

}  // namespace lumarc
