#include "DunzipLibrary.h"

#include <dlfcn.h>
#include <unistd.h>

#include <filesystem>
#include <iostream>

#include "UnzipFile.h"
#include "platform/Exception.h"
#include "settings/core/FileRoutines.h"
#include "settings/core/PathRoutines.h"

namespace lumarc {

TDunzipSearch TDunzipSearch::ForProgram()
{
    TDunzipSearch search;
    search.ProgramDir = lumarc::ProgramDir();
    search.LibDir = search.ProgramDir + LUMARC_BIN_TO_LIB;
    search.DataDir = lumarc::DataDir();
    search.SystemDir = lumarc::SystemDir();
    return search;
}

bool TDunzipLibrary::Open(const std::string& name)
{
    void* handle = ::dlopen(name.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle)
        return false;
    auto entry = reinterpret_cast<TDunzipEntry>(::dlsym(handle, "dunzip"));
    // A library without the entry point would fail at the first unpacking; refuse it now.
    if (!entry) {
        ::dlclose(handle);
        return false;
    }
    FHandle = handle;
    FLoadedFrom = name;
    TUnzipFile::SetEntryPoint(entry);
    return true;
}

bool TDunzipLibrary::Load(const TDunzipSearch& search)
{
    if (FHandle)
        return true;
    if ((!search.ProgramDir.empty() && Open(search.ProgramDir + search.LibraryName)) ||
        (!search.LibDir.empty() && Open(search.LibDir + search.LibraryName)) || Open(search.LibraryName))
        return true;
    if (search.DataDir.empty() || search.SystemDir.empty())
        return false;
    const std::string copy = search.SystemDir + "/" + search.LibraryName;
    // Without a library in the data directory there is nothing to copy, and no reason to
    // leave an empty directory in the user's home.
    const std::string original = search.DataDir + search.LibraryName;
    if (::access(original.c_str(), R_OK) != 0)
        return false;
    try {
        std::error_code ec;
        std::filesystem::create_directories(search.SystemDir, ec);
        CopyFileBlocks(original, copy);
    } catch (const Exception& e) {
        // A copy that cannot be written leaves the library missing, which is reported below.
        std::cerr << "lumarc: " << copy << ": " << e.what() << '\n';
        return false;
    }
    return Open(copy);
}

TDunzipLibrary::~TDunzipLibrary()
{
    if (!FHandle)
        return;
    TUnzipFile::SetEntryPoint(nullptr);
    ::dlclose(FHandle);
}

}  // namespace lumarc
