#include "SyntheticCatalogue.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <vector>

#include "catalogue/CompoText.h"
#include "catalogue/IndexedStream.h"
#include "catalogue/MemoryStream.h"
#include "catalogue/RecordRef.h"
#include "catalogue/ScriptOutlineText.h"
#include "catalogue/ShortText.h"
#include "platform/CodePage.h"
#include "catalogue/TreeViewData.h"
#include "search/core/QueryParser.h"

namespace lumarc {

namespace {

constexpr int kChildrenPerRoot = 49;

// Words of catalogue prose, some with CP1252 umlauts.
const char* const kWords[] = {
    "Komponente", "Datenbank", "Tabelle", "Delphi", "Formular", "Bericht", "Drucker", "Grafik",
    "Schnittstelle", "Quelltext", "Version", "Demo", "Shareware", "Freeware", "Registrierung",
    "Fenster", "Dialog", "Liste", "Baum", "Eigenschaft", "Ereignis", "Methode", "Objekt",
    "Bibliothek", "Funktion", "Datei", "Verzeichnis", "Netzwerk", "Zugriff", "Abfrage", "Index",
    "Feld", "Maske", "Eingabe", "Ausgabe", "Farbe", "Schrift", "Bild", "Symbol", "Men\xFC",
    "Schaltfl\xE4" "che", "Gr\xF6\xDF" "e", "L\xE4nge", "f\xFCr", "und", "oder", "mit", "ohne", "der", "die",
    "das", "ein", "eine", "wird", "kann", "alle", "neue", "schnell", "einfach", "komplett",
    "Unterst\xFCtzung", "Beispiel", "Hilfe", "Programm", "Anwendung", "Windows", "Zeichen",
};
constexpr uint32_t kWordCount = sizeof(kWords) / sizeof(kWords[0]);

class TRandom {
public:
    explicit TRandom(uint32_t seed) : FState(seed) {}
    uint32_t Next(uint32_t bound)
    {
        FState = FState * 1664525u + 1013904223u;
        return (FState >> 8) % bound;
    }
    int Between(int low, int high) { return low + static_cast<int>(Next(static_cast<uint32_t>(high - low + 1))); }

private:
    uint32_t FState;
};

std::string Line(TRandom& random)
{
    const size_t length = static_cast<size_t>(random.Between(30, 75));
    std::string line;
    while (line.size() < length) {
        if (!line.empty())
            line += ' ';
        line += kWords[random.Next(kWordCount)];
    }
    return line;
}

void FillLines(TStringList& lines, TRandom& random, int low, int high)
{
    lines.Clear();
    const int count = random.Between(low, high);
    for (int i = 0; i < count; ++i)
        lines.Add(Line(random));
}

std::string Number(int entry)
{
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%07d", entry);
    return buffer;
}

std::unique_ptr<TParamScriptComponent> MakeRecord(int entry, TRandom& random)
{
    switch (entry % 3) {
    case 0: {
        auto info = std::make_unique<TScriptInfoText>();
        TStringList body;
        FillLines(body, random, 15, 40);
        // A heading, then the body in the body font, as real info texts are written: a line
        // without a font mark keeps the one before.
        info->Lines.Clear();
        info->Lines.Add("<F1>Eintrag " + Number(entry));
        for (int i = 0; i < body.Count(); ++i)
            info->Lines.Add((i == 0 ? "<F0>" : "") + body[i]);
        return info;
    }
    case 1: {
        auto text = std::make_unique<TShortText>();
        TStringList prose;
        FillLines(prose, random, 8, 20);
        // Below the file name a short text is OEM text, as the memo shows it.
        text->Lines.Clear();
        text->Lines.Add("D:\\COMPS\\C" + Number(entry) + ".ZIP");
        for (const std::string& line : prose.Strings()) {
            std::string oem;
            Utf8ToCp850(Cp1252ToUtf8(line), oem);
            text->Lines.Add(std::move(oem));
        }
        return text;
    }
    default: {
        auto compo = std::make_unique<TCompoText>();
        compo->ShortName = "C" + Number(entry);
        compo->LongName = "Komponente " + Number(entry);
        compo->FileName = "D:\\COMPS\\C" + Number(entry) + ".ZIP";
        compo->Version = "1." + std::to_string(entry % 10);
        compo->LastReview = "01.05.96";
        compo->Copyright = "(c) 1996 Beispiel GmbH";
        compo->OS = "Windows 95";
        compo->Distribution = "Shareware";
        compo->Limitations = "keine";
        compo->Price = "49,- DM";
        compo->Rating = static_cast<uint8_t>(entry % 6);
        compo->Language = 1;
        compo->Compiler = TCompoText::cfDelphi | TCompoText::cfDelphi2;
        compo->KeyWords.Clear();
        for (int i = random.Between(4, 8); i > 0; --i)
            compo->KeyWords.Add(UpperCaseAZ(std::string_view(kWords[random.Next(kWordCount)])));
        FillLines(compo->ShortInfo, random, 3, 6);
        FillLines(compo->LongInfo, random, 10, 30);
        FillLines(compo->Installation, random, 3, 8);
        FillLines(compo->Review, random, 3, 8);
        FillLines(compo->Documentation, random, 2, 4);
        FillLines(compo->Contact, random, 3, 5);
        FillLines(compo->Order, random, 3, 5);
        return compo;
    }
    }
}

TRecordKind KindOf(int entry)
{
    return entry % 3 == 0 ? TRecordKind::rkInfo : entry % 3 == 1 ? TRecordKind::rkShort : TRecordKind::rkComponent;
}

}  // namespace

TCatalogueBuilder::TImages TSyntheticCatalogue::Make(int entryCount)
{
    TMemoryStream data;
    TMemoryStream index;
    const uint8_t header[4] = {3, 0, 2, 0};
    data.WriteBuffer(header, 4);
    TIndexedStream indexed(data, index, true);

    // Records in entry order, as a script built in outline order stores them.
    TRandom random(20260101u);
    std::vector<int32_t> refs(static_cast<size_t>(entryCount));
    for (int entry = 0; entry < entryCount; ++entry) {
        const std::unique_ptr<TParamScriptComponent> record = MakeRecord(entry, random);
        const auto offset = static_cast<int32_t>(data.Size());
        data.SetPosition(offset);
        TRecordStreamScope scope(*record, indexed, 1);
        record->Store();
        refs[static_cast<size_t>(entry)] = MakeRecordRef(KindOf(entry), offset);
    }

    // The outline is written list by list: adding nodes one by one costs a pass per node.
    TTreeViewData tree;
    const int roots = (entryCount + kChildrenPerRoot) / (kChildrenPerRoot + 1);
    tree.RootCount = roots;
    tree.HasTexts2 = true;
    const TDateTime date = EncodeDate(1996, 5, 1);
    for (int node = 0; node < entryCount; ++node) {
        const bool isRoot = node < roots;
        const int parent = isRoot ? -1 : (node - roots) / kChildrenPerRoot;
        const int firstChild = isRoot ? roots + node * kChildrenPerRoot : -1;
        const int childCount = isRoot ? std::max(0, std::min(kChildrenPerRoot, entryCount - firstChild)) : 0;
        tree.Texts.Add((isRoot ? "Gruppe " : "Eintrag ") + Number(node) + " ", refs[static_cast<size_t>(node)]);
        tree.Texts2.Add("E" + Number(node));
        tree.ParentList.Add(parent);
        tree.FirstChildList.Add(childCount > 0 ? firstChild : -1);
        tree.ChildCountList.Add(childCount);
        tree.Dates.Insert(node, date);
    }
    TScriptOutlineText outline(nullptr, &tree);
    data.SetPosition(data.Size());
    {
        TRecordStreamScope scope(outline, indexed, 1);
        outline.Store();
    }
    return {data.Bytes(), index.Bytes()};
}

void TSyntheticCatalogue::Write(int entryCount, const std::string& outDir)
{
    TCatalogueBuilder::WriteCatalogue(Make(entryCount), outDir + "/Data");
}

}  // namespace lumarc
