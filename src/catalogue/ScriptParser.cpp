#include "ScriptParser.h"

namespace lumarc {

std::string UpperAscii(std::string s)
{
    for (char& c : s)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return s;
}

const std::vector<std::string>& TScriptParser::DefaultKeywords()
{
    static const std::vector<std::string> keywords = {"", "OUTLINE", "INFOTEXT", "SHORTTEXT", "COMPONENT", "END"};
    return keywords;
}

int TScriptParser::KeywordAt(int line) const
{
    if (line < 0 || line >= static_cast<int>(Lines.size()))
        return kwNone;
    const std::string& text = Lines[static_cast<size_t>(line)];
    const std::string word = UpperAscii(text.substr(0, text.find_first_of(std::string(" \b", 2))));
    for (size_t i = 1; i < Keywords.size(); ++i)
        if (!Keywords[i].empty() && UpperAscii(Keywords[i]) == word)
            return static_cast<int>(i);
    return kwNone;
}

TScriptParser::TBody TScriptParser::NextBody()
{
    const int count = static_cast<int>(Lines.size());
    Line = Line + 1;
    const int start = Line;
    for (int j = Line + 1; j < count; ++j) {
        if (KeywordAt(j) != kwNone) {
            Line = j;
            break;
        }
    }
    int last = start + 1;
    for (int j = Line - 1; j >= start; --j) {
        if (j < count && Lines[static_cast<size_t>(j)].find('}') != std::string::npos) {
            last = j - 1;
            break;
        }
    }
    if (last > count - 1)
        last = count - 1;
    if (last > LastBodyLine)
        last = LastBodyLine;
    return {start, last};
}

}  // namespace lumarc
