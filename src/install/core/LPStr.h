#pragma once
// One 8-bit, NUL-terminated text parameter of the unzip library, owned here. A fixed buffer
// keeps its capacity and cuts what does not fit; a free one is replaced by an exact copy of
// each new text.

#include <cstdint>
#include <memory>
#include <string>

namespace lumarc {

class TStream;

class TLPStr {
public:
    // A free text never grows beyond what the 16-bit capacity can describe.
    static constexpr int kMaxCapacity = 0xFFFF;
    // A stream read into a free text takes at most this many bytes.
    static constexpr int kMaxStreamText = 32768;
    static constexpr uint8_t kValueBinary = 10;
    static constexpr const char* kPropertyName = "PChar";

    TLPStr() = default;
    virtual ~TLPStr() = default;
    TLPStr(const TLPStr&) = delete;
    TLPStr& operator=(const TLPStr&) = delete;

    // Empties a fixed buffer in place and frees any other.
    virtual void ClearText();
    // Copies the text into `buffer`, which must hold Length() + 1 characters; without a text
    // the buffer is set empty. Returns `buffer`.
    virtual char* CopyTextTo(char* buffer) const;
    // The same into a buffer of its own (two characters, empty, without a text).
    std::unique_ptr<char[]> CopyText() const;
    // Reads the text from the stream's position: at most the capacity of a fixed buffer, else
    // kMaxStreamText bytes. A read that fills all of them raises EStreamError "Line too long".
    virtual void LoadTextFromStream(TStream& stream);
    // Writes the characters without the NUL; nothing without a text.
    virtual void SaveTextToStream(TStream& stream) const;
    // Clears the text, then stores `text` unless it is null.
    virtual void SetText(const char* text);

    // The buffer, or null without one: what the library gets for an empty parameter.
    char* TextPtr() const { return FBuffer.get(); }
    std::string Text() const { return FBuffer ? std::string(FBuffer.get()) : std::string(); }
    int Capacity() const { return FCapacity; }
    bool Fixed() const { return FFixed; }
    // N equal to the capacity only fixes the buffer; another N > 0 makes a buffer of N
    // characters that keeps up to N - 1 of the old ones, fixed; 0 makes the buffer free again.
    void SetCapacity(int n);

    // The stored form: the property name "PChar", the value type 10 (raw data), a 32-bit
    // length of the characters plus the NUL, the characters and the NUL. Nothing for an empty
    // text.
    void WriteProperty(TStream& stream) const;
    // Reads the value that follows the property name: clears the text and, for a positive
    // length, sets the text read. A wrong value type is EReadError "Invalid property value".
    void ReadProperty(TStream& stream);

private:
    std::unique_ptr<char[]> FBuffer;
    int FCapacity = 0;
    bool FFixed = false;
};

}  // namespace lumarc
