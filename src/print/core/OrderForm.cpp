#include "OrderForm.h"

#include "catalogue/RecordRef.h"
#include "catalogue/ScriptInfoText.h"
#include "platform/CodePage.h"

namespace lumarc {

int FindOrderFormEntry(const TTreeViewData& tree)
{
    const std::string wanted = UpperCaseAnsi(kOrderFormEntryText);
    for (int i = 0; i < tree.Count(); ++i)
        if (UpperCaseAnsi(tree.Texts[i]) == wanted)
            return i;
    return -1;
}

TStringList CutOrderForm(const TStringList& lines)
{
    // A missing mark leaves its number at 0, which the checks below then refuse.
    int start = 0;
    int stop = 0;
    bool startFound = false;
    bool stopFound = false;
    for (int i = 0; i < lines.Count() && !(startFound && stopFound); ++i) {
        const std::string upper = UpperCaseAnsi(lines[i]);
        if (!startFound && upper.find(kOrderFormStartMark) != std::string::npos) {
            start = i + 1;
            startFound = true;
        }
        if (!stopFound && upper.find(kOrderFormStopMark) != std::string::npos) {
            stop = i - 1;
            stopFound = true;
        }
    }
    TStringList form;
    if (start < stop && start > 1 && stop != -1)
        for (int i = start; i <= stop; ++i)
            form.Add(lines[i]);
    return form;
}

TStringList ReadOrderForm(TBrowzerContainer& container, const TTreeViewData& tree)
{
    container.SetActive(true);
    const int entry = FindOrderFormEntry(tree);
    if (entry < 0)
        return {};
    // Only an info text reference names a body that reads as an info text; any other kind
    // would be read from the wrong offset (or from -1) and its bytes taken for lines.
    const int32_t ref = tree.Texts.Objects(entry);
    if (RecordKindOf(ref) != TRecordKind::rkInfo)
        return {};
    TScriptInfoText info;
    info.DataPosition = RecordOffsetOf(ref);
    container.ReadRecord(info, info.DataPosition);
    return CutOrderForm(info.Lines);
}

}  // namespace lumarc
