#pragma once
// The component list's filters as someone browsing asks them: any of several values of a field,
// and beside each value how many rows it would leave with the other filters as they are. Built
// once per catalogue (rows may come in batches), so that a filter change only compares numbers.

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "ComponentList.h"

namespace lumarc {

enum class TInstalledChoice { icAll, icInstalled, icNotInstalled };

// Each condition that is set must hold; within one, any of its values. Values are the ids of
// TComponentFacets.
struct TComponentQuery {
    std::string Text;              // CP1252; in the long or short name or a key word, letters of either case
    bool TextUnmatchable = false;  // the text typed holds a letter the code page has not
    uint8_t Compilers = 0;
    std::vector<int> Languages;  // codes
    int MinPercent = 0;          // the rating as the gauge shows it
    std::vector<int> Distributions, OSes, KeyWords;
    bool OnlyNew = false;
    TInstalledChoice Installed = TInstalledChoice::icAll;
};

// How many rows each value would leave, the other conditions as they are.
struct TFacetCounts {
    int Compilers[3] = {0, 0, 0};
    std::unordered_map<int, int> Languages;
    std::vector<int> Distributions, OSes, KeyWords;  // by id
    int New = 0;
    int Installed = 0, NotInstalled = 0;
};

struct TQueryResult {
    std::vector<int> Shown;  // row indexes, in row order
    TFacetCounts Counts;
};

class TComponentFacets {
public:
    void Add(const TComponentRow& row);
    void Clear();
    int Rows() const { return static_cast<int>(FRows.size()); }

    // The values that occur, by id, each as first spelt (key words that differ only in a-z are one).
    const std::vector<std::string>& Distributions() const { return FDistributions.Names; }
    const std::vector<std::string>& OSes() const { return FOSes.Names; }
    const std::vector<std::string>& KeyWords() const { return FKeyWords.Names; }
    // The id of a value, -1 when none occurs.
    int DistributionId(const std::string& name) const { return FDistributions.Find(name); }
    int OSId(const std::string& name) const { return FOSes.Find(name); }
    int KeyWordId(const std::string& name) const { return FKeyWords.Find(name); }

    // `installed` by row index (shorter: the rest not installed); the "new" rule against
    // `updateDate`.
    TQueryResult Evaluate(const TComponentQuery& query, const std::vector<bool>& installed, TDateTime updateDate) const;

private:
    struct TValues {
        explicit TValues(bool foldKey = false) : FoldKey(foldKey) {}
        bool FoldKey;
        std::vector<std::string> Names;
        std::unordered_map<std::string, int> Ids;
        int Intern(const std::string& name);
        int Find(const std::string& name) const;
    };
    struct TRow {
        std::string Haystack;  // long name, short name and key words, folded, one per line
        uint8_t Compiler = 0;
        int Language = 0;
        int Percent = 0;
        int Distribution = 0, OS = 0;
        std::vector<int> KeyWords;
        bool Leaf = true;
        std::optional<TDateTime> Date;
    };
    std::vector<TRow> FRows;
    TValues FDistributions, FOSes, FKeyWords{true};
};

}  // namespace lumarc
