#pragma once
// The overview outline as parallel lists indexed by node number. Top-level nodes are
// 0..RootCount-1; the children of node i are FirstChildList[i] .. FirstChildList[i] +
// ChildCountList[i] - 1, each run in the order the nodes were added.

#include <cstdint>
#include <string>
#include <vector>

#include "CaptionList.h"
#include "DateList.h"
#include "IntList.h"

namespace lumarc {

struct TTVRevEntry {
    std::string Text;
    std::string Text2;
    TDateTime Date = 0;
    int32_t Parent = -1;
    int32_t FirstChild = -1;
    int32_t ChildCount = 0;
    int32_t RecordRef = -1;
};

class TTreeViewData {
public:
    TCaptionList Texts;   // captions; the object slot holds the node's record reference
    TCaptionList Texts2;  // second texts
    TIntList ParentList;
    TIntList FirstChildList;
    TIntList ChildCountList;
    TDateList Dates;
    int32_t RootCount = 0;
    bool HasTexts2 = false;

    int Count() const { return Texts.Count(); }

    // A missing second text reads as empty; other bad indexes raise the list's error, an
    // invalid packed date EConvertError.
    void GetNode(int index, TTVRevEntry& entry) const;
    // Uses Text, Text2, Date and Parent; fills in FirstChild and ChildCount; returns the index.
    int AddNode(TTVRevEntry& entry);
    // Replaces the whole outline with `entries`, given in the order they would be added one
    // by one, each Parent the position of its parent within `entries` (-1 for a top-level
    // node; a parent always comes first). Gives the same data as that many AddNode calls, in
    // time that grows with the number of entries instead of its square.
    void AssignNodes(std::vector<TTVRevEntry> entries);

    void WriteData(TWriter& writer) const;
    // Fills a freshly created, empty object.
    void ReadData(TReader& reader);

    bool operator==(const TTreeViewData&) const = default;
};

}  // namespace lumarc
