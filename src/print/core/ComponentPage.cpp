#include "ComponentPage.h"

namespace lumarc {

std::string CompilerList(int flags)
{
    std::string list;
    for (const std::string& name : CompilerNames(flags)) {
        if (!list.empty())
            list += ", ";
        list += name;
    }
    return list;
}

std::string LangCompLine(const TCompoText& compo)
{
    std::string line;
    auto addPart = [&line](const char* label, const std::string& value) {
        if (value.empty())
            return;
        if (!line.empty())
            line += "  ";
        line += label;
        line += value;
    };
    addPart("OS: ", compo.OS);
    addPart("Sprache: ", LanguageName(compo.Language));
    addPart("Compiler: ", CompilerList(compo.Compiler));
    return line;
}

TStringList PackKeyWords(const TStringList& words)
{
    TStringList lines;
    if (words.Empty())
        return lines;
    std::string line;
    for (const std::string& word : words.Strings()) {
        if (word.size() + line.size() <= kKeyWordLineLimit) {
            line += ' ';
            line += word;
        } else {
            lines.Add(std::move(line));
            line = word;
        }
    }
    lines.Add(std::move(line));
    return lines;
}

TStringList ComponentPageLines(const TCompoText& compo)
{
    TStringList lines;
    auto addAll = [&lines](const TStringList& from) {
        for (const std::string& line : from.Strings())
            lines.Add(line);
    };
    if (!compo.ShortInfo.Empty()) {
        lines.Add("<F1>KurzInfo:");
        addAll(compo.ShortInfo);
    }
    if (!compo.Order.Empty()) {
        lines.Add("<F1>Order:");
        addAll(compo.Order);
    }
    if (!compo.Price.empty()) {
        lines.Add("<F1>Preis:");
        lines.Add(compo.Price);
        lines.Add("");
    }
    if (!compo.Contact.Empty()) {
        lines.Add("<F1>Kontaktadresse:");
        addAll(compo.Contact);
    }
    if (!compo.KeyWords.Empty()) {
        lines.Add("<F1>Schl\xFCsselw\xF6rter:");
        addAll(PackKeyWords(compo.KeyWords));
    }
    return lines;
}

}  // namespace lumarc
