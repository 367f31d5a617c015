#include "StringList.h"

#include "platform/Exception.h"

namespace lumarc {

void TStringList::CheckIndex(int index) const
{
    if (index < 0 || index >= Count())
        throw EListError(ListIndexError(index));
}

const std::string& TStringList::operator[](int index) const
{
    CheckIndex(index);
    return FStrings[static_cast<size_t>(index)];
}

int32_t TStringList::Objects(int index) const
{
    CheckIndex(index);
    return FObjects[static_cast<size_t>(index)];
}

void TStringList::SetObject(int index, int32_t value)
{
    CheckIndex(index);
    FObjects[static_cast<size_t>(index)] = value;
}

int TStringList::Add(std::string text, int32_t object)
{
    FStrings.push_back(std::move(text));
    FObjects.push_back(object);
    return Count() - 1;
}

void TStringList::Insert(int index, std::string text, int32_t object)
{
    if (index < 0 || index > Count())
        throw EListError(ListIndexError(index));
    FStrings.insert(FStrings.begin() + index, std::move(text));
    FObjects.insert(FObjects.begin() + index, object);
}

void TStringList::Clear()
{
    FStrings.clear();
    FObjects.clear();
}

void TStringList::Reserve(int count)
{
    FStrings.reserve(static_cast<size_t>(count));
    FObjects.reserve(static_cast<size_t>(count));
}

}  // namespace lumarc
