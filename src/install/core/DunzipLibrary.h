#pragma once
// Loading the unzip library at start-up: from the program's directory, then from the library
// directory of an installed program, then through the system's search order, and when all
// fail from a copy that the program puts from its data directory into the user's library
// directory. The first two are full paths: a bare name would depend on whose run path the
// dynamic loader applies (a sanitizer's dlopen applies none of the program's).

#include <string>

namespace lumarc {

struct TDunzipSearch {
    std::string LibraryName = "libdunzip32.so";
    std::string ProgramDir;  // with a trailing "/"
    std::string LibDir;      // the installed program's library directory; with a trailing "/"
    std::string DataDir;     // with a trailing "/"
    std::string SystemDir;   // without a trailing "/"
    // The defaults of the running program (ProgramDir, DataDir, SystemDir).
    static TDunzipSearch ForProgram();
};

class TDunzipLibrary {
public:
    static constexpr const char* kLoadError = "Konnte DUNZIP32.DLL nicht finden!";
    static constexpr const char* kLoadErrorCaption = "Lumarcer - Ladefehler";

    // Loads the library and makes its entry point the unzip component's. False when it cannot
    // be loaded or lacks the entry point; the caller then tells the user and ends.
    bool Load(const TDunzipSearch& search = TDunzipSearch::ForProgram());
    // Releases the library; the entry point is cleared first.
    ~TDunzipLibrary();

    const std::string& LoadedFrom() const { return FLoadedFrom; }

private:
    bool Open(const std::string& name);

    void* FHandle = nullptr;
    std::string FLoadedFrom;
};

}  // namespace lumarc
