#pragma once
// The byte stream under every catalogue file: read, write and seek, with position and size
// derived from seek, as the record framing expects of a stream.

#include <cstdint>

namespace lumarc {

enum class TSeekOrigin { soBeginning, soCurrent, soEnd };

class TStream {
public:
    virtual ~TStream() = default;

    // Up to count bytes; fewer (possibly 0) at the end of the stream is not an error.
    virtual int64_t Read(void* buffer, int64_t count) = 0;
    virtual int64_t Write(const void* buffer, int64_t count) = 0;
    virtual int64_t Seek(int64_t offset, TSeekOrigin origin) = 0;

    // A read at an absolute offset that leaves Position alone, so a second reader of the same
    // file needs no shared position. The default seeks and restores.
    virtual int64_t ReadAt(int64_t offset, void* buffer, int64_t count);

    int64_t Position() { return Seek(0, TSeekOrigin::soCurrent); }
    void SetPosition(int64_t position) { Seek(position, TSeekOrigin::soBeginning); }
    virtual int64_t Size();

    // Exactly count bytes or EReadError "Stream read error" / EWriteError "Stream write error".
    void ReadBuffer(void* buffer, int64_t count);
    void WriteBuffer(const void* buffer, int64_t count);

    // Copies count bytes from source's position (all of it from 0 when count is 0).
    int64_t CopyFrom(TStream& source, int64_t count);
};

}  // namespace lumarc
