#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace lumarc {

// A list of byte strings (catalogue text stays CP1252 bytes), each with a 32-bit object slot
// that the outline uses for its record references.
class TStringList {
public:
    int Count() const { return static_cast<int>(FStrings.size()); }
    bool Empty() const { return FStrings.empty(); }

    // Index errors raise EListError "List index out of bounds (N)".
    const std::string& operator[](int index) const;
    int32_t Objects(int index) const;
    void SetObject(int index, int32_t value);

    int Add(std::string text, int32_t object = 0);
    void Insert(int index, std::string text, int32_t object = 0);
    void Clear();
    void Reserve(int count);

    const std::vector<std::string>& Strings() const { return FStrings; }
    bool operator==(const TStringList&) const = default;

private:
    void CheckIndex(int index) const;

    std::vector<std::string> FStrings;
    std::vector<int32_t> FObjects;
};

}  // namespace lumarc
