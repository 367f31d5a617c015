#pragma once
// Scratch directories, environment overrides and whole-file helpers for the tests.

#include <signal.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <stdexcept>
#include <string>
#include <system_error>

namespace lumarc::test {

// A fresh directory below the system's temporary directory, removed with all it holds.
class TTempDir {
public:
    // Below `parent` instead, for a directory on another file system.
    explicit TTempDir(const std::filesystem::path& parent = std::filesystem::temp_directory_path())
    {
        std::string pattern = (parent / "lumarc-test-XXXXXX").string();
        if (!::mkdtemp(pattern.data()))
            throw std::runtime_error("mkdtemp failed");
        FPath = pattern;
    }
    ~TTempDir()
    {
        std::error_code ec;
        // Tests leave read-only directories behind; give them back to the owner first.
        for (auto it = std::filesystem::recursive_directory_iterator(FPath, ec);
             !ec && it != std::filesystem::recursive_directory_iterator(); it.increment(ec)) {
            if (it->is_directory(ec) && !it->is_symlink(ec))
                ::chmod(it->path().c_str(), 0700);
        }
        std::filesystem::remove_all(FPath, ec);
    }
    TTempDir(const TTempDir&) = delete;
    TTempDir& operator=(const TTempDir&) = delete;

    const std::string& Path() const { return FPath; }
    std::string operator/(const std::string& name) const { return FPath + "/" + name; }

private:
    std::string FPath;
};

// Lets no file of this process grow beyond `bytes` while the object lives, which is how a full
// destination disk looks to a writer: the write fails (EFBIG) instead of raising a signal.
class TFileSizeLimit {
public:
    explicit TFileSizeLimit(rlim_t bytes)
    {
        FOldHandler = ::signal(SIGXFSZ, SIG_IGN);
        ::getrlimit(RLIMIT_FSIZE, &FOld);
        rlimit limit = FOld;
        limit.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~TFileSizeLimit()
    {
        ::setrlimit(RLIMIT_FSIZE, &FOld);
        ::signal(SIGXFSZ, FOldHandler);
    }
    TFileSizeLimit(const TFileSizeLimit&) = delete;
    TFileSizeLimit& operator=(const TFileSizeLimit&) = delete;

private:
    rlimit FOld {};
    sighandler_t FOldHandler = SIG_DFL;
};

// Sets an environment variable for the life of the object and restores it afterwards.
class TScopedEnv {
public:
    TScopedEnv(const char* name, const std::string& value) : FName(name)
    {
        if (const char* old = std::getenv(name))
            FOld = old;
        ::setenv(name, value.c_str(), 1);
    }
    ~TScopedEnv()
    {
        if (FOld)
            ::setenv(FName, FOld->c_str(), 1);
        else
            ::unsetenv(FName);
    }
    TScopedEnv(const TScopedEnv&) = delete;
    TScopedEnv& operator=(const TScopedEnv&) = delete;

private:
    const char* FName;
    std::optional<std::string> FOld;
};

inline void WriteFile(const std::string& path, const std::string& contents)
{
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << contents;
    if (!out)
        throw std::runtime_error("cannot write " + path);
}

inline std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline bool Exists(const std::string& path)
{
    std::error_code ec;
    return std::filesystem::exists(std::filesystem::symlink_status(path, ec));
}

}  // namespace lumarc::test
