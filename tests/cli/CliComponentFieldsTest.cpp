// Every field of the component body set to a value of its own, then read back by each reader of
// the body: a field that one reader leaves out, or reads in another's place, shows here.

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>

#include <nlohmann/json.hpp>

#include "catalogue/ComponentFields.h"
#include "cli/CliRun.h"

namespace {

using lumarc::kComponentFields;
using lumarc::TComponentField;
using lumarc::TFieldKind;
using lumarc::TSectionValue;
using lumarc::test::TRun;
using Cli = lumarc::test::TCliTest;

std::string Marker(const TComponentField& field)
{
    std::string marker = "Q";
    for (const char* c = field.Key; *c; ++c)
        marker += static_cast<char>(std::toupper(static_cast<unsigned char>(*c)));
    return marker + "Z";
}

// A byte field's value, and the source line that gives it.
int ByteValue(const TComponentField& field, int index)
{
    return field.Value == TSectionValue::svCompilerFlags ? 5 : 40 + index;
}
std::string ByteLine(const TComponentField& field, int index)
{
    return field.Value == TSectionValue::svCompilerFlags ? "Delphi BP" : std::to_string(ByteValue(field, index));
}

}  // namespace

TEST_F(Cli, EveryComponentFieldReachesTheDumpTheSearchAndThePrintText)
{
    std::string script = "OUTLINE [Gliederung] {\r\nTeil [Teil]\r\n}\r\nCOMPONENT [Teil] {\r\n";
    int index = 0;
    for (const TComponentField& field : kComponentFields) {
        script += std::string(field.Section) + "\r\n";
        script += (field.Kind == TFieldKind::fkByte ? ByteLine(field, index) : Marker(field)) + "\r\n";
        ++index;
    }
    script += "}\r\n";
    const std::filesystem::path cat = BuildScript(script);

    const TRun dump = Run("dump " + cat.string());
    ASSERT_EQ(dump.Status, 0) << dump.Err;
    const auto record = nlohmann::ordered_json::parse(dump.Out)["records"][0];
    const TRun show = Run("show " + cat.string() + " 0");
    ASSERT_EQ(show.Status, 0) << show.Err;

    const std::set<std::string> searched = {"keyWords", "shortInfo", "longInfo", "installation",
                                            "review",   "longName",  "fileName"};
    const std::set<std::string> printed = {"longName", "version", "shortInfo", "order",
                                           "price",    "contact", "keyWords",  "longInfo"};
    index = 0;
    for (const TComponentField& field : kComponentFields) {
        SCOPED_TRACE(field.Key);
        const std::string marker = Marker(field);
        switch (field.Kind) {
        case TFieldKind::fkString:
            EXPECT_EQ(record[field.Key], marker);
            break;
        case TFieldKind::fkByte:
            EXPECT_EQ(record[field.Key], ByteValue(field, index));
            break;
        case TFieldKind::fkList:
            EXPECT_EQ(record[field.Key], nlohmann::json::array({marker}));
            break;
        }
        if (field.Kind != TFieldKind::fkByte) {
            const TRun search = Run("search " + cat.string() + " " + marker);
            EXPECT_EQ(search.Out.rfind("0\t", 0) == 0, searched.count(field.Key) == 1) << search.Out;
            EXPECT_EQ(show.Out.find(marker) != std::string::npos, printed.count(field.Key) == 1) << show.Out;
        }
        ++index;
    }
}
