#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "catalogue/MappedFile.h"
#include "platform/TestFiles.h"

using namespace lumarc;

// A page that cannot be read would end the program when touched; a file cut short after it
// was mapped stands in for a damaged disc here. What can be read is read in, what cannot is
// said, and nothing is touched.
TEST(CatalogueMappedFile, APageThatCannotBeReadIsSaidNotTouched)
{
    test::TTempDir dir;
    const std::string bytes(3 * 65536, 'x');
    test::WriteFile(dir / "Lumarc32.dat", bytes);
    const auto file = TMappedFile::Map(dir / "Lumarc32.dat");
    ASSERT_TRUE(file);
    std::filesystem::resize_file(dir / "Lumarc32.dat", 65536);
    EXPECT_TRUE(file->ReadIn(0, 65536));
    EXPECT_EQ(file->Bytes().substr(0, 65536), bytes.substr(0, 65536));
    EXPECT_FALSE(file->ReadIn(0, bytes.size()));
    EXPECT_FALSE(file->ReadIn(2 * 65536 + 100, 10));

    test::WriteFile(dir / "leer.dat", "");
    EXPECT_FALSE(TMappedFile::Open(dir / "leer.dat"));
    EXPECT_FALSE(TMappedFile::Open(dir / "fehlt.dat"));
    EXPECT_FALSE(TMappedFile::Open(dir.Path()));
    EXPECT_EQ(TMappedFile::Open(dir / "Lumarc32.dat")->Bytes(), bytes.substr(0, 65536));
}
