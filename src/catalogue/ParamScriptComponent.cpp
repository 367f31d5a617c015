#include "ParamScriptComponent.h"

#include "ScriptParser.h"
#include "settings/core/Settings.h"
#include "settings/core/TextRoutines.h"

namespace lumarc {

void TParamScriptComponent::ParseHeaderDate(const std::string& fullLine, TDateTime& date)
{
    const std::string line = fullLine.substr(0, 255);
    const size_t open = line.find('[');
    const size_t close = line.find(']');
    if (open == std::string::npos || close == std::string::npos || open >= close)
        return;
    if (close == line.size() - 1) {
        date = DefaultRecordDate();
        return;
    }
    static const TCharSet blanks = [] {
        TCharSet set;
        set.set('\t').set(' ').set('\b');
        return set;
    }();
    const std::string rest = RemoveChars(line.substr(close + 1), blanks);
    TDateTime parsed;
    date = TryStrToDate(rest.substr(0, 8), parsed) ? parsed : DefaultRecordDate();
}

void TParamScriptComponent::ParseScript(TScriptParser& parser)
{
    if (parser.Line >= 0 && parser.Line < static_cast<int>(parser.Lines.size()))
        ParseHeaderDate(parser.Lines[static_cast<size_t>(parser.Line)], Date);
    TScriptComponent::ParseScript(parser);
}

}  // namespace lumarc
