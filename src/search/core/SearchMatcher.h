#pragma once

#include <string>
#include <utility>
#include <vector>

#include "catalogue/StringList.h"

namespace lumarc {

// Tests a record's lines against a parsed query. A term matches when it occurs inside one
// single line; an empty term matches nothing; a record without lines matches nothing. Keeps
// its text buffer between calls, so one matcher serves one thread.
class TSearchMatcher {
public:
    // `terms` as ParseQuery leaves them for the same case rule.
    TSearchMatcher(TStringList terms, bool caseSensitive);

    bool Matches(const std::vector<std::string>& lines);
    bool Matches(const TStringList& lines) { return Matches(lines.Strings()); }

    // For a caller that writes the lines itself: Clear, then append each line followed by
    // '\n' to Text() and note where it starts in LineStarts(), then MatchText().
    void Clear();
    std::string& Text() { return FText; }
    std::vector<size_t>& LineStarts() { return FLineStarts; }
    // Tests the text, upper-cased a-z in a copy unless the case counts. The lines from `oemFrom` (a
    // line's start in Text()) on are CP850 text, as a short text's lines below its file name
    // are: they are compared with the terms in CP850, and a term that CP850 cannot hold
    // matches none of them. The lines before are CP1252, as every other text.
    bool MatchText(size_t oemFrom = std::string::npos);

    const TStringList& Terms() const { return FTerms; }

    // The line a hit is listed with: after MatchText found the text, the first line in text
    // order that holds one of the terms, as stored (not upper-cased), with every place in it
    // where a term occurs. False when no term without a line end occurs anywhere.
    struct TMatchedLine {
        std::string Bytes;
        bool Oem = false;  // a CP850 line of a short text
        std::vector<std::pair<size_t, size_t>> Marks;  // start and length in Bytes, in order, disjoint
    };
    bool MatchedLine(TMatchedLine& line) const;

private:
    bool Found(int term, size_t oemFrom) const;
    // The text the terms are looked for in: the text itself, or upper-cased a-z.
    const std::string& Haystack() const { return FCaseSensitive ? FText : FFolded; }
    const std::string& TermFor(size_t term, size_t at) const;

    TStringList FTerms;
    // Each term in CP850; FOemHeld[i] is false where term i has a character CP850 lacks.
    std::vector<std::string> FOemTerms;
    std::vector<bool> FOemHeld;
    bool FCaseSensitive;
    // A term without '\n' cannot match across the end of a line, so it is looked for in the
    // whole text at once.
    std::string FText;
    std::string FFolded;
    std::vector<size_t> FLineStarts;
    size_t FOemFrom = std::string::npos;
};

}  // namespace lumarc
