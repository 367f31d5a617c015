#include "SearchMatcher.h"

#include <algorithm>
#include <cstring>
#include <string_view>

#include "QueryParser.h"
#include "platform/CodePage.h"

namespace lumarc {

namespace {

// Where `term` occurs inside one line of `text`, whose lines start at `starts` (offsets into
// the whole text, from which `text` begins at `base`).
bool InOneLine(std::string_view text, size_t base, const std::vector<size_t>& starts, size_t firstLine,
               size_t lastLine, const std::string& term)
{
    if (term.find('\n') == std::string::npos)
        return ::memmem(text.data(), text.size(), term.data(), term.size()) != nullptr;
    for (size_t i = firstLine; i < lastLine; ++i) {
        const size_t end = i + 1 < lastLine ? starts[i + 1] - base : text.size();
        const std::string_view line = text.substr(starts[i] - base, end - (starts[i] - base) - 1);
        if (line.find(term) != std::string_view::npos)
            return true;
    }
    return false;
}

}  // namespace

TSearchMatcher::TSearchMatcher(TStringList terms, bool caseSensitive)
    : FTerms(std::move(terms)), FCaseSensitive(caseSensitive)
{
    for (const std::string& term : FTerms.Strings()) {
        std::string oem;
        const bool held = Utf8ToCp850(Cp1252ToUtf8(term), oem);
        FOemTerms.push_back(held ? std::move(oem) : std::string());
        FOemHeld.push_back(held);
    }
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

bool TSearchMatcher::MatchText(size_t oemFrom)
{
    FOemFrom = oemFrom;
    if (FLineStarts.empty() || FTerms.Empty())
        return false;
    // Folded into a copy, so that a hit's line can be listed as it is written.
    if (!FCaseSensitive) {
        FFolded.assign(FText);
        UpperCaseAZ(FFolded);
    }
    bool result = false;
    for (int i = 0; i < FTerms.Count(); ++i) {
        // Terms have no side effects: skip the ones that cannot change the result.
        const int32_t op = i == 0 ? soNone : FTerms.Objects(i - 1);
        if ((op == soAnd && !result) || (op == soOr && result))
            continue;
        result = Found(i, oemFrom);
    }
    return result;
}

bool TSearchMatcher::Found(int term, size_t oemFrom) const
{
    const std::string& ansiTerm = FTerms[term];
    if (ansiTerm.empty())
        return false;
    const std::string_view text = Haystack();
    oemFrom = std::min(oemFrom, text.size());
    const size_t oemLine =
        oemFrom == text.size()
            ? FLineStarts.size()
            : static_cast<size_t>(std::lower_bound(FLineStarts.begin(), FLineStarts.end(), oemFrom) - FLineStarts.begin());
    if (InOneLine(text.substr(0, oemFrom), 0, FLineStarts, 0, oemLine, ansiTerm))
        return true;
    const size_t index = static_cast<size_t>(term);
    return oemFrom < text.size() && FOemHeld[index] &&
           InOneLine(text.substr(oemFrom), oemFrom, FLineStarts, oemLine, FLineStarts.size(), FOemTerms[index]);
}

const std::string& TSearchMatcher::TermFor(size_t term, size_t at) const
{
    static const std::string kNone;
    if (at < FOemFrom)
        return FTerms[static_cast<int>(term)];
    return FOemHeld[term] ? FOemTerms[term] : kNone;
}

bool TSearchMatcher::MatchedLine(TMatchedLine& line) const
{
    const std::string_view text = Haystack();
    const size_t oemFrom = std::min(FOemFrom, text.size());
    // The earliest place of any term, in either part of the text.
    size_t first = std::string::npos;
    for (size_t i = 0; i < static_cast<size_t>(FTerms.Count()); ++i) {
        for (const size_t from : {size_t{0}, oemFrom}) {
            const std::string& term = TermFor(i, from);
            if (term.empty() || term.find('\n') != std::string::npos || from >= text.size())
                continue;
            const size_t to = from == 0 ? oemFrom : text.size();
            const size_t at = text.substr(from, to - from).find(term);
            if (at != std::string_view::npos)
                first = std::min(first, from + at);
        }
    }
    if (first == std::string::npos)
        return false;
    const auto next = std::upper_bound(FLineStarts.begin(), FLineStarts.end(), first);
    const size_t begin = *(next - 1);
    const size_t end = (next == FLineStarts.end() ? text.size() : *next) - 1;
    line.Bytes.assign(FText, begin, end - begin);
    line.Oem = begin >= oemFrom;
    line.Marks.clear();
    const std::string_view shown = text.substr(begin, end - begin);
    for (size_t i = 0; i < static_cast<size_t>(FTerms.Count()); ++i) {
        const std::string& term = TermFor(i, begin);
        if (term.empty())
            continue;
        for (size_t at = shown.find(term); at != std::string_view::npos; at = shown.find(term, at + 1))
            line.Marks.emplace_back(at, term.size());
    }
    // Overlapping places of different terms become one mark.
    std::sort(line.Marks.begin(), line.Marks.end());
    std::vector<std::pair<size_t, size_t>> merged;
    for (const auto& [start, length] : line.Marks) {
        if (!merged.empty() && start <= merged.back().first + merged.back().second)
            merged.back().second = std::max(merged.back().second, start + length - merged.back().first);
        else
            merged.emplace_back(start, length);
    }
    line.Marks = std::move(merged);
    return true;
}

}  // namespace lumarc
