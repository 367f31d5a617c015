#include <iostream>

#include <nlohmann/json.hpp>

#include "Commands.h"
#include "OpenCatalogue.h"
#include "RecordText.h"
#include "catalogue/Coding.h"
#include "catalogue/CompoText.h"
#include "catalogue/RecordRef.h"
#include "catalogue/ShortText.h"
#include "platform/CodePage.h"

namespace lumarc {

namespace {

using Json = nlohmann::ordered_json;

Json Cp1252Array(const TStringList& list)
{
    Json array = Json::array();
    for (const std::string& s : list.Strings())
        array.push_back(Cp1252ToUtf8(s));
    return array;
}

const char* KindName(TRecordKind kind)
{
    switch (kind) {
    case TRecordKind::rkInfo: return "info";
    case TRecordKind::rkShort: return "short";
    case TRecordKind::rkComponent: return "component";
    case TRecordKind::rkNone: break;
    }
    return "";
}

void AddContent(Json& out, const TParamScriptComponent& record, TRecordKind kind)
{
    if (kind == TRecordKind::rkShort) {
        out["lines"] = ShortTextLinesUtf8(static_cast<const TShortText&>(record).Lines);
    } else if (kind == TRecordKind::rkInfo) {
        out["lines"] = Cp1252Array(static_cast<const TScriptInfoText&>(record).Lines);
    } else {
        const auto& c = static_cast<const TCompoText&>(record);
        out["shortName"] = Cp1252ToUtf8(c.ShortName);
        out["longName"] = Cp1252ToUtf8(c.LongName);
        out["fileName"] = Cp1252ToUtf8(c.FileName);
        out["version"] = Cp1252ToUtf8(c.Version);
        out["lastReview"] = Cp1252ToUtf8(c.LastReview);
        out["copyright"] = Cp1252ToUtf8(c.Copyright);
        out["os"] = Cp1252ToUtf8(c.OS);
        out["distribution"] = Cp1252ToUtf8(c.Distribution);
        out["limitations"] = Cp1252ToUtf8(c.Limitations);
        out["price"] = Cp1252ToUtf8(c.Price);
        out["rating"] = c.Rating;
        out["language"] = c.Language;
        out["compiler"] = c.Compiler;
        out["keyWords"] = Cp1252Array(c.KeyWords);
        out["shortInfo"] = Cp1252Array(c.ShortInfo);
        out["longInfo"] = Cp1252Array(c.LongInfo);
        out["installation"] = Cp1252Array(c.Installation);
        out["review"] = Cp1252Array(c.Review);
        out["documentation"] = Cp1252Array(c.Documentation);
        out["contact"] = Cp1252Array(c.Contact);
        out["order"] = Cp1252Array(c.Order);
    }
}

}  // namespace

int RunDump(const std::string& catalogue)
{
    const std::unique_ptr<TOpenCatalogue> opened = OpenCatalogue(catalogue);
    if (!opened)
        return 1;
    TBrowzerContainer& container = opened->Container;
    const TTreeViewData& tree = opened->TreeData;
    int status = 0;

    Json dump;
    uint8_t header[4] = {};
    container.DataStream().ReadAt(0, header, 4);
    dump["header"] = {GetInt16LE(header), GetInt16LE(header + 2)};
    Json index = Json::array();
    for (const TIndexEntry& e : container.IndexedStream()->Entries())
        index.push_back({{"type", e.RecordType}, {"offset", e.Offset}});
    dump["index"] = std::move(index);
    dump["rootCount"] = tree.RootCount;
    dump["hasTexts2"] = tree.HasTexts2;

    // Lists of a corrupt outline may be shorter than Texts: such entries read as -1 or 0.
    auto item = [](const TIntList& list, int i, int32_t missing) { return i < list.Count() ? list[i] : missing; };
    Json nodes = Json::array();
    for (int i = 0; i < tree.Count(); ++i) {
        Json node;
        node["text"] = Cp1252ToUtf8(tree.Texts[i]);
        node["text2"] = i < tree.Texts2.Count() ? Cp1252ToUtf8(tree.Texts2[i]) : std::string();
        node["parent"] = item(tree.ParentList, i, -1);
        node["firstChild"] = item(tree.FirstChildList, i, -1);
        node["childCount"] = item(tree.ChildCountList, i, 0);
        TDateTime date;
        if (i < tree.Dates.Count() && TryUnpackDate(tree.Dates.Packed(i), date))
            node["date"] = DateToIso(date);
        else
            node["date"] = nullptr;
        node["ref"] = tree.Texts.Objects(i);
        nodes.push_back(std::move(node));
    }
    dump["nodes"] = std::move(nodes);

    Json records = Json::array();
    for (int i = 0; i < tree.Count(); ++i) {
        const int32_t ref = tree.Texts.Objects(i);
        const TRecordKind kind = RecordKindOf(ref);
        if (kind == TRecordKind::rkNone)
            continue;
        Json record;
        record["entry"] = i;
        record["kind"] = KindName(kind);
        record["offset"] = RecordOffsetOf(ref);
        std::unique_ptr<TParamScriptComponent> loaded = CreateRecordFor(ref);
        try {
            container.ReadRecord(*loaded, RecordOffsetOf(ref));
            AddContent(record, *loaded, kind);
        } catch (const std::exception& e) {
            record["error"] = e.what();
            status = 1;
        }
        records.push_back(std::move(record));
    }
    dump["records"] = std::move(records);
    std::cout << dump.dump(2) << '\n';
    return status;
}

}  // namespace lumarc
