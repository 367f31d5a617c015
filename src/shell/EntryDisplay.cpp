#include "EntryDisplay.h"

#include "ToolDiscMain.h"
#include "catalogue/RecordRef.h"
#include "catalogue/TreeViewData.h"
#include "controls/BrowzerOutline.h"
#include "controls/MicaTextView.h"

namespace lumarc {

void TEntryDisplay::ShowEntry(int entry)
{
    const TTreeViewData& tree = FMain.OverviewOL->TreeData();
    const TRecordKind kind =
        entry >= 0 && entry < tree.Count() ? RecordKindOf(tree.Texts.Objects(entry)) : TRecordKind::rkNone;
    switch (kind) {
    case TRecordKind::rkInfo:
        FMain.SetPageKind(FMain.TextView->ShowInfoText(*FMain.FBrowzerContainer, entry) ? TToolDiscMain::pkInfoText
                                                                                         : TToolDiscMain::pkNothing);
        break;
    case TRecordKind::rkShort:
        FMain.SetPageKind(TToolDiscMain::pkShortText);
        break;
    case TRecordKind::rkComponent:
        FMain.SetPageKind(TToolDiscMain::pkComponent);
        break;
    case TRecordKind::rkNone:
        FMain.SetPageKind(TToolDiscMain::pkNothing);
        break;
    }
}

}  // namespace lumarc
