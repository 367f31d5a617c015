#include <cstdio>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include <nlohmann/json.hpp>

#include "Commands.h"
#include "OpenCatalogue.h"
#include "catalogue/ComponentNames.h"
#include "catalogue/CompoText.h"
#include "platform/CodePage.h"
#include "search/core/ComponentList.h"

namespace lumarc {

namespace {

constexpr int kUsageExit = 2;

using Json = nlohmann::ordered_json;

Json Utf8Array(const std::vector<std::string>& cp1252)
{
    Json array = Json::array();
    for (const std::string& text : cp1252)
        array.push_back(Cp1252ToUtf8(text));
    return array;
}

Json RowJson(const TComponentRow& row)
{
    Json out;
    out["entry"] = row.Entry;
    out["shortName"] = Cp1252ToUtf8(row.ShortName);
    out["longName"] = Cp1252ToUtf8(row.LongName);
    out["fileName"] = Cp1252ToUtf8(row.FileName);
    out["version"] = Cp1252ToUtf8(row.Version);
    out["rating"] = row.Rating;
    out["language"] = row.Language;
    out["compiler"] = row.Compiler;
    out["compilers"] = Utf8Array(CompilerNames(row.Compiler));
    out["os"] = Cp1252ToUtf8(row.OS);
    out["distribution"] = Cp1252ToUtf8(row.Distribution);
    out["price"] = Cp1252ToUtf8(row.Price);
    out["keyWords"] = Utf8Array(row.KeyWords);
    if (row.Date)
        out["date"] = DateToIso(*row.Date);
    else
        out["date"] = nullptr;
    return out;
}

// "YYYY-MM-DD" naming a day of the calendar, and nothing else.
bool ParseIsoDate(const std::string& text, TDateTime& date)
{
    int year = 0, month = 0, day = 0;
    char rest = 0;
    return text.size() == 10 && text[4] == '-' && text[7] == '-' &&
           std::sscanf(text.c_str(), "%4d-%2d-%2d%c", &year, &month, &day, &rest) == 3 &&
           text.find_first_not_of("0123456789-") == std::string::npos && TryEncodeDate(year, month, day, date);
}

// A text filter as the catalogue holds its texts; none when Windows-1252 cannot hold it, and
// then nothing can match it.
bool Cp1252Filter(const std::optional<std::string>& utf8, std::optional<std::string>& filter)
{
    if (!utf8)
        return true;
    std::string bytes;
    if (!Utf8ToCp1252(*utf8, bytes))
        return false;
    filter = std::move(bytes);
    return true;
}

}  // namespace

int RunComponents(const std::string& catalogue, const TComponentsOptions& options)
{
    TComponentFilter filter;
    for (const std::string& name : options.Compilers) {
        if (name == "delphi1")
            filter.Compilers |= TCompoText::cfDelphi;
        else if (name == "delphi2")
            filter.Compilers |= TCompoText::cfDelphi2;
        else if (name == "bp")
            filter.Compilers |= TCompoText::cfBP;
        else {
            std::cerr << "Unbekannter Compiler: " << name << " (delphi1, delphi2 oder bp)\n";
            return kUsageExit;
        }
    }
    if (options.Since) {
        TDateTime since = 0;
        if (!ParseIsoDate(*options.Since, since)) {
            std::cerr << "Ungültiges Datum: " << *options.Since << " (JJJJ-MM-TT)\n";
            return kUsageExit;
        }
        filter.Since = since;
    }
    filter.Languages = options.Languages;
    filter.MinRating = options.MinRating;
    const bool matchable = Cp1252Filter(options.KeyWord, filter.KeyWord) &&
                           Cp1252Filter(options.Distribution, filter.Distribution) &&
                           Cp1252Filter(options.OS, filter.OS);

    const std::unique_ptr<TOpenCatalogue> opened = OpenCatalogue(catalogue);
    if (!opened)
        return 1;
    int status = 0;
    const std::vector<TComponentRow> rows =
        ReadComponentRows(opened->Container, opened->TreeData, [&status](int, const std::exception& error) {
            std::cerr << error.what() << '\n';
            status = 1;
        });
    Json list = Json::array();
    for (const TComponentRow& row : rows) {
        if (!matchable || !Matches(filter, row))
            continue;
        if (options.Json)
            list.push_back(RowJson(row));
        else
            std::cout << row.Entry << '\t' << Cp1252ToUtf8(row.LongName) << '\t' << Cp1252ToUtf8(row.Version)
                      << '\n';
    }
    if (options.Json)
        std::cout << list.dump(2) << '\n';
    return status;
}

}  // namespace lumarc
