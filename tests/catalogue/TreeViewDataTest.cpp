#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <vector>

#include "catalogue/LZWFilter.h"
#include "catalogue/MemoryStream.h"
#include "catalogue/StoredOutline.h"
#include "platform/TestFiles.h"
#include "catalogue/RecordRef.h"
#include "catalogue/TreeViewData.h"
#include "platform/Exception.h"

using namespace lumarc;

namespace {

std::string Image(const TTreeViewData& data)
{
    TMemoryStream stream;
    TWriter writer(stream);
    data.WriteData(writer);
    writer.FlushBuffer();
    return stream.Bytes();
}

TTreeViewData Read(const std::string& image)
{
    TMemoryStream stream(image);
    TReader reader(stream);
    TTreeViewData data;
    data.ReadData(reader);
    return data;
}

int Add(TTreeViewData& data, const std::string& text, int parent, const std::string& text2 = "")
{
    TTVRevEntry entry;
    entry.Text = text;
    entry.Text2 = text2;
    entry.Parent = parent;
    entry.Date = EncodeDate(1996, 5, 2);
    return data.AddNode(entry);
}

}  // namespace

TEST(CatalogueTreeViewData, EmptyImageIs25Bytes)
{
    const std::string image = Image(TTreeViewData());
    EXPECT_EQ(image, std::string(25, '\0'));
}

TEST(CatalogueTreeViewData, AssignNodesLaysOutWhatAddingOneByOneWould)
{
    // Random outlines in script order: each line hangs below one of the lines on the path to
    // the line before it, as indentation allows.
    std::mt19937 random(1996);
    for (int round = 0; round < 200; ++round) {
        const int count = static_cast<int>(random() % 60);
        TTreeViewData added;
        std::vector<TTVRevEntry> entries;
        std::vector<int> path;       // script indexes from the top down to the last line
        std::vector<int> positions;  // what AddNode returned for each script line
        for (int i = 0; i < count; ++i) {
            path.resize(random() % (path.size() + 1));
            const int parent = path.empty() ? -1 : path.back();
            TTVRevEntry entry;
            entry.Text = "Node " + std::to_string(i);
            entry.Text2 = std::to_string(round);
            entry.Date = EncodeDate(1996, 1 + i % 12, 1 + i % 28);
            entry.Parent = parent;
            entries.push_back(entry);
            entry.Parent = parent < 0 ? -1 : positions[static_cast<size_t>(parent)];
            positions.push_back(added.AddNode(entry));
            path.push_back(i);
        }
        TTreeViewData assigned;
        assigned.AssignNodes(entries);
        ASSERT_EQ(assigned, added) << "round " << round;
    }
}

TEST(CatalogueTreeViewData, AssignNodesLaysOutALargeOutline)
{
    // Fuzzing found a script of 20 000 outline lines that took seconds to build node by node.
    std::vector<TTVRevEntry> entries(200000);
    for (size_t i = 0; i < entries.size(); ++i)
        entries[i].Parent = i % 100 == 0 ? -1 : static_cast<int32_t>(i - i % 100);
    TTreeViewData data;
    data.AssignNodes(entries);
    EXPECT_EQ(data.Count(), 200000);
    EXPECT_EQ(data.RootCount, 2000);
    EXPECT_EQ(data.FirstChildList[0], 2000);
    EXPECT_EQ(data.ChildCountList[0], 99);
}

TEST(CatalogueTreeViewData, AddNodeKeepsChildrenInRunsAfterTheRoots)
{
    TTreeViewData data;
    const int tools = Add(data, "Tools", -1);
    Add(data, "Editors", tools);
    Add(data, "Grids", tools);
    EXPECT_EQ(Add(data, "Misc", -1), 1);

    EXPECT_EQ(data.RootCount, 2);
    EXPECT_EQ(data.Texts.Strings(), (std::vector<std::string>{"Tools", "Misc", "Editors", "Grids"}));
    EXPECT_EQ(data.FirstChildList.Values(), (std::vector<int32_t>{2, -1, -1, -1}));
    EXPECT_EQ(data.ChildCountList.Values(), (std::vector<int32_t>{2, 0, 0, 0}));
    EXPECT_EQ(data.ParentList.Values(), (std::vector<int32_t>{-1, -1, 0, 0}));
}

TEST(CatalogueTreeViewData, GrandchildrenStayWithTheirParentsWhenRunsMove)
{
    TTreeViewData data;
    const int a = Add(data, "A", -1);
    const int a1 = Add(data, "A1", a);
    Add(data, "A1x", a1);
    Add(data, "B", -1);
    const int b = 1;
    Add(data, "B1", b);
    for (int i = 0; i < data.Count(); ++i) {
        const int first = data.FirstChildList[i];
        for (int k = first; k >= 0 && k < first + data.ChildCountList[i]; ++k)
            EXPECT_EQ(data.ParentList[k], i) << data.Texts[k];
    }
    EXPECT_EQ(data.Texts[data.FirstChildList[data.FirstChildList[0]]], "A1x");
}

TEST(CatalogueTreeViewData, ImageRoundTripsWithSecondTextsDatesAndReferences)
{
    TTreeViewData data;
    const int tools = Add(data, "Tools", -1);
    Add(data, "Editors ", tools, "E1");
    Add(data, "Misc", -1);
    data.HasTexts2 = true;
    data.Texts.SetObject(0, MakeRecordRef(TRecordKind::rkComponent, 4096));
    data.Texts.SetObject(1, -1);
    data.Dates.SetItem(2, EncodeDate(1995, 12, 24));
    const TTreeViewData back = Read(Image(data));
    EXPECT_EQ(back, data);
    TTVRevEntry entry;
    back.GetNode(2, entry);
    EXPECT_EQ(entry.Text, "Editors ");
    EXPECT_EQ(entry.Text2, "E1");
    EXPECT_EQ(entry.Parent, 0);
    back.GetNode(0, entry);
    EXPECT_EQ(static_cast<uint32_t>(entry.RecordRef), 0x80001000u);
}

TEST(CatalogueTreeViewData, WithoutSecondTextsInTheImageEveryText2IsEmpty)
{
    TTreeViewData data;
    Add(data, "Tools", -1, "T");
    data.HasTexts2 = false;
    const TTreeViewData back = Read(Image(data));
    EXPECT_EQ(back.Texts2.Count(), 0);
    TTVRevEntry entry;
    back.GetNode(0, entry);
    EXPECT_EQ(entry.Text2, "");
    EXPECT_THROW(back.GetNode(1, entry), EListError);
}

TEST(CatalogueTreeViewData, PackedDatesAndReferenceBits)
{
    EXPECT_EQ(PackDate(EncodeDate(1995, 12, 24)), 0x07CB0C18);
    TTreeViewData data;
    Add(data, "X", -1);
    data.Dates.SetItem(0, EncodeDate(1995, 12, 24));
    const std::string image = Image(data);
    // root count, one text "X", flag, three one-entry lists, then the dates and references.
    EXPECT_EQ(image.substr(4 + 4 + 2 + 1 + 3 * 8 + 4, 4), std::string("\x18\x0C\xCB\x07", 4));

    EXPECT_EQ(RecordKindOf(static_cast<int32_t>(0x80001000u)), TRecordKind::rkComponent);
    EXPECT_EQ(RecordKindOf(0x40001000), TRecordKind::rkShort);
    EXPECT_EQ(RecordKindOf(0x00001000), TRecordKind::rkInfo);
    EXPECT_EQ(RecordKindOf(-1), TRecordKind::rkNone);
    for (int32_t ref : {static_cast<int32_t>(0x80001000u), 0x40001000, 0x00001000})
        EXPECT_EQ(RecordOffsetOf(ref), 4096);
}

TEST(CatalogueTreeViewData, InvalidPackedDateFailsWhenTheNodeIsRead)
{
    TTreeViewData data;
    Add(data, "X", -1);
    std::string image = Image(data);
    // Month 13: loading accepts it, GetNode reports it.
    image[4 + 4 + 2 + 1 + 3 * 8 + 4 + 1] = 13;
    const TTreeViewData back = Read(image);
    TTVRevEntry entry;
    EXPECT_THROW(back.GetNode(0, entry), EConvertError);
}

TEST(CatalogueTreeViewData, EveryTruncatedImageFailsWithReadError)
{
    TTreeViewData data;
    Add(data, "Tools", -1, "T");
    Add(data, "Sub", 0);
    data.HasTexts2 = true;
    const std::string image = Image(data);
    for (size_t length = 0; length < image.size(); ++length)
        EXPECT_THROW(Read(image.substr(0, length)), EReadError) << length;
}

// A search reads only the references, and the captions of its hits, where the outline is stored;
// it must take exactly the outlines loading takes, and give the same entries. Every cut of an image,
// and images with one byte changed anywhere (counts among them), are read both ways.
TEST(CatalogueTreeViewData, ItsEntriesReadFromStoredBytesAreThoseLoadingGives)
{
    TTreeViewData data;
    const int tools = Add(data, "Tools", -1, "T");
    Add(data, std::string(40, 'L'), tools);
    Add(data, "", tools, "E");
    Add(data, "Misc", -1);
    data.HasTexts2 = true;
    data.Texts.SetObject(0, MakeRecordRef(TRecordKind::rkComponent, 4096));
    data.Texts.SetObject(3, MakeRecordRef(TRecordKind::rkShort, 77));
    const std::string image = Image(data);
    test::TTempDir dir;
    const auto bothWays = [&dir](const std::string& tried) {
        std::optional<TTreeViewData> loaded;
        try {
            loaded = Read(tried);
        } catch (const Exception&) {
        }
        // Stored behind other bytes, as an outline lies behind its records.
        std::string stored = "rec" + tried;
        FilterBytes(stored.data(), static_cast<int64_t>(stored.size()));
        test::WriteFile(dir / "Lumarc32.dat", stored);
        const auto outline = TStoredOutline::Read(TMappedFile::Open(dir / "Lumarc32.dat"), 3);
        ASSERT_EQ(outline != nullptr, loaded.has_value());
        if (!outline)
            return;
        ASSERT_EQ(outline->Count(), loaded->Texts.Count());
        for (int i = 0; i < outline->Count(); ++i) {
            EXPECT_EQ(outline->Caption(i), loaded->Texts[i]);
            EXPECT_EQ(outline->Ref(i), loaded->Texts.Objects(i));
        }
    };
    bothWays(image);
    for (size_t length = 0; length < image.size(); ++length)
        bothWays(image.substr(0, length));
    for (size_t at = 0; at < image.size(); ++at)
        for (const char value : {'\0', '\x01', '\x7F', '\xFF'}) {
            std::string changed = image;
            changed[at] = value;
            bothWays(changed);
        }
}

TEST(CatalogueIntList, IncrementOutsideTheListIsARangeErrorAndChangesNothing)
{
    TIntList list;
    list.Add(5);
    EXPECT_THROW(list.Increment(-1), ERangeError);
    EXPECT_THROW(list.Increment(1), ERangeError);
    list.Increment(0);
    EXPECT_EQ(list.Values(), std::vector<int32_t>{6});
    EXPECT_THROW(list[1], EListError);
    EXPECT_THROW(list.Insert(3, 1), EListError);
    list.Insert(1, 9);
    list.Delete(0);
    EXPECT_EQ(list.Values(), std::vector<int32_t>{9});
}
