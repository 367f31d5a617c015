#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace lumarc {

// The outline's texts: like a string list with an object slot per string, but every string's
// bytes lie in one buffer. A large outline holds a few hundred thousand short texts, which as
// separate strings cost more memory, reading time and freeing time than the texts themselves.
class TCaptionList {
public:
    int Count() const { return static_cast<int>(FEnds.size()); }
    bool Empty() const { return FEnds.empty(); }

    // Index errors raise EListError "List index out of bounds (N)". The view lasts until the
    // list next changes.
    std::string_view operator[](int index) const;
    int32_t Objects(int index) const;
    void SetObject(int index, int32_t value);
    // One object per text, in order; another count raises EListError.
    void SetObjects(std::vector<int32_t> objects);

    int Add(std::string_view text, int32_t object = 0);
    void Insert(int index, std::string_view text, int32_t object = 0);
    void Clear();
    void Reserve(int count);
    // Takes strings laid end to end in `chars`, string i ending at ends[i]; the ends must rise
    // and the last be the length of `chars` (else EListError). Every object is 0.
    void Assign(std::string chars, std::vector<uint32_t> ends);

    std::vector<std::string> Strings() const;
    bool operator==(const TCaptionList& other) const;

private:
    void CheckIndex(int index) const;
    size_t Start(int index) const { return index == 0 ? 0 : FEnds[static_cast<size_t>(index) - 1]; }

    std::string FChars;
    std::vector<uint32_t> FEnds;
    // Empty while every object is 0: second texts never carry one, and a large outline need
    // not hold a slot per node for them.
    std::vector<int32_t> FObjects;
};

}  // namespace lumarc
