#include "EntryLines.h"

#include <memory>

#include "ComponentText.h"
#include "PlainLines.h"
#include "catalogue/CompoText.h"

namespace lumarc {

TStringList InfoTextPrintLines(const TScriptInfoText& info)
{
    return LinesWithoutFontTags(info.Lines);
}

TStringList ShortTextPrintLines(const TShortText& text)
{
    TStringList lines;
    for (int i = 1; i < text.Lines.Count(); ++i)
        lines.Add(text.Lines[i]);
    return lines;
}

TEntryLines ReadEntryLines(TBrowzerContainer& container, const TTreeViewData& tree, int entry)
{
    TEntryLines result;
    if (entry < 0)
        return result;
    const int32_t ref = tree.Texts.Objects(entry);
    const std::unique_ptr<TParamScriptComponent> record = CreateRecordFor(ref);
    if (!record)
        return result;
    container.ReadRecord(*record, RecordOffsetOf(ref));
    result.Kind = RecordKindOf(ref);
    switch (result.Kind) {
    case TRecordKind::rkInfo:
        result.Lines = InfoTextPrintLines(static_cast<const TScriptInfoText&>(*record));
        break;
    case TRecordKind::rkShort:
        result.Lines = ShortTextPrintLines(static_cast<const TShortText&>(*record));
        break;
    case TRecordKind::rkComponent:
        result.Lines = ComponentText(static_cast<const TCompoText&>(*record));
        break;
    case TRecordKind::rkNone: break;
    }
    return result;
}

}  // namespace lumarc
