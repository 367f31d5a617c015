#pragma once

#include "ScriptInfoText.h"

namespace lumarc {

// A short description: its first line names the entry's file (CP1252), the lines below it
// are OEM text (CP850) for a fixed-pitch memo.
class TShortText : public TScriptInfoText {
public:
    using TScriptInfoText::TScriptInfoText;

    uint16_t RecordType() const override { return 6; }
};

}  // namespace lumarc
