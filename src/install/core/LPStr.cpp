#include "LPStr.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "catalogue/Stream.h"
#include "platform/Exception.h"

namespace lumarc {

void TLPStr::ClearText()
{
    if (FFixed) {
        if (FBuffer)
            FBuffer[0] = '\0';
        return;
    }
    FBuffer.reset();
    FCapacity = 0;
}

char* TLPStr::CopyTextTo(char* buffer) const
{
    if (!buffer)
        return buffer;
    if (FBuffer)
        std::strcpy(buffer, FBuffer.get());
    else
        buffer[0] = '\0';
    return buffer;
}

std::unique_ptr<char[]> TLPStr::CopyText() const
{
    const size_t length = FBuffer ? std::strlen(FBuffer.get()) : 0;
    auto copy = std::make_unique<char[]>(std::max<size_t>(length + 1, 2));
    CopyTextTo(copy.get());
    return copy;
}

void TLPStr::SetText(const char* text)
{
    ClearText();
    if (!text)
        return;
    const size_t length = std::strlen(text);
    if (FFixed) {
        if (!FBuffer || FCapacity <= 0)
            return;
        const size_t n = std::min(length, static_cast<size_t>(FCapacity - 1));
        std::memcpy(FBuffer.get(), text, n);
        FBuffer[n] = '\0';
        return;
    }
    // The capacity is a 16-bit count; a longer text is cut rather than let the count wrap.
    const size_t n = std::min(length, static_cast<size_t>(kMaxCapacity - 1));
    FBuffer = std::make_unique<char[]>(n + 1);
    std::memcpy(FBuffer.get(), text, n);
    FBuffer[n] = '\0';
    FCapacity = static_cast<int>(n + 1);
}

void TLPStr::SetCapacity(int n)
{
    if (n < 0 || n > kMaxCapacity)
        throw ERangeError(SRangeError);
    if (n == 0) {
        FFixed = false;
        return;
    }
    if (n == FCapacity) {
        FFixed = true;
        return;
    }
    auto buffer = std::make_unique<char[]>(static_cast<size_t>(n));
    buffer[0] = '\0';
    if (FBuffer) {
        const size_t keep = std::min(std::strlen(FBuffer.get()), static_cast<size_t>(n - 1));
        std::memcpy(buffer.get(), FBuffer.get(), keep);
        buffer[keep] = '\0';
    }
    FBuffer = std::move(buffer);
    FCapacity = n;
    FFixed = true;
}

void TLPStr::LoadTextFromStream(TStream& stream)
{
    const int limit = FFixed ? FCapacity : kMaxStreamText;
    std::vector<char> bytes(static_cast<size_t>(limit) + 1, '\0');
    const int64_t read = limit > 0 ? stream.Read(bytes.data(), limit) : 0;
    if (read >= limit)
        throw EStreamError("Line too long");
    bytes[static_cast<size_t>(read)] = '\0';
    SetText(bytes.data());
}

void TLPStr::SaveTextToStream(TStream& stream) const
{
    if (FBuffer)
        stream.WriteBuffer(FBuffer.get(), static_cast<int64_t>(std::strlen(FBuffer.get())));
}

void TLPStr::WriteProperty(TStream& stream) const
{
    if (!FBuffer || !FBuffer[0])
        return;
    const uint8_t nameLength = static_cast<uint8_t>(std::strlen(kPropertyName));
    stream.WriteBuffer(&nameLength, 1);
    stream.WriteBuffer(kPropertyName, nameLength);
    stream.WriteBuffer(&kValueBinary, 1);
    const int64_t size = static_cast<int64_t>(std::strlen(FBuffer.get())) + 1;
    const uint8_t length[4] = {static_cast<uint8_t>(size), static_cast<uint8_t>(size >> 8),
                               static_cast<uint8_t>(size >> 16), static_cast<uint8_t>(size >> 24)};
    stream.WriteBuffer(length, 4);
    stream.WriteBuffer(FBuffer.get(), size);
}

void TLPStr::ReadProperty(TStream& stream)
{
    uint8_t type = 0;
    stream.ReadBuffer(&type, 1);
    if (type != kValueBinary)
        throw EReadError(SInvalidProperty);
    uint8_t length[4];
    stream.ReadBuffer(length, 4);
    const int32_t size = static_cast<int32_t>(length[0] | length[1] << 8 | length[2] << 16 |
                                              static_cast<uint32_t>(length[3]) << 24);
    ClearText();
    if (size <= 0)
        return;
    // A length beyond what is left is a damaged form, not a reason to allocate it.
    if (size > stream.Size() - stream.Position())
        throw EReadError(SReadError);
    std::vector<char> bytes(static_cast<size_t>(size) + 1, '\0');
    stream.ReadBuffer(bytes.data(), size);
    SetText(bytes.data());
}

}  // namespace lumarc
