#include <iostream>

#include <nlohmann/json.hpp>

#include "Commands.h"
#include "OpenCatalogue.h"
#include "RecordText.h"
#include "catalogue/Coding.h"
#include "catalogue/ComponentFields.h"
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
        for (const TComponentField& field : kComponentFields) {
            switch (field.Kind) {
            case TFieldKind::fkString:
                out[field.Key] = Cp1252ToUtf8(c.*field.Text);
                break;
            case TFieldKind::fkByte:
                out[field.Key] = c.*field.Byte;
                break;
            case TFieldKind::fkList:
                out[field.Key] = Cp1252Array(c.*field.List);
                break;
            }
        }
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
