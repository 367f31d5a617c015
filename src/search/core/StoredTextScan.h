#pragma once
// The record filter XORs every byte with one key, so a term can be looked for in the stored
// bytes themselves, keyed once, instead of in an unscrambled, folded copy of each record. A
// record matches when a term's stored form lies within one of its searchable lines, which is
// found from the line lengths alone: the record's text is neither copied nor unscrambled.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "catalogue/SearchableText.h"

namespace lumarc {

class TMappedFile;

class TStoredTextScan {
public:
    static constexpr size_t kWidest = 64;
    // Null when the stored bytes cannot decide the query (a term holding '&', which a list may
    // store doubled, or a line end) or the data file cannot be mapped: the caller then reads
    // each record. `widest`: the widest vectors, in bytes, it uses where the processor has them:
    // 64 (AVX-512), 32 (AVX2), 16 (SSE2) or 0 (a byte at a time); narrower ones are for tests.
    static std::shared_ptr<const TStoredTextScan> Make(const std::string& dataFileName, const std::string& query,
                                                       bool caseSensitive, size_t widest = kWidest);
    // The same over a data file mapped already; null for a null one.
    static std::shared_ptr<const TStoredTextScan> Make(std::shared_ptr<const TMappedFile> data, const std::string& query,
                                                       bool caseSensitive, size_t widest = kWidest);
    ~TStoredTextScan();
    TStoredTextScan(const TStoredTextScan&) = delete;
    TStoredTextScan& operator=(const TStoredTextScan&) = delete;

    enum class TVerdict { vNoHit, vHit, vUnread };
    // Whether the record `ref` refers to matches the query; vUnread when its body is not well
    // formed or leaves the file (reading it raises the record's error). `lines` and `firstLine`
    // are room for the work; on a hit of a short text, `firstLine` holds its first line unscrambled.
    // Thread-safe: each caller brings its own `lines` and `firstLine`.
    TVerdict Match(int32_t ref, TStoredLines& lines, std::string& firstLine) const;

    struct TForm;

private:
    TStoredTextScan() = default;
    bool Found(size_t term, const uint8_t* body, bool shortText, const TStoredLines& lines) const;

    std::shared_ptr<const TMappedFile> FFile;
    const uint8_t* FData = nullptr;
    size_t FSize = 0;
    // Per term: the index of its CP1252 and of its CP850 form in FForms, or -1 for none.
    std::vector<int> FAnsiForm;
    std::vector<int> FOemForm;
    std::vector<int32_t> FOperators;
    std::vector<TForm> FForms;
    size_t FWidest = kWidest;
};

}  // namespace lumarc
