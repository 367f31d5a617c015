#include "IntList.h"

#include "Coding.h"
#include "platform/Exception.h"

namespace lumarc {

int32_t TIntList::operator[](int index) const
{
    if (index < 0 || index >= Count())
        throw EListError(ListIndexError(index));
    return FItems[static_cast<size_t>(index)];
}

void TIntList::SetItem(int index, int32_t value)
{
    if (index < 0 || index >= Count())
        throw EListError(ListIndexError(index));
    FItems[static_cast<size_t>(index)] = value;
}

int TIntList::Add(int32_t value)
{
    if (Count() >= kMaxCount)
        throw EListError(ListIndexError(Count()));
    FItems.push_back(value);
    return Count() - 1;
}

void TIntList::Insert(int index, int32_t value)
{
    if (index < 0 || index > Count() || Count() >= kMaxCount)
        throw EListError(ListIndexError(index));
    FItems.insert(FItems.begin() + index, value);
}

void TIntList::Delete(int index)
{
    if (index < 0 || index >= Count())
        throw EListError(ListIndexError(index));
    FItems.erase(FItems.begin() + index);
}

void TIntList::Increment(int index)
{
    if (index < 0 || index >= Count())
        throw ERangeError(SRangeError);
    ++FItems[static_cast<size_t>(index)];
}

void TIntList::WriteData(TWriter& writer) const
{
    WriteInt32Block(writer, FItems);
}

void TIntList::ReadData(TReader& reader)
{
    FItems = ReadInt32Block(reader);
    if (Count() > kMaxCount)
        throw EReadError(SReadError);
}

}  // namespace lumarc
