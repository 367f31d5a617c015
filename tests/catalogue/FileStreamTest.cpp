#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "platform/Exception.h"
#include "catalogue/FileStream.h"

using namespace lumarc;

namespace {

class FileStreamTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Dir = std::filesystem::temp_directory_path() / ("lumarc-filestream-" + std::to_string(::getpid()));
        std::filesystem::create_directories(Dir);
    }
    void TearDown() override { std::filesystem::remove_all(Dir); }

    std::filesystem::path Dir;
};

}  // namespace

TEST_F(FileStreamTest, SizeFollowsWritesAndLeavesThePositionAlone)
{
    const std::string name = (Dir / "Lumarc32.dat").string();
    TFileStream file(name, TFileStream::TMode::fmCreate);
    EXPECT_EQ(file.Size(), 0);
    file.WriteBuffer("0123456789", 10);
    EXPECT_EQ(file.Size(), 10);
    EXPECT_EQ(file.Position(), 10);
    file.SetPosition(3);
    EXPECT_EQ(file.Size(), 10);
    EXPECT_EQ(file.Position(), 3);
    char byte = 0;
    EXPECT_EQ(file.Read(&byte, 1), 1);
    EXPECT_EQ(byte, '3');

    // Another handle on the same file sees what was written through this one.
    TFileStream reader(name, TFileStream::TMode::fmOpenRead);
    EXPECT_EQ(reader.Size(), 10);
    file.SetPosition(12);
    file.WriteBuffer("x", 1);
    EXPECT_EQ(reader.Size(), 13);
}

TEST_F(FileStreamTest, ADeviceHasTheSizeItsEndSeeksTo)
{
    TFileStream null("/dev/null", TFileStream::TMode::fmOpenRead);
    EXPECT_EQ(null.Size(), 0);
    EXPECT_EQ(null.Position(), 0);
}

TEST_F(FileStreamTest, AMissingFileNamesItselfInTheOpenError)
{
    const std::string name = (Dir / "fehlt.idx").string();
    try {
        TFileStream file(name, TFileStream::TMode::fmOpenRead);
        FAIL() << "opened a missing file";
    } catch (const EFOpenError& e) {
        EXPECT_NE(std::string(e.what()).find("fehlt.idx"), std::string::npos) << e.what();
    }
}
