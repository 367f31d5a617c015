#include "RecordRef.h"

#include "CompoText.h"
#include "ShortText.h"

namespace lumarc {

TRecordKind RecordKindOf(int32_t ref)
{
    const auto bits = static_cast<uint32_t>(ref);
    if (ref == kNoRecord)
        return TRecordKind::rkNone;
    if (bits & kComponentBit)
        return TRecordKind::rkComponent;
    if (bits & kShortTextBit)
        return TRecordKind::rkShort;
    return TRecordKind::rkInfo;
}

int32_t RecordOffsetOf(int32_t ref)
{
    const auto bits = static_cast<uint32_t>(ref);
    switch (RecordKindOf(ref)) {
    case TRecordKind::rkComponent: return static_cast<int32_t>(bits & ~kComponentBit);
    case TRecordKind::rkShort: return static_cast<int32_t>(bits & ~kShortTextBit);
    case TRecordKind::rkInfo: return ref;
    case TRecordKind::rkNone: break;
    }
    return -1;
}

int32_t MakeRecordRef(TRecordKind kind, int32_t offset)
{
    const auto bits = static_cast<uint32_t>(offset);
    switch (kind) {
    case TRecordKind::rkComponent: return static_cast<int32_t>(bits | kComponentBit);
    case TRecordKind::rkShort: return static_cast<int32_t>(bits | kShortTextBit);
    case TRecordKind::rkInfo: return offset;
    case TRecordKind::rkNone: break;
    }
    return kNoRecord;
}

uint16_t RecordTypeOf(TRecordKind kind)
{
    switch (kind) {
    case TRecordKind::rkInfo: return 4;
    case TRecordKind::rkShort: return 6;
    case TRecordKind::rkComponent: return 5;
    case TRecordKind::rkNone: break;
    }
    return 0;
}

std::unique_ptr<TParamScriptComponent> CreateRecordFor(int32_t ref)
{
    const int32_t offset = RecordOffsetOf(ref);
    switch (RecordKindOf(ref)) {
    case TRecordKind::rkComponent: {
        auto record = std::make_unique<TCompoText>();
        record->DataPosition = offset;
        return record;
    }
    case TRecordKind::rkShort: {
        auto record = std::make_unique<TShortText>();
        record->DataPosition = offset;
        return record;
    }
    case TRecordKind::rkInfo: {
        auto record = std::make_unique<TScriptInfoText>();
        record->DataPosition = offset;
        return record;
    }
    case TRecordKind::rkNone: break;
    }
    return nullptr;
}

}  // namespace lumarc
