#include "ZipLayout.h"

#include <algorithm>
#include <fcntl.h>
#include <unistd.h>

#include <sys/stat.h>

namespace zipfile {

namespace {

constexpr uint32_t kEndSignature = 0x06054b50;
constexpr uint32_t kEnd64Signature = 0x06064b50;
constexpr uint32_t kLocator64Signature = 0x07064b50;
constexpr uint32_t kEntrySignature = 0x02014b50;
constexpr size_t kEndSize = 22;
constexpr size_t kEnd64Size = 56;
constexpr size_t kLocator64Size = 20;
constexpr size_t kEntrySize = 46;
constexpr size_t kLocalHeaderSize = 30;
constexpr uint64_t kMaxComment = 0xFFFF;
// A directory larger than this is no archive a component came in; it is left to libzip.
constexpr uint64_t kMaxDirectory = uint64_t{64} << 20;

uint64_t Get(const unsigned char* p, int bytes)
{
    uint64_t value = 0;
    for (int i = bytes - 1; i >= 0; --i)
        value = value << 8 | p[i];
    return value;
}

class TFile {
public:
    explicit TFile(const std::string& path) : FFd(::open(path.c_str(), O_RDONLY | O_CLOEXEC)) {}
    ~TFile()
    {
        if (FFd >= 0)
            ::close(FFd);
    }
    TFile(const TFile&) = delete;
    TFile& operator=(const TFile&) = delete;
    bool Open() const { return FFd >= 0; }
    uint64_t Size() const
    {
        struct stat st {};
        return ::fstat(FFd, &st) == 0 && S_ISREG(st.st_mode) ? static_cast<uint64_t>(st.st_size) : 0;
    }
    bool Read(uint64_t at, std::string& bytes, size_t count) const
    {
        bytes.resize(count);
        size_t done = 0;
        while (done < count) {
            const ssize_t n = ::pread(FFd, bytes.data() + done, count - done, static_cast<off_t>(at + done));
            if (n <= 0)
                return false;
            done += static_cast<size_t>(n);
        }
        return true;
    }

private:
    int FFd;
};

const unsigned char* Bytes(const std::string& s, size_t at = 0)
{
    return reinterpret_cast<const unsigned char*>(s.data()) + at;
}

// Reads the entries of a central directory; false when it is not one.
bool ReadEntries(const std::string& dir, uint64_t count, std::vector<TZipMember>& members)
{
    size_t at = 0;
    for (uint64_t n = 0; n < count; ++n) {
        if (dir.size() - at < kEntrySize || Get(Bytes(dir, at), 4) != kEntrySignature)
            return false;
        const unsigned char* entry = Bytes(dir, at);
        TZipMember member;
        member.PackedSize = Get(entry + 20, 4);
        uint64_t size = Get(entry + 24, 4);
        member.NameLength = Get(entry + 28, 2);
        const size_t extraLength = Get(entry + 30, 2);
        const size_t commentLength = Get(entry + 32, 2);
        member.LocalOffset = Get(entry + 42, 4);
        const size_t total = kEntrySize + member.NameLength + extraLength + commentLength;
        if (dir.size() - at < total)
            return false;
        // The 64-bit values stand in the extra field, each only where its 32-bit field is full.
        for (size_t e = at + kEntrySize + member.NameLength;
             e + 4 <= at + kEntrySize + member.NameLength + extraLength;) {
            const uint64_t id = Get(Bytes(dir, e), 2);
            const size_t length = Get(Bytes(dir, e + 2), 2);
            size_t field = e + 4;
            const size_t end = std::min(field + length, at + kEntrySize + member.NameLength + extraLength);
            if (id == 0x0001) {
                for (uint64_t* value : {&size, &member.PackedSize, &member.LocalOffset}) {
                    if (*value != 0xFFFFFFFF)
                        continue;
                    if (end - field < 8)
                        break;
                    *value = Get(Bytes(dir, field), 8);
                    field += 8;
                }
            }
            e += 4 + length;
        }
        members.push_back(member);
        at += total;
    }
    return true;
}

}  // namespace

bool ReadZipLayout(const std::string& path, TZipLayout& layout)
{
    layout = TZipLayout();
    const TFile file(path);
    if (!file.Open())
        return false;
    const uint64_t size = file.Size();
    if (size < kEndSize)
        return false;
    // The record is near the end: within the largest comment, and a few stray bytes past it.
    const uint64_t tailSize = std::min<uint64_t>(size, kMaxComment + kEndSize + 1024);
    std::string tail;
    if (!file.Read(size - tailSize, tail, tailSize))
        return false;
    for (size_t at = tail.size() - kEndSize + 1; at-- > 0;) {
        if (Get(Bytes(tail, at), 4) != kEndSignature)
            continue;
        const uint64_t endPos = size - tailSize + at;
        uint64_t count = Get(Bytes(tail, at + 10), 2);
        uint64_t dirSize = Get(Bytes(tail, at + 12), 4);
        uint64_t dirOffset = Get(Bytes(tail, at + 16), 4);
        uint64_t dirEnd = endPos;
        // A ZIP64 archive keeps its real values in a record of its own before this one.
        std::string locator;
        if (endPos >= kLocator64Size + kEnd64Size && file.Read(endPos - kLocator64Size, locator, kLocator64Size) &&
            Get(Bytes(locator), 4) == kLocator64Signature) {
            std::string end64;
            const uint64_t end64Pos = endPos - kLocator64Size - kEnd64Size;
            if (!file.Read(end64Pos, end64, kEnd64Size) || Get(Bytes(end64), 4) != kEnd64Signature)
                continue;
            count = Get(Bytes(end64, 32), 8);
            dirSize = Get(Bytes(end64, 40), 8);
            dirOffset = Get(Bytes(end64, 48), 8);
            dirEnd = end64Pos;
        }
        if (dirSize > dirEnd || dirOffset > dirEnd - dirSize || dirSize > kMaxDirectory || count > dirSize / kEntrySize)
            continue;
        layout.Start = dirEnd - dirSize - dirOffset;
        std::string dir;
        if (!file.Read(layout.Start + dirOffset, dir, dirSize) || !ReadEntries(dir, count, layout.Members)) {
            layout = TZipLayout();
            continue;
        }
        return true;
    }
    return false;
}

bool MembersOverlap(const TZipLayout& layout)
{
    std::vector<TZipMember> members = layout.Members;
    std::sort(members.begin(), members.end(),
              [](const TZipMember& a, const TZipMember& b) { return a.LocalOffset < b.LocalOffset; });
    for (size_t i = 0; i + 1 < members.size(); ++i) {
        const TZipMember& a = members[i];
        // The local header repeats the name; its extra field may differ and is not counted, so
        // that only a real overlap is found.
        const uint64_t end = a.LocalOffset + kLocalHeaderSize + a.NameLength + a.PackedSize;
        if (end < a.LocalOffset || members[i + 1].LocalOffset < end)
            return true;
    }
    return false;
}

}  // namespace zipfile
