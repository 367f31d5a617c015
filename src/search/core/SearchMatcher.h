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
    // Upper-cases the text unless the case counts, then tests it.
    bool MatchText();

    const TStringList& Terms() const { return FTerms; }

private:
    bool Found(const std::string& term) const;

    TStringList FTerms;
    bool FCaseSensitive;
    // A term without '\n' cannot match across the end of a line, so it is looked for in the
    // whole text at once.
    std::string FText;
    std::vector<size_t> FLineStarts;
};

}  // namespace lumarc
