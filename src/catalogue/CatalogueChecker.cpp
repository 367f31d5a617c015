#include "CatalogueChecker.h"

#include <cstdio>
#include <map>

#include "Coding.h"
#include "IndexedStream.h"
#include "ParamScriptComponent.h"
#include "RecordRef.h"
#include "ScriptOutlineText.h"

namespace lumarc {

namespace {

std::string Hex(int32_t value)
{
    char buf[16];
    std::snprintf(buf, sizeof buf, "0x%08X", static_cast<uint32_t>(value));
    return buf;
}

bool IsKnownType(int16_t type)
{
    return type == 2 || type == 3 || type == 4 || type == 5 || type == 6;
}

class TCheck {
public:
    TCheck(TStream& data, TStream& index) : FData(data), FIndexed(data, index, true), FIndexSize(index.Size())
    {
        FDataSize = data.Size();
    }

    std::vector<std::string> Run()
    {
        CheckHeader();
        CheckIndex();
        TTreeViewData tree;
        if (LoadOutline(tree) && CheckListSizes(tree)) {
            CheckStructure(tree);
            CheckNodes(tree);
        }
        return FProblems;
    }

private:
    void Problem(std::string text) { FProblems.push_back(std::move(text)); }

    void CheckHeader()
    {
        uint8_t header[4];
        if (FData.ReadAt(0, header, 4) != 4) {
            Problem("Datendatei: Kopf fehlt (kürzer als 4 Bytes)");
            return;
        }
        const int w1 = GetInt16LE(header), w2 = GetInt16LE(header + 2);
        if (w1 != 3 || w2 != 2)
            Problem("Datendatei: Formatwörter " + std::to_string(w1) + ", " + std::to_string(w2) +
                    " statt 3, 2");
    }

    void CheckIndex()
    {
        if (FIndexSize % TIndexEntry::kSize != 0)
            Problem("Indexdatei: " + std::to_string(FIndexSize % TIndexEntry::kSize) +
                    " Bytes am Ende ergeben keinen ganzen Eintrag");
        FEntries = FIndexed.Entries();
        int outlines = 0;
        for (size_t i = 0; i < FEntries.size(); ++i) {
            const TIndexEntry& e = FEntries[i];
            const std::string where = "Index-Eintrag " + std::to_string(i) + ": ";
            if (!IsKnownType(e.RecordType))
                Problem(where + "unbekannter Datensatztyp " + std::to_string(e.RecordType));
            if (!InsideData(e.Offset))
                Problem(where + "Offset " + std::to_string(e.Offset) + " liegt außerhalb der Datendatei (" +
                        std::to_string(FDataSize) + " Bytes)");
            if (e.RecordType == 3)
                ++outlines;
            FTypesAt.emplace(e.Offset, e.RecordType);
        }
        if (outlines > 1)
            Problem("Index: " + std::to_string(outlines) + " OutlineText-Einträge statt genau einem");
    }

    bool InsideData(int64_t offset) const { return offset >= 4 && offset < FDataSize; }

    bool LoadOutline(TTreeViewData& tree)
    {
        TIndexEntry key;
        key.RecordType = 3;
        if (!FIndexed.FindEntry(key)) {
            Problem("Konnte OutlineText nicht laden!");
            return false;
        }
        if (!InsideData(key.Offset))
            return false;
        TScriptOutlineText outline(nullptr, &tree);
        try {
            FData.SetPosition(key.Offset);
            TRecordStreamScope scope(outline, FIndexed, 0);
            outline.Load();
        } catch (const std::exception& e) {
            Problem(std::string("OutlineText: ") + e.what());
            return false;
        }
        return true;
    }

    bool CheckListSizes(const TTreeViewData& tree)
    {
        const int n = tree.Count();
        bool ok = true;
        auto expect = [&](const char* name, int count) {
            if (count != n) {
                Problem(std::string("Outline: ") + name + " hat " + std::to_string(count) + " Einträge statt " +
                        std::to_string(n));
                ok = false;
            }
        };
        if (tree.HasTexts2)
            expect("Texts2", tree.Texts2.Count());
        expect("ParentList", tree.ParentList.Count());
        expect("FirstChildList", tree.FirstChildList.Count());
        expect("ChildCountList", tree.ChildCountList.Count());
        expect("Dates", tree.Dates.Count());
        if (tree.RootCount < 0 || tree.RootCount > n) {
            Problem("Outline: RootCount " + std::to_string(tree.RootCount) + " bei " + std::to_string(n) +
                    " Einträgen");
            ok = false;
        }
        return ok;
    }

    void CheckStructure(const TTreeViewData& tree)
    {
        const int n = tree.Count();
        const std::vector<int32_t>& parent = tree.ParentList.Values();
        const std::vector<int32_t>& first = tree.FirstChildList.Values();
        const std::vector<int32_t>& count = tree.ChildCountList.Values();
        int roots = 0;
        for (int i = 0; i < n; ++i) {
            const std::string where = "Eintrag " + std::to_string(i) + ": ";
            const int32_t p = parent[static_cast<size_t>(i)];
            const int32_t f = first[static_cast<size_t>(i)];
            const int32_t c = count[static_cast<size_t>(i)];
            if (p == -1) {
                ++roots;
                if (i >= tree.RootCount)
                    Problem(where + "oberste Ebene, aber nicht unter den ersten " + std::to_string(tree.RootCount));
            } else if (p < 0 || p >= n) {
                Problem(where + "Elternindex " + std::to_string(p) + " ungültig");
            } else {
                const int64_t pf = first[static_cast<size_t>(p)], pc = count[static_cast<size_t>(p)];
                if (i < pf || i >= pf + pc)
                    Problem(where + "liegt nicht in der Kinderfolge seines Elterneintrags " + std::to_string(p));
            }
            if (c < 0) {
                Problem(where + "Kinderzahl " + std::to_string(c) + " ist negativ");
            } else if (c == 0) {
                if (f != -1)
                    Problem(where + "erstes Kind " + std::to_string(f) + " ohne Kinder");
            } else if (f < 0 || static_cast<int64_t>(f) + c > n) {
                Problem(where + "Kinderfolge " + std::to_string(f) + " + " + std::to_string(c) +
                        " liegt außerhalb der Gliederung");
            } else {
                for (int32_t k = f; k < f + c; ++k)
                    if (parent[static_cast<size_t>(k)] != i)
                        Problem(where + "Kind " + std::to_string(k) + " nennt " +
                                std::to_string(parent[static_cast<size_t>(k)]) + " als Elterneintrag");
            }
        }
        if (roots != tree.RootCount)
            Problem("Outline: RootCount " + std::to_string(tree.RootCount) + ", aber " + std::to_string(roots) +
                    " Einträge der obersten Ebene");
        CheckReachable(tree);
    }

    // Children that name each other as parents form a loop the outline can never reach.
    void CheckReachable(const TTreeViewData& tree)
    {
        const int n = tree.Count();
        std::vector<bool> seen(static_cast<size_t>(n), false);
        std::vector<int> pending;
        for (int i = 0; i < tree.RootCount && i < n; ++i)
            pending.push_back(i);
        while (!pending.empty()) {
            const int node = pending.back();
            pending.pop_back();
            if (seen[static_cast<size_t>(node)])
                continue;
            seen[static_cast<size_t>(node)] = true;
            const int64_t f = tree.FirstChildList.Values()[static_cast<size_t>(node)];
            const int64_t c = tree.ChildCountList.Values()[static_cast<size_t>(node)];
            for (int64_t k = f; c > 0 && k >= 0 && k < f + c && k < n; ++k)
                pending.push_back(static_cast<int>(k));
        }
        for (int i = 0; i < n; ++i)
            if (!seen[static_cast<size_t>(i)])
                Problem("Eintrag " + std::to_string(i) + ": von der obersten Ebene aus nicht erreichbar");
    }

    void CheckNodes(const TTreeViewData& tree)
    {
        for (int i = 0; i < tree.Count(); ++i) {
            const std::string where = "Eintrag " + std::to_string(i) + ": ";
            TDateTime date;
            if (!TryUnpackDate(tree.Dates.Packed(i), date))
                Problem(where + "ungültiges Datum " + Hex(tree.Dates.Packed(i)));
            CheckReference(where, tree.Texts.Objects(i));
        }
    }

    void CheckReference(const std::string& where, int32_t ref)
    {
        const TRecordKind kind = RecordKindOf(ref);
        if (kind == TRecordKind::rkNone)
            return;
        if ((static_cast<uint32_t>(ref) & (kComponentBit | kShortTextBit)) == (kComponentBit | kShortTextBit)) {
            Problem(where + "Verweis " + Hex(ref) + " hat beide Artbits gesetzt");
            return;
        }
        const int32_t offset = RecordOffsetOf(ref);
        if (!InsideData(offset)) {
            Problem(where + "Verweis auf Offset " + std::to_string(offset) + " außerhalb der Datendatei");
            return;
        }
        const uint16_t expected = RecordTypeOf(kind);
        const auto found = FTypesAt.equal_range(offset);
        bool matched = false;
        for (auto it = found.first; it != found.second; ++it)
            matched = matched || it->second == expected;
        if (found.first == found.second)
            Problem(where + "kein Index-Eintrag für Offset " + std::to_string(offset));
        else if (!matched)
            Problem(where + "Datensatz an Offset " + std::to_string(offset) + " ist vom Typ " +
                    std::to_string(found.first->second) + " statt " + std::to_string(expected));
        std::unique_ptr<TParamScriptComponent> record = CreateRecordFor(ref);
        try {
            FData.SetPosition(offset);
            TRecordStreamScope scope(*record, FIndexed, 0);
            record->Load();
        } catch (const std::exception& e) {
            Problem(where + "Datensatz an Offset " + std::to_string(offset) + ": " + e.what());
        }
    }

    TStream& FData;
    TIndexedStream FIndexed;
    int64_t FIndexSize;
    int64_t FDataSize = 0;
    std::vector<TIndexEntry> FEntries;
    std::multimap<int64_t, int16_t> FTypesAt;
    std::vector<std::string> FProblems;
};

}  // namespace

std::vector<std::string> TCatalogueChecker::Check(TStream& data, TStream& index)
{
    return TCheck(data, index).Run();
}

}  // namespace lumarc
