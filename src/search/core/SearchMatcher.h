#pragma once

#include <string>
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
    // Upper-cases the text unless the case counts, then tests it. The lines from `oemFrom` (a
    // line's start in Text()) on are CP850 text, as a short text's lines below its file name
    // are: they are compared with the terms in CP850, and a term that CP850 cannot hold
    // matches none of them. The lines before are CP1252, as every other text.
    bool MatchText(size_t oemFrom = std::string::npos);

    const TStringList& Terms() const { return FTerms; }

private:
    bool Found(int term, size_t oemFrom) const;

    TStringList FTerms;
    // Each term in CP850; FOemHeld[i] is false where term i has a character CP850 lacks.
    std::vector<std::string> FOemTerms;
    std::vector<bool> FOemHeld;
    bool FCaseSensitive;
    // A term without '\n' cannot match across the end of a line, so it is looked for in the
    // whole text at once.
    std::string FText;
    std::vector<size_t> FLineStarts;
};

}  // namespace lumarc
