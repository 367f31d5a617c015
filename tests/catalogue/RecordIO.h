#pragma once
// Stores and loads records on in-memory streams, as the builder and the readers do on files.

#include "catalogue/IndexedStream.h"
#include "catalogue/MemoryStream.h"
#include "catalogue/ScriptComponent.h"

namespace lumarc::test {

struct TMemoryCatalogue {
    TMemoryStream Data;
    TMemoryStream Index;
    TIndexedStream Indexed{Data, Index, true};

    TMemoryCatalogue()
    {
        const uint8_t header[4] = {3, 0, 2, 0};
        Data.WriteBuffer(header, 4);
    }

    int32_t Store(TScriptComponent& record)
    {
        const auto offset = static_cast<int32_t>(Data.Size());
        Data.SetPosition(offset);
        TRecordStreamScope scope(record, Indexed, 1);
        record.Store();
        return offset;
    }

    void Load(TScriptComponent& record, int32_t offset)
    {
        Data.SetPosition(offset);
        TRecordStreamScope scope(record, Indexed, 0);
        record.Load();
    }
};

}  // namespace lumarc::test
