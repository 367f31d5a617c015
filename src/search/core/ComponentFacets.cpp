#include "ComponentFacets.h"

#include <algorithm>

#include "platform/AsciiCase.h"
#include "platform/CodePage.h"

namespace lumarc {

namespace {

// One bit per condition a row fails; a value's count asks the row to fail no other.
enum : unsigned {
    kText = 1u << 0,
    kCompiler = 1u << 1,
    kLanguage = 1u << 2,
    kRating = 1u << 3,
    kDistribution = 1u << 4,
    kOS = 1u << 5,
    kKeyWord = 1u << 6,
    kNew = 1u << 7,
    kInstalled = 1u << 8,
};

bool AnyOf(const std::vector<int>& wanted, int value)
{
    return std::find(wanted.begin(), wanted.end(), value) != wanted.end();
}

}  // namespace

int TComponentFacets::TValues::Intern(const std::string& name)
{
    const std::string key = FoldKey ? AsciiLower(name) : name;
    const auto [it, made] = Ids.try_emplace(key, static_cast<int>(Names.size()));
    if (made)
        Names.push_back(name);
    return it->second;
}

int TComponentFacets::TValues::Find(const std::string& name) const
{
    const auto it = Ids.find(FoldKey ? AsciiLower(name) : name);
    return it == Ids.end() ? -1 : it->second;
}

void TComponentFacets::Add(const TComponentRow& row)
{
    TRow item;
    item.Haystack = UpperCaseAnsi(row.LongName) + '\n' + UpperCaseAnsi(row.ShortName);
    for (const std::string& word : row.KeyWords) {
        item.Haystack += '\n' + UpperCaseAnsi(word);
        const int id = FKeyWords.Intern(word);
        if (std::find(item.KeyWords.begin(), item.KeyWords.end(), id) == item.KeyWords.end())
            item.KeyWords.push_back(id);
    }
    item.Compiler = row.Compiler;
    item.Language = row.Language;
    item.Percent = row.Rating * 10;
    item.Distribution = FDistributions.Intern(row.Distribution);
    item.OS = FOSes.Intern(row.OS);
    item.Leaf = row.Leaf;
    item.Date = row.Date;
    FRows.push_back(std::move(item));
}

void TComponentFacets::Clear()
{
    *this = TComponentFacets();
}

TQueryResult TComponentFacets::Evaluate(const TComponentQuery& query, const std::vector<bool>& installed,
                                        TDateTime updateDate) const
{
    TQueryResult result;
    TFacetCounts& counts = result.Counts;
    counts.Distributions.assign(FDistributions.Names.size(), 0);
    counts.OSes.assign(FOSes.Names.size(), 0);
    counts.KeyWords.assign(FKeyWords.Names.size(), 0);
    const std::string text = UpperCaseAnsi(query.Text);
    for (size_t i = 0; i < FRows.size(); ++i) {
        const TRow& row = FRows[i];
        const bool isInstalled = i < installed.size() && installed[i];
        const bool isNew = row.Leaf && row.Date && *row.Date > updateDate;
        unsigned failed = 0;
        if (query.TextUnmatchable || (!text.empty() && row.Haystack.find(text) == std::string::npos))
            failed |= kText;
        if (query.Compilers != 0 && (row.Compiler & query.Compilers) == 0)
            failed |= kCompiler;
        if (!query.Languages.empty() && !AnyOf(query.Languages, row.Language))
            failed |= kLanguage;
        if (row.Percent < query.MinPercent)
            failed |= kRating;
        if (!query.Distributions.empty() && !AnyOf(query.Distributions, row.Distribution))
            failed |= kDistribution;
        if (!query.OSes.empty() && !AnyOf(query.OSes, row.OS))
            failed |= kOS;
        if (!query.KeyWords.empty() &&
            std::none_of(row.KeyWords.begin(), row.KeyWords.end(), [&](int id) { return AnyOf(query.KeyWords, id); }))
            failed |= kKeyWord;
        if (query.OnlyNew && !isNew)
            failed |= kNew;
        if ((query.Installed == TInstalledChoice::icInstalled && !isInstalled) ||
            (query.Installed == TInstalledChoice::icNotInstalled && isInstalled))
            failed |= kInstalled;

        if (failed == 0)
            result.Shown.push_back(static_cast<int>(i));
        const auto passesOthers = [failed](unsigned own) { return (failed & ~own) == 0; };
        if (passesOthers(kCompiler)) {
            for (int bit = 0; bit < 3; ++bit)
                counts.Compilers[bit] += (row.Compiler >> bit) & 1;
        }
        if (passesOthers(kLanguage))
            ++counts.Languages[row.Language];
        if (passesOthers(kDistribution))
            ++counts.Distributions[static_cast<size_t>(row.Distribution)];
        if (passesOthers(kOS))
            ++counts.OSes[static_cast<size_t>(row.OS)];
        if (passesOthers(kKeyWord)) {
            for (int id : row.KeyWords)
                ++counts.KeyWords[static_cast<size_t>(id)];
        }
        if (passesOthers(kNew) && isNew)
            ++counts.New;
        if (passesOthers(kInstalled))
            ++(isInstalled ? counts.Installed : counts.NotInstalled);
    }
    return result;
}

}  // namespace lumarc
