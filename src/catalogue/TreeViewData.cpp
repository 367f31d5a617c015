#include "TreeViewData.h"

#include "Coding.h"

namespace lumarc {

void TTreeViewData::GetNode(int index, TTVRevEntry& entry) const
{
    entry.Text = Texts[index];
    entry.Text2 = index >= 0 && index < Texts2.Count() ? Texts2[index] : std::string_view();
    entry.ChildCount = ChildCountList[index];
    entry.FirstChild = FirstChildList[index];
    entry.Parent = ParentList[index];
    entry.Date = Dates.Items(index);
    entry.RecordRef = Texts.Objects(index);
}

int TTreeViewData::AddNode(TTVRevEntry& entry)
{
    const int count = Count();
    const bool hasParent = entry.Parent >= 0 && entry.Parent < count;
    int position;
    if (hasParent) {
        position = FirstChildList[entry.Parent] + ChildCountList[entry.Parent];
        if (position < 0)
            position = count;
    } else {
        position = RootCount;
    }

    for (int i = 0; i < count; ++i)
        if (FirstChildList[i] >= position)
            FirstChildList.Increment(i);
    for (int i = 0; i < count; ++i)
        if (ParentList[i] >= position)
            ParentList.Increment(i);

    entry.FirstChild = -1;
    entry.ChildCount = 0;
    Texts.Insert(position, entry.Text, 0);
    Texts2.Insert(position, entry.Text2);
    ParentList.Insert(position, entry.Parent);
    FirstChildList.Insert(position, -1);
    ChildCountList.Insert(position, 0);
    Dates.Insert(position, entry.Date);

    if (hasParent) {
        ChildCountList.Increment(entry.Parent);
        if (ChildCountList[entry.Parent] == 1)
            FirstChildList.SetItem(entry.Parent, position);
    } else {
        ++RootCount;
    }
    return position;
}

void TTreeViewData::AssignNodes(std::vector<TTVRevEntry> entries)
{
    // AddNode puts the top-level nodes first, then one run of children per parent, the runs
    // in the order their parents got a first child, each run in the order it grew.
    const size_t count = entries.size();
    std::vector<std::vector<int32_t>> children(count);
    std::vector<int32_t> order;
    order.reserve(count);
    std::vector<int32_t> firstChildFrom;  // parents in the order they got a first child
    for (size_t i = 0; i < count; ++i) {
        const int32_t parent = entries[i].Parent;
        if (parent < 0 || static_cast<size_t>(parent) >= i) {
            entries[i].Parent = -1;
            order.push_back(static_cast<int32_t>(i));
            continue;
        }
        if (children[static_cast<size_t>(parent)].empty())
            firstChildFrom.push_back(parent);
        children[static_cast<size_t>(parent)].push_back(static_cast<int32_t>(i));
    }
    const auto roots = static_cast<int32_t>(order.size());
    for (const int32_t parent : firstChildFrom)
        order.insert(order.end(), children[static_cast<size_t>(parent)].begin(),
                     children[static_cast<size_t>(parent)].end());
    std::vector<int32_t> positionOf(count);
    for (size_t position = 0; position < count; ++position)
        positionOf[static_cast<size_t>(order[position])] = static_cast<int32_t>(position);

    *this = TTreeViewData();
    RootCount = roots;
    Texts.Reserve(static_cast<int>(count));
    Texts2.Reserve(static_cast<int>(count));
    for (const int32_t index : order) {
        TTVRevEntry& entry = entries[static_cast<size_t>(index)];
        const std::vector<int32_t>& run = children[static_cast<size_t>(index)];
        Texts.Add(std::move(entry.Text), 0);
        Texts2.Add(std::move(entry.Text2));
        ParentList.Add(entry.Parent < 0 ? entry.Parent : positionOf[static_cast<size_t>(entry.Parent)]);
        FirstChildList.Add(run.empty() ? -1 : positionOf[static_cast<size_t>(run.front())]);
        ChildCountList.Add(static_cast<int32_t>(run.size()));
        Dates.Insert(Dates.Count(), entry.Date);
    }
}

void TTreeViewData::WriteData(TWriter& writer) const
{
    WriteInt32(writer, RootCount);
    WriteStringList(writer, Texts);
    WriteByte(writer, HasTexts2 ? 1 : 0);
    if (HasTexts2)
        WriteStringList(writer, Texts2);
    ParentList.WriteData(writer);
    FirstChildList.WriteData(writer);
    ChildCountList.WriteData(writer);
    Dates.WriteData(writer);
    std::vector<int32_t> refs(static_cast<size_t>(Texts.Count()));
    for (int i = 0; i < Texts.Count(); ++i)
        refs[static_cast<size_t>(i)] = Texts.Objects(i);
    WriteInt32s(writer, refs);
}

void TTreeViewData::ReadData(TReader& reader)
{
    RootCount = ReadInt32(reader);
    ReadStringList(reader, Texts);
    HasTexts2 = ReadByte(reader) != 0;
    if (HasTexts2)
        ReadStringList(reader, Texts2);
    ParentList.ReadData(reader);
    FirstChildList.ReadData(reader);
    ChildCountList.ReadData(reader);
    Dates.ReadData(reader);
    Texts.SetObjects(ReadInt32s(reader, Texts.Count()));
}

}  // namespace lumarc
