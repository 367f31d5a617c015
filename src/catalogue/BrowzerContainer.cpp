#include "BrowzerContainer.h"

#include <utility>

#include "Coding.h"
#include "ScriptOutlineText.h"

namespace lumarc {

std::string TBrowzerContainer::VersionMessage()
{
    return "Falsche Datendateien - bitte kopieren Sie die richtigen Dateien der Version: " +
           std::to_string(kFormatVersion) + " in das DATA-Verzeichnis!";
}

TBrowzerContainer::~TBrowzerContainer()
{
    CloseFiles();
}

void TBrowzerContainer::SetActive(bool value)
{
    if (value == FActive)
        return;
    FActive = value;
    if (!value) {
        CloseFiles();
        return;
    }
    if (FilesOpen)
        CloseFiles();
    try {
        OpenFiles();
    } catch (...) {
        CloseFiles();
        FActive = false;
        throw;
    }
}

void TBrowzerContainer::OpenFiles()
{
    FilesOpen = true;
    FDataFile = std::make_unique<TFileStream>(DataFileName, TFileStream::TMode::fmOpenRead);
    FIndexFile = std::make_unique<TFileStream>(IndexFileName, TFileStream::TMode::fmOpenRead);
    FIndexedStream = std::make_unique<TIndexedStream>(*FDataFile, *FIndexFile, false);
}

void TBrowzerContainer::CloseFiles()
{
    FilesOpen = false;
    FIndexedStream.reset();
    FIndexFile.reset();
    FDataFile.reset();
}

void TBrowzerContainer::TakeOpenFiles(TBrowzerContainer& other)
{
    if (FActive || !other.FActive || other.DataFileName != DataFileName || other.IndexFileName != IndexFileName)
        return;
    FDataFile = std::move(other.FDataFile);
    FIndexFile = std::move(other.FIndexFile);
    FIndexedStream = std::move(other.FIndexedStream);
    FActive = FilesOpen = true;
    other.FActive = other.FilesOpen = false;
}

TStream& TBrowzerContainer::DataStream() const
{
    if (!FIndexedStream)
        throw EBrowzerError("Datenbank nicht geöffnet");
    return FIndexedStream->DataStream();
}

void TBrowzerContainer::CheckVersion()
{
    const bool wasActive = FActive;
    struct RestoreActive {
        TBrowzerContainer& container;
        bool active;
        ~RestoreActive()
        {
            try {
                container.SetActive(active);
            } catch (...) {
            }
        }
    } restore{*this, wasActive};

    SetActive(true);
    char header[4];
    int64_t n = 0;
    try {
        TStream& data = FIndexedStream->DataStream();
        data.SetPosition(0);
        n = data.Read(header, 4);
        data.SetPosition(0);
    } catch (const std::exception&) {
        // A file that cannot be read here shows itself when the outline is loaded.
        return;
    }
    CheckVersion(std::string_view(header, static_cast<size_t>(std::max<int64_t>(n, 0))));
}

void TBrowzerContainer::CheckVersion(std::string_view start)
{
    const auto* header = reinterpret_cast<const uint8_t*>(start.data());
    if (start.size() < 4 || GetInt16LE(header) != kFormatVersion || GetInt16LE(header + 2) != kFormatWord2)
        throw EVersionError(VersionMessage());
}

void TBrowzerContainer::LoadOutline(TTreeViewData& treeData)
{
    if (!FActive)
        return;
    FTreeData = &treeData;
    const std::unique_ptr<TScriptOutlineText> outline = TScriptOutlineText::CreateWithData(nullptr, &treeData);
    FIndexedStream->DataStream().SetPosition(OutlineOffset());
    TRecordStreamScope scope(*outline, *FIndexedStream, 0);
    outline->Load();
}

namespace {

TIndexEntry OutlineKey()
{
    TIndexEntry key;
    key.RecordType = static_cast<int16_t>(TScriptOutlineText(nullptr).RecordType());
    return key;
}

[[noreturn]] void NoOutline()
{
    throw EBrowzerError("Konnte OutlineText nicht laden!");
}

}  // namespace

int32_t TBrowzerContainer::OutlineOffset() const
{
    TIndexEntry key = OutlineKey();
    if (!FIndexedStream || !FIndexedStream->FindEntry(key))
        NoOutline();
    return key.Offset;
}

int32_t TBrowzerContainer::OutlineOffset(std::string_view index)
{
    TIndexEntry key = OutlineKey();
    if (!TIndexedStream::FindEntry(index, key))
        NoOutline();
    return key.Offset;
}

void TBrowzerContainer::ReadRecord(TScriptComponent& record, int32_t offset)
{
    SetActive(true);
    FIndexedStream->DataStream().SetPosition(offset);
    TRecordStreamScope scope(record, *FIndexedStream, 0);
    record.Load();
}

}  // namespace lumarc
