// The unzip library on libzip. One run extracts the members of an archive that match a file
// specification into a destination directory, asking the caller for its texts and its answers
// through the callbacks of the parameter record. Nothing is ever written outside the
// destination: a member that names a path leading out of it, a link, or an implausible size is
// refused and reported, and the run ends with a non-zero result.

#include "UnzipCommand.h"
#include "ZipLayout.h"

#include <fcntl.h>
#include <fnmatch.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <sys/types.h>
#include <unistd.h>
#include <zip.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr zip_uint64_t kMaxMemberSize = zip_uint64_t{1} << 30;
constexpr int kYes = 6;
constexpr int kCancel = 2;
constexpr int kFull = -3;  // a member failed because the destination has no room left
constexpr int32_t kQuestionType = 0x23;  // yes/no/cancel with a question mark
constexpr int32_t kNoticeType = 0x40;    // OK with an information sign

bool DestinationFull(int error)
{
    return error == ENOSPC || error == EDQUOT || error == EFBIG;
}

struct TZipCloser {
    void operator()(zip_t* archive) const { zip_discard(archive); }
};
struct TZipFileCloser {
    void operator()(zip_file_t* file) const { zip_fclose(file); }
};

class TFd {
public:
    explicit TFd(int fd) : FFd(fd) {}
    ~TFd()
    {
        if (FFd >= 0)
            ::close(FFd);
    }
    TFd(const TFd&) = delete;
    TFd& operator=(const TFd&) = delete;
    int Get() const { return FFd; }
    int Release()
    {
        const int fd = FFd;
        FFd = -1;
        return fd;
    }

private:
    int FFd;
};

// The first "%s" of a text replaced by a value; any other "%" stays as it is, so a caller's
// text can never make us read arguments that are not there.
std::string Complete(const std::string& text, const std::string& value)
{
    const size_t at = text.find("%s");
    if (at == std::string::npos)
        return text;
    return text.substr(0, at) + value + text.substr(at + 2);
}

bool MatchesSpec(const char* spec, const std::string& name)
{
    if (!spec || !*spec || std::strcmp(spec, "*.*") == 0 || std::strcmp(spec, "*") == 0)
        return true;
    if (::fnmatch(spec, name.c_str(), FNM_CASEFOLD) == 0)
        return true;
    const size_t slash = name.find_last_of('/', name.size() > 1 ? name.size() - 2 : 0);
    const std::string base = slash == std::string::npos ? name : name.substr(slash + 1);
    return ::fnmatch(spec, base.c_str(), FNM_CASEFOLD) == 0;
}

// The member's path components below the destination, or nothing when the name could lead
// outside it: absolute, with a drive, or with a ".." component.
bool SplitMemberName(const std::string& raw, std::vector<std::string>& parts, bool& isDirectory)
{
    std::string name = raw;
    for (char& c : name) {
        if (c == '\\')
            c = '/';
    }
    if (name.empty() || name[0] == '/' || name.find('\0') != std::string::npos)
        return false;
    if (name.size() >= 2 && name[1] == ':')
        return false;
    isDirectory = name.back() == '/';
    size_t start = 0;
    while (start <= name.size()) {
        size_t end = name.find('/', start);
        if (end == std::string::npos)
            end = name.size();
        const std::string part = name.substr(start, end - start);
        if (part == "..")
            return false;
        if (!part.empty() && part != ".")
            parts.push_back(part);
        start = end + 1;
    }
    return !parts.empty();
}

class TExtraction {
public:
    explicit TExtraction(UnzipCommand& command) : FCmd(command) {}
    int Run();

private:
    std::string AskText(int32_t number);
    int Ask(const std::string& question, const std::string& caption);
    void Notify(int32_t msgId, int32_t type, const std::string& text1, const std::string& text2);
    bool Status(const std::string& item, int32_t percent);
    void Refuse(const std::string& member, const char* reason);
    // DZ_OK when the members may be written; otherwise says why and returns the result.
    int CheckBounds(const std::vector<zip_uint64_t>& members, bool overlapping);
    // 0 when the folders are there, -1 when one is a link, else the system's error number.
    int EnsureDirectories(const std::vector<std::string>& parts, size_t count, std::string& path);
    // A member whose folders could not be made: refused when a link is in the way (unsafe),
    // else failed with the reason. False when it is so.
    bool FoldersMade(const std::string& member, int result);
    // 0 written, 1 skipped, -1 refused or failed, -2 cancelled.
    int ExtractFile(zip_uint64_t index, const zip_stat_t& stat, const std::string& member, const std::string& target,
                    mode_t mode);
    int WriteMember(zip_uint64_t index, const zip_stat_t& stat, const std::string& member, const std::string& target,
                    mode_t mode, bool replacing);

    UnzipCommand& FCmd;
    std::unique_ptr<zip_t, TZipCloser> FArchive;
    std::string FDest;
    bool FRefused = false;
    bool FFailed = false;
};

std::string TExtraction::AskText(int32_t number)
{
    if (!FCmd.lpMessageDisplay)
        return {};
    std::vector<char> buffer(DZ_TEXT_BUFFER, '\0');
    const int answer = FCmd.lpMessageDisplay(DZ_MSG_TEXT, 0, number, 0, buffer.data(), nullptr, FCmd.lpMessageDisplayData);
    buffer.back() = '\0';
    return answer == 1 ? std::string(buffer.data()) : std::string();
}

int TExtraction::Ask(const std::string& question, const std::string& caption)
{
    if (!FCmd.lpMessageDisplay)
        return 0;
    std::vector<char> text(question.begin(), question.end());
    text.push_back('\0');
    std::vector<char> title(caption.begin(), caption.end());
    title.push_back('\0');
    return FCmd.lpMessageDisplay(DZ_MSG_QUESTION, kQuestionType, 0, 0, text.data(), title.data(), FCmd.lpMessageDisplayData);
}

void TExtraction::Notify(int32_t msgId, int32_t type, const std::string& text1, const std::string& text2)
{
    if (!FCmd.lpMessageDisplay)
        return;
    std::vector<char> a(text1.begin(), text1.end());
    a.push_back('\0');
    std::vector<char> b(text2.begin(), text2.end());
    b.push_back('\0');
    FCmd.lpMessageDisplay(msgId, type, 0, 0, a.data(), b.data(), FCmd.lpMessageDisplayData);
}

bool TExtraction::Status(const std::string& item, int32_t percent)
{
    return FCmd.lpMinorStatus && FCmd.lpMinorStatus(item.c_str(), percent, FCmd.lpMinorUserData) == 1;
}

void TExtraction::Refuse(const std::string& member, const char* reason)
{
    FRefused = true;
    Notify(DZ_MSG_REFUSED, 0x30, member, reason);
}

// Creates the first `count` components below the destination; an existing component must be
// a real directory, never a link that could lead elsewhere.
int TExtraction::EnsureDirectories(const std::vector<std::string>& parts, size_t count, std::string& path)
{
    path = FDest;
    for (size_t i = 0; i < count; ++i) {
        path += "/" + parts[i];
        struct stat st {};
        if (::lstat(path.c_str(), &st) == 0) {
            if (S_ISLNK(st.st_mode))
                return -1;
            if (!S_ISDIR(st.st_mode))
                return EEXIST;
            continue;
        }
        if (::mkdir(path.c_str(), 0777) != 0) {
            if (errno != EEXIST)
                return errno;
            continue;
        }
        Notify(DZ_MSG_FOLDER, kNoticeType, path, std::string());
    }
    return 0;
}

bool TExtraction::FoldersMade(const std::string& member, int result)
{
    if (result == 0)
        return true;
    if (result < 0) {
        Refuse(member, "a path component is a link");
    } else {
        FFailed = true;
        Notify(DZ_MSG_FAILED, kNoticeType, member, "errno " + std::to_string(result));
    }
    return false;
}

int TExtraction::WriteMember(zip_uint64_t index, const zip_stat_t& stat, const std::string& member,
                             const std::string& target, mode_t mode, bool replacing)
{
    std::unique_ptr<zip_file_t, TZipFileCloser> in(zip_fopen_index(FArchive.get(), index, 0));
    if (!in) {
        Notify(DZ_MSG_FAILED, kNoticeType, member, "damaged");
        return -1;
    }
    std::string temp = target + ".dzXXXXXX";
    TFd out(::mkstemp(temp.data()));
    if (out.Get() < 0) {
        const int error = errno;
        Notify(DZ_MSG_FAILED, kNoticeType, member, "errno " + std::to_string(error));
        return DestinationFull(error) ? kFull : -1;
    }
    bool ok = true;
    bool damaged = false;
    int writeError = 0;
    zip_uint64_t produced = 0;
    std::vector<char> buffer(64 * 1024);
    for (;;) {
        const zip_int64_t n = zip_fread(in.get(), buffer.data(), buffer.size());
        if (n < 0) {
            ok = false;
            damaged = true;
            break;
        }
        if (n == 0)
            break;
        produced += static_cast<zip_uint64_t>(n);
        // The stored size may lie; what the data really unpacks to counts as well.
        if (produced > stat.size || produced > kMaxMemberSize) {
            ::close(out.Release());
            ::unlink(temp.c_str());
            Refuse(member, "unpacks to more than it claims");
            return -1;
        }
        for (zip_int64_t done = 0; done < n;) {
            const ssize_t w = ::write(out.Get(), buffer.data() + done, static_cast<size_t>(n - done));
            if (w < 0) {
                if (errno == EINTR)
                    continue;
                writeError = errno;
                ok = false;
                break;
            }
            done += w;
        }
        if (!ok)
            break;
    }
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ok = ok && ::fchmod(out.Get(), mode & ~mask) == 0;
    if (ok && (stat.valid & ZIP_STAT_MTIME)) {
        const struct timespec times[2] = {{stat.mtime, 0}, {stat.mtime, 0}};
        ::futimens(out.Get(), times);
    }
    if (::close(out.Release()) != 0 && ok) {
        writeError = errno;
        ok = false;
    }
    // The rename replaces the old file (or a link in its place) without writing through it.
    if (ok && replacing)
        Notify(DZ_MSG_REPLACING, kNoticeType, target, std::string());
    if (ok && ::rename(temp.c_str(), target.c_str()) != 0) {
        writeError = errno;
        ok = false;
    }
    if (!ok) {
        ::unlink(temp.c_str());
        Notify(DZ_MSG_FAILED, kNoticeType, member, damaged ? std::string("damaged") : "errno " + std::to_string(writeError));
        return DestinationFull(writeError) ? kFull : -1;
    }
    Notify(DZ_MSG_WRITTEN, kNoticeType, target, replacing ? "replaced" : "new");
    return 0;
}

int TExtraction::ExtractFile(zip_uint64_t index, const zip_stat_t& stat, const std::string& member,
                             const std::string& target, mode_t mode)
{
    struct stat st {};
    const bool exists = ::lstat(target.c_str(), &st) == 0;
    if (exists) {
        if (S_ISDIR(st.st_mode)) {
            Notify(DZ_MSG_FAILED, kNoticeType, member, "errno " + std::to_string(EISDIR));
            return -1;
        }
        if (!FCmd.overWriteFlag) {
            const bool readOnly = (st.st_mode & S_IWUSR) == 0 || ::access(target.c_str(), W_OK) != 0;
            std::string question = AskText(readOnly ? DZ_TEXT_OVERWRITE_RO : DZ_TEXT_OVERWRITE);
            if (question.empty())
                question = "File %s already exists. Overwrite it?";
            std::string caption = AskText(DZ_TEXT_WARNING_CAPTION);
            const int answer = Ask(Complete(question, target), caption);
            if (answer == kCancel) {
                Notify(DZ_MSG_CANCELLED, kNoticeType, std::string(), std::string());
                return -2;
            }
            if (answer != kYes)
                return 1;  // no (7), or no answer at all: keep what is there
        }
    }
    return WriteMember(index, stat, member, target, mode, exists);
}

// A bomb is refused by what makes it harmful, not by how well its data pack (a megabyte of
// zeros packs a thousandfold and is an ordinary file): members that share their data, more
// than the bound in all, more than the destination has room for. Nothing is written then.
int TExtraction::CheckBounds(const std::vector<zip_uint64_t>& members, bool overlapping)
{
    zip_uint64_t total = 0;
    for (const zip_uint64_t i : members) {
        zip_stat_t stat;
        zip_stat_init(&stat);
        if (zip_stat_index(FArchive.get(), i, 0, &stat) == 0 && (stat.valid & ZIP_STAT_SIZE))
            total += std::min(stat.size, kMaxMemberSize + 1);
    }
    const char* reason = overlapping ? "members share their data" : total > kMaxMemberSize ? "implausible size" : nullptr;
    if (reason) {
        for (const zip_uint64_t i : members)
            Refuse(zip_get_name(FArchive.get(), i, 0), reason);
        return DZ_ERR_REFUSED;
    }
    struct statvfs room {};
    if (::statvfs(FDest.c_str(), &room) == 0 &&
        static_cast<unsigned __int128>(room.f_bavail) * room.f_frsize < total) {
        const std::string archive = FCmd.lpszZipFile;
        Notify(DZ_MSG_FAILED, kNoticeType, archive.substr(archive.find_last_of('/') + 1),
               "errno " + std::to_string(ENOSPC));
        return DZ_ERR_WRITE;
    }
    return DZ_OK;
}

int TExtraction::Run()
{
    if (!FCmd.lpszZipFile || !FCmd.lpszDestination || !*FCmd.lpszDestination)
        return DZ_ERR_PARAMS;
    FDest = FCmd.lpszDestination;
    for (char& c : FDest) {
        if (c == '\\')
            c = '/';
    }
    while (FDest.size() > 1 && FDest.back() == '/')
        FDest.pop_back();

    // No consistency check of libzip's own: it refuses archives that every common tool reads
    // (a stray byte after the comment, Info-ZIP's ZIP64); what is unsafe is checked per member.
    zipfile::TZipLayout layout;
    const bool laidOut = zipfile::ReadZipLayout(FCmd.lpszZipFile, layout);
    if (laidOut && layout.Start > 0) {
        // Bytes in front that the archive's offsets do not count (a self-extractor's program).
        zip_error_t sourceError;
        zip_error_init(&sourceError);
        zip_source_t* source = zip_source_file_create(FCmd.lpszZipFile, layout.Start, 0, &sourceError);
        if (source) {
            FArchive.reset(zip_open_from_source(source, ZIP_RDONLY, &sourceError));
            if (!FArchive)
                zip_source_free(source);
        }
        zip_error_fini(&sourceError);
    } else {
        int error = 0;
        FArchive.reset(zip_open(FCmd.lpszZipFile, ZIP_RDONLY, &error));
    }
    if (!FArchive)
        return DZ_ERR_ARCHIVE;
    const zip_int64_t count = zip_get_num_entries(FArchive.get(), 0);
    if (count < 0)
        return DZ_ERR_ARCHIVE;

    std::vector<zip_uint64_t> members;
    for (zip_uint64_t i = 0; i < static_cast<zip_uint64_t>(count); ++i) {
        const char* name = zip_get_name(FArchive.get(), i, 0);
        if (!name)
            return DZ_ERR_ARCHIVE;
        if (MatchesSpec(FCmd.lpszFileSpec, name))
            members.push_back(i);
    }
    struct stat destStat {};
    if (::stat(FDest.c_str(), &destStat) != 0) {
        if (::mkdir(FDest.c_str(), 0777) != 0)
            return DZ_ERR_WRITE;
        Notify(DZ_MSG_FOLDER, kNoticeType, FDest, std::string());
    } else if (!S_ISDIR(destStat.st_mode)) {
        return DZ_ERR_WRITE;
    }
    if (const int result = CheckBounds(members, laidOut && layout.Members.size() == static_cast<size_t>(count) &&
                                                    zipfile::MembersOverlap(layout));
        result != DZ_OK)
        return result;

    int32_t written = 0;
    for (size_t n = 0; n < members.size(); ++n) {
        const zip_uint64_t i = members[n];
        const std::string member = zip_get_name(FArchive.get(), i, 0);
        const std::string text = AskText(DZ_TEXT_EXTRACTING);
        // The share of the members already dealt with, before this one: 0 for the first.
        const int32_t percent = static_cast<int32_t>(n * 100 / members.size());
        if (Status(text.empty() ? member : Complete(text, member), percent)) {
            Notify(DZ_MSG_CANCELLED, kNoticeType, std::string(), std::string());
            return DZ_ERR_CANCELLED;
        }

        std::vector<std::string> parts;
        bool isDirectory = false;
        if (!SplitMemberName(member, parts, isDirectory)) {
            Refuse(member, "path leads outside the destination");
            continue;
        }
        zip_uint8_t opsys = 0;
        zip_uint32_t attributes = 0;
        mode_t mode = 0666;
        if (zip_file_get_external_attributes(FArchive.get(), i, 0, &opsys, &attributes) == 0 && opsys == ZIP_OPSYS_UNIX) {
            const mode_t unixMode = attributes >> 16;
            const mode_t type = unixMode & S_IFMT;
            // What zip wrote of a pipe it read is ordinary data; a pipe, device or link is
            // never made.
            if (type != 0 && type != S_IFREG && type != S_IFDIR && type != S_IFIFO) {
                Refuse(member, "links and special files are not extracted");
                continue;
            }
            if (type == S_IFDIR)
                isDirectory = true;
            if (unixMode & 0777)
                mode = (unixMode & 0777) | 0600;
        }
        std::string path;
        if (isDirectory) {
            FoldersMade(member, EnsureDirectories(parts, parts.size(), path));
            continue;
        }
        zip_stat_t stat;
        zip_stat_init(&stat);
        if (zip_stat_index(FArchive.get(), i, 0, &stat) != 0 || !(stat.valid & ZIP_STAT_SIZE) ||
            !(stat.valid & ZIP_STAT_COMP_SIZE)) {
            Notify(DZ_MSG_FAILED, kNoticeType, member, "damaged");
            FFailed = true;
            continue;
        }
        if (stat.size > kMaxMemberSize) {
            Refuse(member, "implausible size");
            continue;
        }
        if (!FoldersMade(member, EnsureDirectories(parts, parts.size() - 1, path)))
            continue;
        const std::string target = path + "/" + parts.back();
        const int result = ExtractFile(i, stat, member, target, mode);
        if (result == -2)
            return DZ_ERR_CANCELLED;
        // Every later member would fail the same way, each leaving the disk fuller.
        if (result == kFull)
            return DZ_ERR_WRITE;
        if (result == 0)
            ++written;
        else if (result < 0)
            FFailed = true;
    }
    FCmd.returnCount = written;
    if (FRefused)
        return DZ_ERR_REFUSED;
    return FFailed ? DZ_ERR_WRITE : DZ_OK;
}

}  // namespace

extern "C" __attribute__((visibility("default"))) int dunzip(UnzipCommand* command)
{
    if (!command || command->unzipStructSize != static_cast<int32_t>(sizeof(UnzipCommand)))
        return DZ_ERR_PARAMS;
    if (command->function != UNZIP_EXTRACT)
        return DZ_ERR_PARAMS;
    try {
        TExtraction extraction(*command);
        return extraction.Run();
    } catch (...) {
        // Nothing may unwind into a C caller.
        return DZ_ERR_WRITE;
    }
}
