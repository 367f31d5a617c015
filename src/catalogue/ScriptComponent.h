#pragma once
// The base of every catalogue record. A record is read by positioning the data stream at its
// offset, OpenRecordStream(indexed, 0), Load, CloseRecordStream; stored the same way with
// mode 1 and Store.

#include <cstdint>
#include <memory>

#include "Component.h"
#include "IndexedStream.h"
#include "LZWFilter.h"

namespace lumarc {

class TScriptParser;

class TScriptComponent : public TComponent {
public:
    explicit TScriptComponent(TComponent* owner = nullptr) : TComponent(owner) {}

    TScriptParser* Parser = nullptr;
    int32_t StoredPosition = 0;
    TIndexedStream* IndexedStream = nullptr;

    // The record filter while the record is read or written; null otherwise.
    TLZWFilter* RecordStream() const { return FRecordStream.get(); }

    void OpenRecordStream(TIndexedStream& indexedStream, uint16_t mode);
    void CloseRecordStream() { FRecordStream.reset(); }

    virtual uint16_t RecordType() const { return 0; }
    virtual void ParseScript(TScriptParser& parser) { Parser = &parser; }
    // Enters the record in the index at the data stream's position, then stores the records
    // it owns; a class's own Store writes its body after this.
    virtual void Store();
    // Raises EAbstractError here; every stored kind reads its own body.
    virtual void Load();

protected:
    // The record stream, or EStreamError when the record is not attached.
    TLZWFilter& AttachedStream() const;

private:
    std::unique_ptr<TLZWFilter> FRecordStream;
};

// Opens the record stream for the span of a scope and closes it again, also on errors.
class TRecordStreamScope {
public:
    TRecordStreamScope(TScriptComponent& record, TIndexedStream& stream, uint16_t mode) : FRecord(record)
    {
        FRecord.OpenRecordStream(stream, mode);
    }
    ~TRecordStreamScope() { FRecord.CloseRecordStream(); }
    TRecordStreamScope(const TRecordStreamScope&) = delete;
    TRecordStreamScope& operator=(const TRecordStreamScope&) = delete;

private:
    TScriptComponent& FRecord;
};

}  // namespace lumarc
