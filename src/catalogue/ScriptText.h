#pragma once

#include "ParamScriptComponent.h"
#include "StringList.h"

namespace lumarc {

// A record whose body is a list of lines: int32 count, then each line as a short string.
class TScriptText : public TParamScriptComponent {
public:
    using TParamScriptComponent::TParamScriptComponent;

    TStringList Lines;

    uint16_t RecordType() const override { return 2; }
    // Takes the body lines following the header, up to the line before the last "}".
    void ParseScript(TScriptParser& parser) override;
    void Store() override;
    void Load() override;
    void GetText(TStringList& strings) const override { strings = Lines; }

protected:
    void ParseBody(TScriptParser& parser);
};

}  // namespace lumarc
