#pragma once
// What an outline node's record reference names: -1 nothing; bit 31 a component description,
// else bit 30 a short text, else an info text; the other bits are the body's offset.

#include <cstdint>
#include <memory>

namespace lumarc {

class TParamScriptComponent;

enum class TRecordKind { rkNone, rkInfo, rkShort, rkComponent };

inline constexpr int32_t kNoRecord = -1;
inline constexpr uint32_t kComponentBit = 0x80000000u;
inline constexpr uint32_t kShortTextBit = 0x40000000u;

TRecordKind RecordKindOf(int32_t ref);
int32_t RecordOffsetOf(int32_t ref);
int32_t MakeRecordRef(TRecordKind kind, int32_t offset);
// The record type code stored in the index for a kind (4, 6, 5).
uint16_t RecordTypeOf(TRecordKind kind);

// A fresh record of the class the reference names, with its DataPosition set; null for -1.
std::unique_ptr<TParamScriptComponent> CreateRecordFor(int32_t ref);

}  // namespace lumarc
