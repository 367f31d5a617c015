#include "CatalogueBuilder.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <map>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

#include "Coding.h"
#include "CompoText.h"
#include "IndexedStream.h"
#include "MemoryStream.h"
#include "RecordRef.h"
#include "ScriptOutlineText.h"
#include "ScriptParser.h"
#include "ShortText.h"
#include "platform/CodePage.h"
#include "platform/WholeFile.h"
#include "settings/core/Settings.h"

namespace lumarc {

namespace {

constexpr int32_t kMaxOffset = 0x40000000;

struct TBuiltRecord {
    int Keyword;
    int HeaderLine;
    std::string Name;
    std::unique_ptr<TParamScriptComponent> Record;
};

std::unique_ptr<TParamScriptComponent> CreateRecord(int keyword)
{
    switch (keyword) {
    case TScriptParser::kwOutline: return std::make_unique<TScriptOutlineText>();
    case TScriptParser::kwInfoText: return std::make_unique<TScriptInfoText>();
    case TScriptParser::kwShortText: return std::make_unique<TShortText>();
    case TScriptParser::kwComponent: return std::make_unique<TCompoText>();
    default: return nullptr;
    }
}

// The name between the first "[" and the first "]" of a header line.
std::string HeaderName(const std::string& line)
{
    const size_t open = line.find('[');
    const size_t close = line.find(']');
    if (open == std::string::npos || close == std::string::npos || open >= close)
        return {};
    return line.substr(open + 1, close - open - 1);
}

// Walks the keyword lines as the records' own parsing does and calls visit(keyword, header,
// body) for each record, so that every pass over a script agrees on where bodies lie.
template <class Visit>
void ForEachRecord(TScriptParser& parser, Visit visit)
{
    parser.Line = 0;
    while (parser.Line < static_cast<int>(parser.Lines.size())) {
        const int keyword = parser.KeywordAt(parser.Line);
        if (keyword != TScriptParser::kwNone && keyword != TScriptParser::kwEnd)
            visit(keyword, parser.Line);
        ++parser.Line;
    }
}

}  // namespace

std::string TCatalogueBuilder::Where(const TOrigin& origin) const
{
    return FFileNames[origin.File] + ":" + std::to_string(origin.Line) + ": ";
}

void TCatalogueBuilder::AddSource(const std::string& fileName, const std::string& utf8Text)
{
    const size_t file = FFileNames.size();
    FFileNames.push_back(fileName);
    std::string_view text = utf8Text;
    if (text.substr(0, 3) == "\xEF\xBB\xBF")
        text.remove_prefix(3);
    int lineNumber = 0;
    while (!text.empty()) {
        const size_t end = text.find('\n');
        std::string line(text.substr(0, end));
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        FLines.push_back(std::move(line));
        FOrigins.push_back({file, ++lineNumber});
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    }
}

void TCatalogueBuilder::AddFile(const std::string& path)
{
    std::string text;
    if (const int error = ReadWholeFile(path, text))
        throw EBuildError(path + ": " + std::strerror(error));
    AddSource(path, text);
}

TCatalogueBuilder::TImages TCatalogueBuilder::Build() const
{
    if (FFileNames.empty())
        throw EBuildError("keine Skriptdatei angegeben");

    // Without a keyword line after it, the last record's body would be cut to two lines.
    std::vector<std::string> utf8 = FLines;
    std::vector<TOrigin> origins = FOrigins;
    utf8.push_back("END");
    origins.push_back({FFileNames.size() - 1, FOrigins.empty() ? 1 : FOrigins.back().Line + 1});

    // Which lines are OEM text: the body lines of short texts below their first.
    TScriptParser parser;
    parser.Lines = utf8;
    parser.LastBodyLine = static_cast<int>(utf8.size()) - 2;
    std::vector<bool> oem(utf8.size(), false);
    ForEachRecord(parser, [&](int keyword, int) {
        const TScriptParser::TBody body = parser.NextBody();
        if (keyword == TScriptParser::kwShortText)
            for (int i = body.Start + 1; i <= body.Last; ++i)
                oem[static_cast<size_t>(i)] = true;
        parser.Line = parser.Line - 1;
    });

    for (size_t i = 0; i < utf8.size(); ++i) {
        std::string converted;
        const bool ok = oem[i] ? Utf8ToCp850(utf8[i], converted) : Utf8ToCp1252(utf8[i], converted);
        if (!ok)
            throw EBuildError(Where(origins[i]) + "Zeichen ist in " + (oem[i] ? "CP850" : "CP1252") +
                              " nicht darstellbar");
        parser.Lines[i] = std::move(converted);
    }

    std::vector<TBuiltRecord> records;
    std::map<std::string, size_t> byName;
    TBuiltRecord* outline = nullptr;
    ForEachRecord(parser, [&](int keyword, int header) {
        TBuiltRecord built{keyword, header, HeaderName(parser.Lines[static_cast<size_t>(header)]),
                           CreateRecord(keyword)};
        if (keyword == TScriptParser::kwOutline && outline)
            throw EBuildError(Where(origins[static_cast<size_t>(header)]) + "zweiter OUTLINE-Datensatz");
        if (!built.Name.empty() && !byName.emplace(UpperCaseAnsi(built.Name), records.size()).second)
            throw EBuildError(Where(origins[static_cast<size_t>(header)]) + "Name [" +
                              Cp1252ToUtf8(built.Name) + "] ist schon vergeben");
        built.Record->ParseScript(parser);
        if (built.Record->Date == 0)
            built.Record->Date = DefaultRecordDate();
        records.push_back(std::move(built));
        if (keyword == TScriptParser::kwOutline)
            outline = &records.back();
    });
    if (!outline)
        throw EBuildError(Where({0, 1}) + "kein OUTLINE-Datensatz");
    // records no longer grows: the pointer stays valid from here on.
    outline = nullptr;
    for (TBuiltRecord& r : records)
        if (r.Keyword == TScriptParser::kwOutline)
            outline = &r;
    auto& outlineRecord = static_cast<TScriptOutlineText&>(*outline->Record);

    // Every link must name a record before anything is stored.
    for (int i = 0; i < outlineRecord.Lines.Count(); ++i) {
        std::string text, text2;
        TScriptOutlineText::SplitLine(outlineRecord.Lines[i], 0, text, text2);
        if (!text2.empty() && !byName.count(UpperCaseAnsi(text2)))
            throw EBuildError(Where(origins[static_cast<size_t>(outline->HeaderLine + 1 + i)]) +
                              "unbekannter Verweis [" + Cp1252ToUtf8(text2) + "]");
    }

    TMemoryStream data;
    TMemoryStream index;
    const uint8_t header[4] = {3, 0, 2, 0};
    data.WriteBuffer(header, 4);
    TIndexedStream indexed(data, index, true);
    std::vector<int32_t> refs(records.size(), kNoRecord);
    for (size_t i = 0; i < records.size(); ++i) {
        TBuiltRecord& r = records[i];
        if (&r == outline)
            continue;
        const int32_t offset = static_cast<int32_t>(data.Size());
        if (data.Size() >= kMaxOffset)
            throw EBuildError(Where(origins[static_cast<size_t>(r.HeaderLine)]) + "Katalog zu groß");
        data.SetPosition(offset);
        TRecordStreamScope scope(*r.Record, indexed, 1);
        r.Record->Store();
        const TRecordKind kind = r.Keyword == TScriptParser::kwComponent   ? TRecordKind::rkComponent
                                 : r.Keyword == TScriptParser::kwShortText ? TRecordKind::rkShort
                                                                           : TRecordKind::rkInfo;
        refs[i] = MakeRecordRef(kind, offset);
    }

    TTreeViewData& tree = *outlineRecord.TreeData;
    tree.HasTexts2 = false;
    for (int node = 0; node < tree.Count(); ++node) {
        const std::string_view text2 = tree.Texts2[node];
        int32_t ref = kNoRecord;
        TDateTime date = outlineRecord.Date;
        if (!text2.empty()) {
            const size_t target = byName.at(UpperCaseAnsi(text2));
            ref = refs[target];
            date = records[target].Record->Date;
            tree.HasTexts2 = true;
        }
        tree.Texts.SetObject(node, ref);
        tree.Dates.SetItem(node, date);
    }
    if (data.Size() >= kMaxOffset)
        throw EBuildError(Where(origins[static_cast<size_t>(outline->HeaderLine)]) + "Katalog zu groß");
    data.SetPosition(data.Size());
    {
        TRecordStreamScope scope(outlineRecord, indexed, 1);
        outlineRecord.Store();
    }
    return {data.Bytes(), index.Bytes()};
}

void TCatalogueBuilder::WriteCatalogue(const TImages& images, const std::string& outDir)
{
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::create_directories(outDir, ec);
    if (ec)
        throw EBuildError(outDir + ": " + ec.message());

    struct TTarget {
        std::string Final;
        const std::string* Bytes;
        std::string Temp;
    };
    TTarget targets[] = {{outDir + "/Lumarc32.dat", &images.Data, {}}, {outDir + "/Lumarc32.idx", &images.Index, {}}};
    auto removeTemps = [&] {
        for (TTarget& t : targets)
            if (!t.Temp.empty())
                ::unlink(t.Temp.c_str());
    };
    for (TTarget& t : targets) {
        std::string pattern = t.Final + ".XXXXXX";
        const int fd = ::mkstemp(pattern.data());
        if (fd < 0) {
            const std::string reason = std::strerror(errno);
            removeTemps();
            throw EBuildError(t.Final + ": " + reason);
        }
        t.Temp = pattern;
        const char* p = t.Bytes->data();
        size_t left = t.Bytes->size();
        bool ok = ::fchmod(fd, 0644) == 0;
        while (ok && left > 0) {
            const ssize_t n = ::write(fd, p, left);
            if (n < 0 && errno == EINTR)
                continue;
            ok = n > 0;
            if (ok) {
                p += n;
                left -= static_cast<size_t>(n);
            }
        }
        ok = ok && ::fsync(fd) == 0;
        const int savedErrno = errno;
        ok = ::close(fd) == 0 && ok;
        if (!ok) {
            removeTemps();
            throw EBuildError(t.Final + ": " + std::strerror(savedErrno ? savedErrno : EIO));
        }
    }
    for (TTarget& t : targets) {
        if (::rename(t.Temp.c_str(), t.Final.c_str()) != 0) {
            const std::string reason = std::strerror(errno);
            removeTemps();
            throw EBuildError(t.Final + ": " + reason);
        }
        t.Temp.clear();
    }
}

}  // namespace lumarc
