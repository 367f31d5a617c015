#include "ScriptComponent.h"

#include "platform/Exception.h"

namespace lumarc {

void TScriptComponent::OpenRecordStream(TIndexedStream& indexedStream, uint16_t mode)
{
    FRecordStream = std::make_unique<TLZWFilter>(indexedStream.DataStream(), mode);
    IndexedStream = &indexedStream;
}

TLZWFilter& TScriptComponent::AttachedStream() const
{
    if (!FRecordStream)
        throw EStreamError("Record stream not open");
    return *FRecordStream;
}

void TScriptComponent::Store()
{
    AttachedStream();
    const uint16_t type = RecordType();
    StoredPosition = static_cast<int32_t>(IndexedStream->DataStream().Position());
    IndexedStream->AddEntry(static_cast<int16_t>(type), StoredPosition);
    for (const auto& component : Components()) {
        auto* record = dynamic_cast<TScriptComponent*>(component.get());
        if (!record)
            throw EInvalidCast(SInvalidCast);
        record->Store();
    }
}

void TScriptComponent::Load()
{
    throw EAbstractError(SAbstractError);
}

}  // namespace lumarc
