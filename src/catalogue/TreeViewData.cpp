#include "TreeViewData.h"

#include "Coding.h"

namespace lumarc {

void TTreeViewData::GetNode(int index, TTVRevEntry& entry) const
{
    entry.Text = Texts[index];
    entry.Text2 = index >= 0 && index < Texts2.Count() ? Texts2[index] : std::string();
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
    const std::vector<int32_t> refs = ReadInt32s(reader, Texts.Count());
    for (int i = 0; i < Texts.Count(); ++i)
        Texts.SetObject(i, refs[static_cast<size_t>(i)]);
}

}  // namespace lumarc
