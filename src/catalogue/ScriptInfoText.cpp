#include "ScriptInfoText.h"

namespace lumarc {

void TScriptInfoText::Store()
{
    DataPosition = static_cast<int32_t>(AttachedStream().Position());
    TScriptText::Store();
}

}  // namespace lumarc
