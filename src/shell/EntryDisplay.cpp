#include "EntryDisplay.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QString>
#include <QTextCursor>

#include <utility>

#include "ComponentPage.h"
#include "ToolDiscMain.h"
#include "catalogue/BrowzerContainer.h"
#include "catalogue/CompoText.h"
#include "catalogue/RecordRef.h"
#include "catalogue/ScriptInfoText.h"
#include "catalogue/ShortText.h"
#include "catalogue/TreeViewData.h"
#include "controls/MicaTextView.h"
#include "platform/Exception.h"
#include "widgets/AnsiText.h"

namespace lumarc {

TEntryDisplay::TEntryDisplay(TBrowzerContainer& container, const TEntryPages& pages)
    : FContainer(container), FPages(pages)
{
}

TEntryDisplay::~TEntryDisplay() = default;

void TEntryDisplay::Forget()
{
    FComponent.reset();
    FShortTextFileName.clear();
}

int TEntryDisplay::RecordRef(int entry) const
{
    if (entry < 0)
        return kNoRecord;
    FContainer.SetActive(true);
    const TTreeViewData* tree = FContainer.TreeData();
    if (!tree)
        throw EListError(ListIndexError(entry));
    return tree->Texts.Objects(entry);
}

int TEntryDisplay::ShowEntry(int entry)
{
    if (ShowInfoText(entry)) {
        FPages.TextView->setAccessibleName(Caption(entry));
        return TToolDiscMain::pkInfoText;
    }
    if (ShowShortText(entry)) {
        FPages.ShortMemo->setAccessibleName(Caption(entry));
        return TToolDiscMain::pkShortText;
    }
    if (ShowCompoText(entry)) {
        FPages.ComponentPage->StuffView().setAccessibleName(Caption(entry));
        return TToolDiscMain::pkComponent;
    }
    return TToolDiscMain::pkNothing;
}

// A screen reader names the page after the entry it shows, as the outline shows it.
QString TEntryDisplay::Caption(int entry) const
{
    const TTreeViewData* tree = FContainer.TreeData();
    if (!tree || entry < 0 || entry >= tree->Count())
        return QString();
    return FromAnsi(std::string(tree->Texts[entry])).trimmed();
}

bool TEntryDisplay::ShowInfoText(int entry)
{
    const int32_t ref = RecordRef(entry);
    if (RecordKindOf(ref) != TRecordKind::rkInfo)
        return false;
    TScriptInfoText record;
    record.DataPosition = RecordOffsetOf(ref);
    FContainer.ReadRecord(record, record.DataPosition);
    FPages.TextView->ShowInfoText(std::move(record.Lines));
    return true;
}

bool TEntryDisplay::ShowShortText(int entry)
{
    const int32_t ref = RecordRef(entry);
    if (RecordKindOf(ref) != TRecordKind::rkShort)
        return false;
    TShortText record;
    record.DataPosition = RecordOffsetOf(ref);
    FContainer.ReadRecord(record, record.DataPosition);

    const TStringList& lines = record.Lines;
    FShortTextFileName = lines.Empty() ? std::string() : lines[0];
    FPages.ShortFileName->setText(FromAnsi(FShortTextFileName));
    FPages.ShortFileName->adjustSize();
    // The lines below the file name are DOS text. Decoding them straight from CP850 keeps the
    // box-drawing characters, whichever font the memo has; a detour through CP1252 would
    // turn them into look-alike letters.
    std::string body;
    for (int i = 1; i < lines.Count(); ++i) {
        if (i > 1)
            body += '\n';
        body += lines[i];
    }
    QPlainTextEdit* memo = FPages.ShortMemo;
    memo->setPlainText(FromOem(body));
    QTextCursor caret = memo->textCursor();
    caret.movePosition(QTextCursor::Start);
    memo->setTextCursor(caret);
    memo->ensureCursorVisible();
    return true;
}

bool TEntryDisplay::ShowCompoText(int entry)
{
    const int32_t ref = RecordRef(entry);
    if (RecordKindOf(ref) != TRecordKind::rkComponent)
        return false;
    auto record = std::make_unique<TCompoText>();
    record->DataPosition = RecordOffsetOf(ref);
    // A record that failed half-way must not take the place of the last good one.
    FContainer.ReadRecord(*record, record->DataPosition);
    FComponent = std::move(record);
    FPages.ComponentPage->Show(*FComponent);
    return true;
}

}  // namespace lumarc
