#pragma once

#include <string>

#include "ScriptComponent.h"
#include "StringList.h"
#include "settings/core/DateTime.h"

namespace lumarc {

class TParamScriptComponent : public TScriptComponent {
public:
    using TScriptComponent::TScriptComponent;

    // From the header line of the record's source; 0 in a new record.
    TDateTime Date = 0;

    // Reads the header date from the parser's current line, then keeps the parser.
    void ParseScript(TScriptParser& parser) override;
    // Replaces Strings with the record's searchable and printable text.
    virtual void GetText(TStringList& strings) const = 0;

    // The header rule on one line: after "[name]", blanks (tab, space, backspace) removed, the
    // first 8 characters as a dd.mm.yy date, the default record date when that fails or when
    // "]" ends the line; Date unchanged without "[" before the first "]".
    static void ParseHeaderDate(const std::string& line, TDateTime& date);
};

}  // namespace lumarc
