#include "CaptionList.h"

#include <limits>

#include "platform/Exception.h"

namespace lumarc {

void TCaptionList::CheckIndex(int index) const
{
    if (index < 0 || index >= Count())
        throw EListError(ListIndexError(index));
}

std::string_view TCaptionList::operator[](int index) const
{
    CheckIndex(index);
    const size_t start = Start(index);
    return std::string_view(FChars).substr(start, FEnds[static_cast<size_t>(index)] - start);
}

int32_t TCaptionList::Objects(int index) const
{
    CheckIndex(index);
    return FObjects.empty() ? 0 : FObjects[static_cast<size_t>(index)];
}

void TCaptionList::SetObject(int index, int32_t value)
{
    CheckIndex(index);
    if (FObjects.empty()) {
        if (value == 0)
            return;
        FObjects.assign(FEnds.size(), 0);
    }
    FObjects[static_cast<size_t>(index)] = value;
}

void TCaptionList::SetObjects(std::vector<int32_t> objects)
{
    if (objects.size() != FEnds.size())
        throw EListError(ListIndexError(static_cast<long long>(objects.size())));
    FObjects = std::move(objects);
}

int TCaptionList::Add(std::string_view text, int32_t object)
{
    Insert(Count(), text, object);
    return Count() - 1;
}

void TCaptionList::Insert(int index, std::string_view text, int32_t object)
{
    if (index < 0 || index > Count())
        throw EListError(ListIndexError(index));
    // The offsets are 32 bits: far beyond any outline, but a list must not wrap silently.
    if (text.size() > std::numeric_limits<uint32_t>::max() - FChars.size())
        throw EListError(ListIndexError(index));
    if (!FObjects.empty() || object != 0) {
        FObjects.resize(FEnds.size(), 0);
        FObjects.insert(FObjects.begin() + index, object);
    }
    const size_t start = Start(index);
    const auto length = static_cast<uint32_t>(text.size());
    FChars.insert(start, text);
    FEnds.insert(FEnds.begin() + index, static_cast<uint32_t>(start));
    for (size_t i = static_cast<size_t>(index); i < FEnds.size(); ++i)
        FEnds[i] += length;
}

void TCaptionList::Clear()
{
    FChars.clear();
    FEnds.clear();
    FObjects.clear();
}

void TCaptionList::Reserve(int count)
{
    FEnds.reserve(static_cast<size_t>(count));
}

void TCaptionList::Assign(std::string chars, std::vector<uint32_t> ends)
{
    uint32_t previous = 0;
    for (size_t i = 0; i < ends.size(); ++i) {
        if (ends[i] < previous)
            throw EListError(ListIndexError(static_cast<int>(i)));
        previous = ends[i];
    }
    if (previous != chars.size())
        throw EListError(ListIndexError(static_cast<int>(ends.size())));
    FChars = std::move(chars);
    FEnds = std::move(ends);
    FObjects.clear();
}

bool TCaptionList::operator==(const TCaptionList& other) const
{
    if (FChars != other.FChars || FEnds != other.FEnds)
        return false;
    for (int i = 0; i < Count(); ++i)
        if (Objects(i) != other.Objects(i))
            return false;
    return true;
}

std::vector<std::string> TCaptionList::Strings() const
{
    std::vector<std::string> strings;
    strings.reserve(FEnds.size());
    for (int i = 0; i < Count(); ++i)
        strings.emplace_back((*this)[i]);
    return strings;
}

}  // namespace lumarc
