#pragma once
// The catalogue as the program reaches it: the data file, the index file and the indexed
// stream over them, opened together when Active becomes true.

#include <memory>
#include <string>
#include <string_view>

#include "Component.h"
#include "FileStream.h"
#include "IndexedStream.h"
#include "platform/Exception.h"

namespace lumarc {

LUMARC_DECLARE_ERROR(EBrowzerError, Exception);
// A data file of another format version; its message is VersionMessage().
LUMARC_DECLARE_ERROR(EVersionError, EBrowzerError);

class TTreeViewData;
class TScriptComponent;

class TBrowzerContainer : public TComponent {
public:
    static constexpr int kFormatVersion = 3;
    static constexpr int kFormatWord2 = 2;
    // The exit code of a program that cannot go on without a catalogue of this version.
    static constexpr int kVersionExitCode = 1;

    static std::string VersionMessage();

    explicit TBrowzerContainer(TComponent* owner = nullptr) : TComponent(owner) {}
    ~TBrowzerContainer() override;

    std::string DataFileName = "Lumarc32.dat";
    std::string IndexFileName = "Lumarc32.idx";

    bool Active() const { return FActive; }
    // Opening raises the file's open error; the container is then closed again.
    void SetActive(bool value);
    TTreeViewData* TreeData() const { return FTreeData; }

    // Reads the 4-byte header straight from the data file; 03 00 02 00 passes, anything else
    // raises EVersionError. Leaves Active as it found it. What follows is the caller's: the viewer
    // ends at start-up and keeps its catalogue later, the command line tool exits.
    void CheckVersion();
    // The same on the data file's first bytes, read already.
    static void CheckVersion(std::string_view start);
    // Fills treeData from the first outline record in the index; nothing when not active.
    // Raises EBrowzerError "Konnte OutlineText nicht laden!" when the index has none.
    void LoadOutline(TTreeViewData& treeData);
    // Where that outline record lies in the data file; raises the same error when there is none
    // (or the container is not active).
    int32_t OutlineOffset() const;
    // The same from the index file's bytes, where they are at hand already.
    static int32_t OutlineOffset(std::string_view index);
    // Takes an outline that was read from these same files before (through a container of
    // its own) in place of loading it again.
    void AdoptOutline(TTreeViewData& treeData) { FTreeData = &treeData; }
    // Takes over the open files and index copy of `other`, which must be active on the same
    // file names while this one is not; else nothing changes. `other` is left inactive. Spares
    // opening the files, and copying the index, a second time.
    void TakeOpenFiles(TBrowzerContainer& other);

    // The indexed stream while active, else null.
    TIndexedStream* IndexedStream() const { return FIndexedStream.get(); }
    TStream& DataStream() const;

    // The reading protocol: activate, seek to offset, open the record stream, Load, close it
    // again (also on errors).
    void ReadRecord(TScriptComponent& record, int32_t offset);

private:
    void OpenFiles();
    void CloseFiles();

    bool FActive = false;
    bool FilesOpen = false;
    TTreeViewData* FTreeData = nullptr;
    std::unique_ptr<TFileStream> FDataFile;
    std::unique_ptr<TFileStream> FIndexFile;
    std::unique_ptr<TIndexedStream> FIndexedStream;
};

}  // namespace lumarc
