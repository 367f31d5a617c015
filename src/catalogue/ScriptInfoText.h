#pragma once

#include "ScriptText.h"

namespace lumarc {

// An info text: lines that may start with a font tag "<Fn>".
class TScriptInfoText : public TScriptText {
public:
    using TScriptText::TScriptText;

    // The body's offset in the data file: set by the reader before Load, by Store when stored.
    int32_t DataPosition = 0;

    uint16_t RecordType() const override { return 4; }
    void Store() override;
};

}  // namespace lumarc
