#include "SearchMatcher.h"

#include <cstring>
#include <string_view>

#include "QueryParser.h"

namespace lumarc {

TSearchMatcher::TSearchMatcher(TStringList terms, bool caseSensitive)
    : FTerms(std::move(terms)), FCaseSensitive(caseSensitive)
{
}

void TSearchMatcher::Clear()
{
    FText.clear();
    FLineStarts.clear();
}

bool TSearchMatcher::Matches(const std::vector<std::string>& lines)
{
    Clear();
    for (const std::string& line : lines) {
        FLineStarts.push_back(FText.size());
        FText += line;
        FText += '\n';
    }
    return MatchText();
}

bool TSearchMatcher::MatchText()
{
    if (FLineStarts.empty() || FTerms.Empty())
        return false;
    if (!FCaseSensitive)
        UpperCaseAZ(FText);
    bool result = false;
    for (int i = 0; i < FTerms.Count(); ++i) {
        // Terms have no side effects: skip the ones that cannot change the result.
        const int32_t op = i == 0 ? soNone : FTerms.Objects(i - 1);
        if ((op == soAnd && !result) || (op == soOr && result))
            continue;
        result = Found(FTerms[i]);
    }
    return result;
}

bool TSearchMatcher::Found(const std::string& term) const
{
    if (term.empty())
        return false;
    if (term.find('\n') == std::string::npos)
        return ::memmem(FText.data(), FText.size(), term.data(), term.size()) != nullptr;
    const std::string_view text = FText;
    for (size_t i = 0; i < FLineStarts.size(); ++i) {
        const size_t end = i + 1 < FLineStarts.size() ? FLineStarts[i + 1] : FText.size();
        const std::string_view line = text.substr(FLineStarts[i], end - FLineStarts[i] - 1);
        if (line.find(term) != std::string_view::npos)
            return true;
    }
    return false;
}

}  // namespace lumarc
