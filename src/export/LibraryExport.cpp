#include "LibraryExport.h"

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include <nlohmann/json.hpp>

#include "HtmlText.h"
#include "SiteAssets.h"
#include "SiteFiles.h"
#include "SitePage.h"
#include "platform/Exception.h"

namespace lumarc {

namespace {

namespace fs = std::filesystem;

const char* const kIndexDir = "bibliothek-index";
// Files of about this size: small enough that a search reads little, large enough that a
// library does not become hundreds of thousands of files.
constexpr size_t kChunkBytes = 64 * 1024;
constexpr size_t kShardBytes = 32 * 1024;
constexpr size_t kMaxShards = 4096;

// A word ends at a blank, a control character, a no-break space or ASCII punctuation; search
// folds a-z alone, and so does the index. library.js splits the same way.
bool IsSeparator(unsigned char c)
{
    return c <= 0x20 || (c < 0x80 && !std::isalnum(c));
}

// The folded words of a UTF-8 line.
void AddWords(const std::string& line, std::set<std::string>& words)
{
    std::string word;
    for (size_t i = 0; i <= line.size(); ++i) {
        const auto c = i < line.size() ? static_cast<unsigned char>(line[i]) : 0;
        // U+00A0 is "\xC2\xA0" in UTF-8.
        const bool noBreak = c == 0xC2 && i + 1 < line.size() && static_cast<unsigned char>(line[i + 1]) == 0xA0;
        if (i == line.size() || IsSeparator(c) || noBreak) {
            if (!word.empty())
                words.insert(word);
            word.clear();
            i += noBreak ? 1 : 0;
            continue;
        }
        word += static_cast<char>(c >= 'a' && c <= 'z' ? c - ('a' - 'A') : c);
    }
}

// FNV-1a over the word's UTF-8 bytes, as library.js computes it.
uint32_t WordHash(const std::string& word)
{
    uint32_t hash = 2166136261u;
    for (const char c : word) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 16777619u;
    }
    return hash;
}

nlohmann::json ReadSiteIndex(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    nlohmann::json index;
    if (in)
        index = nlohmann::json::parse(in, nullptr, false);
    if (!in || index.is_discarded() || !index.contains("entries") || !index["entries"].is_array())
        throw EInOutError("Der Suchindex " + path + " kann nicht gelesen werden");
    return index;
}

std::string StartPage(const std::vector<TLibrarySite>& sites)
{
    std::string out;
    AppendPageStart(out, "Bibliothek", "", "outline library");
    out += "<h1>Bibliothek</h1>\n";
    AppendSearchForm(out, "");
    out += "<ul class=\"catalogues\">\n";
    for (const TLibrarySite& site : sites) {
        out += "<li><a href=\"" + UrlPath(site.Dir) + "/index.html\">";
        AppendHtml(out, site.Dir);
        out += "</a> &ndash; ";
        AppendHtml(out, site.Title);
        out += " (" + std::to_string(site.Entries) + " Eintr\xC3\xA4ge)</li>\n";
    }
    out += "</ul>\n";
    AppendPageEnd(out);
    return out;
}

std::string LibrarySearchPage()
{
    std::string out;
    AppendPageStart(out, "Volltextsuche in der Bibliothek", "", "search");
    out += "<nav class=\"path\"><a href=\"index.html\">Bibliothek</a></nav>\n<h1>Volltextsuche in der Bibliothek</h1>\n";
    AppendSearchBody(out, "<div id=\"library-hits\"></div>");
    out += "<script src=\"";
    out += kIndexDir;
    out += "/library.js\"></script>\n<script src=\"search.js\"></script>\n<script src=\"library.js\"></script>\n";
    AppendPageEnd(out);
    return out;
}

}  // namespace

std::string LibrarySiteDir(const std::string& label, std::set<std::string>& taken)
{
    std::string name;
    for (const char c : label)
        name += std::isalnum(static_cast<unsigned char>(c)) || c == '.' || c == '-' || c == '_' ? c : '_';
    if (name.empty() || name.find_first_not_of('.') == std::string::npos)
        name = "katalog";
    std::string dir = name;
    for (int number = 2; taken.count(dir) > 0 || dir == kIndexDir; ++number)
        dir = name + "-" + std::to_string(number);
    taken.insert(dir);
    return dir;
}

bool LibraryDirectoryIsFree(const std::string& outDir)
{
    std::error_code error;
    if (!fs::is_directory(outDir, error))
        return true;
    if (fs::directory_iterator(outDir, error) == fs::directory_iterator())
        return !error;
    return fs::is_regular_file(fs::path(outDir) / kIndexDir / "library.js", error);
}

void WriteLibrarySite(const std::string& outDir, const std::vector<TLibrarySite>& sites)
{
    const std::string indexDir = outDir + "/" + kIndexDir;
    MakeSiteDirectory(indexDir);
    // Records numbered in library order, each catalogue's in entry order: the order of the hits.
    std::map<std::string, std::vector<int>> postings;
    std::vector<size_t> chunkStarts;
    std::string chunk;
    int records = 0;
    const auto writeChunk = [&] {
        WriteSiteFile(indexDir + "/r" + std::to_string(chunkStarts.size() - 1) + ".js",
                      "lumarcLibraryRecords(" + std::to_string(chunkStarts.size() - 1) + ",[" + chunk + "]);\n");
        chunk.clear();
    };
    for (size_t site = 0; site < sites.size(); ++site) {
        const nlohmann::json index = ReadSiteIndex(outDir + "/" + sites[site].Dir + "/search-index.json");
        for (const nlohmann::json& entry : index["entries"]) {
            std::set<std::string> words;
            for (const nlohmann::json& line : entry.at(2))
                AddWords(line.get<std::string>(), words);
            for (const std::string& word : words)
                postings[word].push_back(records);
            if (chunk.empty())
                chunkStarts.push_back(static_cast<size_t>(records));
            else
                chunk += ",\n";
            nlohmann::json record = nlohmann::json::array({site, entry.at(0), entry.at(1), entry.at(2), entry.at(3)});
            chunk += record.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
            ++records;
            if (chunk.size() >= kChunkBytes)
                writeChunk();
        }
    }
    if (!chunk.empty())
        writeChunk();

    size_t postingBytes = 0;
    std::string words;
    for (const auto& [word, ids] : postings) {
        postingBytes += word.size() + 4 + ids.size() * 7;
        words += word;
        words += '\n';
    }
    if (!words.empty())
        words.pop_back();
    const size_t shards = std::clamp<size_t>(postingBytes / kShardBytes + 1, 1, kMaxShards);
    std::vector<nlohmann::json> shardMaps(shards, nlohmann::json::object());
    for (auto& [word, ids] : postings)
        shardMaps[WordHash(word) % shards][word] = std::move(ids);
    for (size_t shard = 0; shard < shards; ++shard)
        WriteSiteFile(indexDir + "/p" + std::to_string(shard) + ".js",
                      "lumarcLibraryPostings(" + std::to_string(shard) + "," +
                          shardMaps[shard].dump(-1, ' ', false, nlohmann::json::error_handler_t::replace) + ");\n");
    WriteSiteFile(indexDir + "/words.js",
                  "lumarcLibraryWords(" + nlohmann::json(words).dump(-1, ' ', false, nlohmann::json::error_handler_t::replace) + ");\n");

    nlohmann::json library;
    library["catalogues"] = nlohmann::json::array();
    for (const TLibrarySite& site : sites)
        library["catalogues"].push_back({{"dir", site.Dir}, {"title", site.Title}, {"entries", site.Entries}});
    library["shards"] = shards;
    library["chunkStarts"] = chunkStarts;
    library["records"] = records;
    WriteSiteFile(indexDir + "/library.js",
                  "window.lumarcLibrary = " + library.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace) + ";\n");

    WriteSiteFile(outDir + "/style.css", kSiteStyle);
    WriteSiteFile(outDir + "/search.js", kSiteSearchScript);
    WriteSiteFile(outDir + "/library.js", kSiteLibraryScript);
    WriteSiteFile(outDir + "/index.html", StartPage(sites));
    WriteSiteFile(outDir + "/search.html", LibrarySearchPage());
}

}  // namespace lumarc
