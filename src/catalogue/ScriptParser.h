#pragma once
// The catalogue source script as the record builders see it: its lines (already in the
// records' code page), the keyword list and the current line.

#include <string>
#include <vector>

namespace lumarc {

// Upper case of a-z only, as keywords and section tags are compared.
std::string UpperAscii(std::string s);

class TScriptParser {
public:
    // Index 0 is a placeholder that never matches.
    static const std::vector<std::string>& DefaultKeywords();
    enum TKeyword { kwNone = 0, kwOutline = 1, kwInfoText = 2, kwShortText = 3, kwComponent = 4, kwEnd = 5 };

    TScriptParser() : Keywords(DefaultKeywords()) {}

    std::vector<std::string> Lines;
    std::vector<std::string> Keywords;
    int Line = 0;
    // No body reaches past this line: the builder's own closing END line is never body text.
    int LastBodyLine = 0x7FFFFFFF;

    // The keyword a line starts with: its first word (cut before the first space or
    // backspace), upper-cased, against each keyword from index 1 on; 0 when none matches.
    int KeywordAt(int line) const;

    struct TBody {
        int Start;
        int Last;  // Last < Start: an empty body
    };
    // From the header line at Line: moves Line to the body's first line, finds the next
    // keyword line (Line moves there, or stays without one) and the body's last line, the
    // line before the last "}" line ahead of that keyword. Without any "}" the body is two
    // lines, cut at the end of the script.
    TBody NextBody();
};

}  // namespace lumarc
