// The unzip binding: the text parameters, the record RunFunction fills, and loading the library.

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>

#include "catalogue/MemoryStream.h"
#include "install/core/DunzipLibrary.h"
#include "install/core/LPStr.h"
#include "install/core/UnzipFile.h"
#include "platform/Exception.h"
#include "platform/TestFiles.h"

namespace lumarc::test {
namespace {

TEST(InstallLPStr, FreeAndFixedBuffers)
{
    TLPStr text;
    EXPECT_EQ(text.TextPtr(), nullptr);
    text.SetText("abcdefgh");
    EXPECT_EQ(text.Text(), "abcdefgh");
    EXPECT_EQ(text.Capacity(), 9);
    EXPECT_FALSE(text.Fixed());

    text.SetCapacity(5);
    EXPECT_TRUE(text.Fixed());
    EXPECT_EQ(text.Text(), "abcd");  // keeps up to capacity - 1
    text.SetText("123456789");
    EXPECT_EQ(text.Text(), "1234");
    EXPECT_EQ(text.Capacity(), 5);
    char* buffer = text.TextPtr();
    text.ClearText();  // a fixed buffer is emptied in place
    EXPECT_EQ(text.TextPtr(), buffer);
    EXPECT_STREQ(text.TextPtr(), "");

    text.SetCapacity(0);
    EXPECT_FALSE(text.Fixed());
    text.SetText(nullptr);
    EXPECT_EQ(text.TextPtr(), nullptr);
    EXPECT_STREQ(text.CopyText().get(), "");
}

TEST(InstallLPStr, SameCapacityOnlyFixes)
{
    TLPStr text;
    text.SetText("abc");
    char* buffer = text.TextPtr();
    text.SetCapacity(4);
    EXPECT_TRUE(text.Fixed());
    EXPECT_EQ(text.TextPtr(), buffer);
}

TEST(InstallLPStr, StreamsAndStoredForm)
{
    TLPStr text;
    text.SetText("C:\\KOMP");
    TMemoryStream stream;
    text.WriteProperty(stream);
    const std::string bytes = stream.Bytes();
    EXPECT_EQ(bytes, std::string("\x05PChar\x0A\x08\x00\x00\x00" "C:\\KOMP\x00", 19));

    stream.SetPosition(6);
    TLPStr read;
    read.SetText("alt");
    read.ReadProperty(stream);
    EXPECT_EQ(read.Text(), "C:\\KOMP");

    TLPStr empty;
    TMemoryStream nothing;
    empty.WriteProperty(nothing);
    EXPECT_EQ(nothing.Size(), 0);

    TMemoryStream plain;
    text.SaveTextToStream(plain);
    EXPECT_EQ(plain.Size(), 7);
    plain.SetPosition(0);
    TLPStr fixed;
    fixed.SetCapacity(4);
    EXPECT_THROW(fixed.LoadTextFromStream(plain), EStreamError);  // fills all four: too long
    plain.SetPosition(0);
    TLPStr loose;
    loose.LoadTextFromStream(plain);
    EXPECT_EQ(loose.Text(), "C:\\KOMP");
}

TEST(InstallLPStr, DamagedStoredFormIsAnErrorNotAnAllocation)
{
    TMemoryStream stream;
    const char bytes[] = {0x0A, 0x7F, 0x7F, 0x7F, 0x7F, 'x'};
    stream.WriteBuffer(bytes, sizeof bytes);
    stream.SetPosition(0);
    TLPStr text;
    EXPECT_THROW(text.ReadProperty(stream), EReadError);
}

UnzipCommand gSeen;
int gCalls = 0;
int gResult = 0;
int FakeDunzip(UnzipCommand* command)
{
    ++gCalls;
    gSeen = *command;
    command->returnCount = 42;
    return gResult;
}

class InstallUnzipFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        gCalls = 0;
        gResult = 0;
        FOld = TUnzipFile::EntryPoint();
        TUnzipFile::SetEntryPoint(&FakeDunzip);
    }
    void TearDown() override { TUnzipFile::SetEntryPoint(FOld); }
    TDunzipEntry FOld = nullptr;
};

TEST_F(InstallUnzipFile, RunFunctionFillsTheRecord)
{
    TUnzipFile unzip;
    unzip.lpszZipFile.SetText("/disc/a.zip");
    unzip.lpszFileSpec.SetText("*.*");
    unzip.lpszDestination.SetText("/ziel/");
    unzip.Options = UnzipFlag(OverWriteFlag) | UnzipFlag(DecryptFlag);
    unzip.wUnzipSubOptions = USO_MINORCANCEL;
    ASSERT_TRUE(unzip.RunFunction(UNZIP_EXTRACT));
    // The record is packed: its fields are copied out before they are compared.
    const UnzipCommand seen = gSeen;
    const int32_t size = seen.unzipStructSize, function = seen.function;
    const int32_t overwrite = seen.overWriteFlag, freshen = seen.freshenFlag, decrypt = seen.decryptFlag;
    const int32_t resv1 = seen.lResv1;
    const uint16_t subOptions = seen.wUnzipSubOptions;
    const char* zip = seen.lpszZipFile;
    const char* dest = seen.lpszDestination;
    const char* code = seen.lpszDecryptCode;
    const char* info = seen.lpszInfoBuffer;
    const void* user = seen.lpMessageDisplayData;
    EXPECT_EQ(size, static_cast<int32_t>(sizeof(UnzipCommand)));
    EXPECT_EQ(function, 8);
    EXPECT_EQ(zip, unzip.lpszZipFile.TextPtr());
    EXPECT_EQ(dest, unzip.lpszDestination.TextPtr());
    EXPECT_EQ(code, nullptr);  // an empty text reaches the library as null
    EXPECT_EQ(info, unzip.InfoBuffer.data());
    EXPECT_EQ(overwrite, 1);
    EXPECT_EQ(freshen, 0);
    EXPECT_EQ(decrypt, 1);
    EXPECT_EQ(subOptions, USO_MINORCANCEL);
    EXPECT_EQ(user, &unzip);
    EXPECT_EQ(resv1, 0);
    EXPECT_EQ(unzip.ReturnCount, 42);
}

TEST_F(InstallUnzipFile, CodesOutOfRangeAndFailuresChangeNothing)
{
    TUnzipFile unzip;
    EXPECT_FALSE(unzip.RunFunction(0));
    EXPECT_FALSE(unzip.RunFunction(10));
    EXPECT_EQ(gCalls, 0);
    gResult = 3;
    unzip.ReturnCount = 7;
    EXPECT_FALSE(unzip.RunFunction(UNZIP_EXTRACT));
    EXPECT_EQ(gCalls, 1);
    EXPECT_EQ(unzip.ReturnCount, 7);
}

TEST_F(InstallUnzipFile, Code6FixesTheReturnStringCapacity)
{
    TUnzipFile unzip;
    unzip.ReturnCount = 9;
    unzip.RunFunction(kUnzipReturnStringFunction);
    EXPECT_TRUE(unzip.lpszReturnString.Fixed());
    EXPECT_EQ(unzip.lpszReturnString.Capacity(), 10);
    const char* returned = gSeen.lpszReturnString;
    EXPECT_NE(returned, nullptr);
}

TEST_F(InstallUnzipFile, CallbacksForwardToTheEventsOrReturnTheStartValue)
{
    TUnzipFile unzip;
    ASSERT_TRUE(unzip.RunFunction(UNZIP_EXTRACT));
    char text[8] = "x";
    EXPECT_EQ(gSeen.lpMinorStatus("a", 5, gSeen.lpMinorUserData), 0);
    EXPECT_EQ(gSeen.lpMessageDisplay(13, 0, 72, 0, text, nullptr, gSeen.lpMessageDisplayData), 0);
    unzip.OnMinorCallback = [](const char*, int32_t percent, bool& cancel) { cancel = percent > 50; };
    unzip.OnMessageCallback = [](uint16_t id, uint16_t, int32_t p1, int32_t, char*, char*, int& result) {
        result = id * 1000 + p1;
    };
    EXPECT_EQ(gSeen.lpMinorStatus("a", 60, gSeen.lpMinorUserData), 1);
    EXPECT_EQ(gSeen.lpMessageDisplay(0x10008, 0, 3, 0, text, nullptr, gSeen.lpMessageDisplayData), 8003);
    EXPECT_EQ(gSeen.lpRenameProc(nullptr, gSeen.lpRenameUserData), 0);
}

TEST_F(InstallUnzipFile, AssigningATextAsAWholeIsRefused)
{
    std::string reported;
    TUnzipFile unzip;
    unzip.OnError = [&](const std::string& text) { reported = text; };
    unzip.lpszZipFile.SetText("a");
    TLPStr other;
    other.SetText("b");
    unzip.Assign(unzip.lpszZipFile, other);
    EXPECT_EQ(unzip.lpszZipFile.Text(), "a");
    EXPECT_EQ(reported, "Cannot Directly assign a value to type LPSTR.  Use SetText");
}

class InstallDunzipLibrary : public ::testing::Test {
protected:
    void SetUp() override { FOld = TUnzipFile::EntryPoint(); }
    void TearDown() override { TUnzipFile::SetEntryPoint(FOld); }
    // The library the build made, found beside the test binaries' parent directory.
    static std::string Built()
    {
        const auto exe = std::filesystem::read_symlink("/proc/self/exe");
        return (exe.parent_path().parent_path() / "libdunzip32.so").string();
    }
    TDunzipEntry FOld = nullptr;
    TTempDir Dir;
};

TEST_F(InstallDunzipLibrary, FoundInTheProgramDirectory)
{
    // A name of its own: the test binary links the library, so its usual name is taken.
    std::filesystem::create_directories(Dir / "prog");
    std::filesystem::copy_file(Built(), Dir / "prog/libdunzipprog.so");
    TDunzipSearch search;
    search.LibraryName = "libdunzipprog.so";
    search.ProgramDir = Dir / "prog/";
    {
        TDunzipLibrary library;
        ASSERT_TRUE(library.Load(search));
        EXPECT_NE(TUnzipFile::EntryPoint(), nullptr);
    }
    EXPECT_EQ(TUnzipFile::EntryPoint(), nullptr);  // released with the library
}

TEST_F(InstallDunzipLibrary, CopiedFromTheDataDirectoryWhenMissing)
{
    std::filesystem::create_directories(Dir / "Data");
    std::filesystem::copy_file(Built(), Dir / "Data/libdunzipcopy.so");
    TDunzipSearch search;
    search.LibraryName = "libdunzipcopy.so";
    search.ProgramDir = Dir / "prog/";
    search.DataDir = Dir / "Data/";
    search.SystemDir = Dir / "lib";
    TDunzipLibrary library;
    ASSERT_TRUE(library.Load(search));
    EXPECT_TRUE(Exists(Dir / "lib/libdunzipcopy.so"));
    EXPECT_EQ(library.LoadedFrom(), Dir / "lib/libdunzipcopy.so");
}

TEST_F(InstallDunzipLibrary, NowhereToBeFoundFailsWithoutCopying)
{
    TDunzipSearch search;
    search.LibraryName = "libdunzipnirgends.so";
    search.ProgramDir = Dir / "prog/";
    search.DataDir = Dir / "Data/";
    search.SystemDir = Dir / "lib";
    TDunzipLibrary library;
    EXPECT_FALSE(library.Load(search));
    EXPECT_FALSE(Exists(Dir / "lib"));  // not even an empty directory is left behind
    EXPECT_STREQ(TDunzipLibrary::kLoadError, "Konnte DUNZIP32.DLL nicht finden!");
    EXPECT_STREQ(TDunzipLibrary::kLoadErrorCaption, "Lumarcer - Ladefehler");
}

TEST_F(InstallDunzipLibrary, ALibraryWithoutTheEntryPointIsRefused)
{
    std::filesystem::create_directories(Dir / "prog");
    // Any shared library without "dunzip" will do: the C library itself.
    std::filesystem::create_symlink("/lib/x86_64-linux-gnu/libm.so.6", Dir / "prog/libdunzipohne.so");
    TDunzipSearch search;
    search.LibraryName = "libdunzipohne.so";
    search.ProgramDir = Dir / "prog/";
    TDunzipLibrary library;
    EXPECT_FALSE(library.Load(search));
}

}  // namespace
}  // namespace lumarc::test
