#include "EntryDisplay.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QString>
#include <QTextCursor>

#include <memory>
#include <string>

#include "ToolDiscMain.h"
#include "catalogue/BrowzerContainer.h"
#include "catalogue/CompoText.h"
#include "catalogue/RecordRef.h"
#include "catalogue/ShortText.h"
#include "catalogue/TreeViewData.h"
#include "widgets/Gauge.h"
#include "controls/MicaTextView.h"
#include "widgets/AnsiText.h"
#include "platform/Exception.h"
#include "print/core/ComponentPage.h"
#include "settings/core/TextRoutines.h"

namespace lumarc {

namespace {

// Rows of the component page's text view: headings in font 1, the rest in font 0.
constexpr int kStuffTextPoints = 10;
constexpr int kStuffHeadingPoints = 8;

}  // namespace

int TEntryDisplay::RecordRef(TBrowzerContainer& container, int entry)
{
    if (entry < 0)
        return kNoRecord;
    container.SetActive(true);
    const TTreeViewData* tree = container.TreeData();
    if (!tree)
        throw EListError(ListIndexError(entry));
    return tree->Texts.Objects(entry);
}

void TEntryDisplay::ShowEntry(int entry)
{
    TBrowzerContainer& container = *FMain.FBrowzerContainer;
    int kind = TToolDiscMain::pkNothing;
    if (FMain.TextView->ShowInfoText(container, entry))
        kind = TToolDiscMain::pkInfoText;
    else if (ShowShortText(container, entry))
        kind = TToolDiscMain::pkShortText;
    else if (ShowCompoText(container, entry))
        kind = TToolDiscMain::pkComponent;
    FMain.SetPageKind(kind);
}

bool TEntryDisplay::ShowShortText(TBrowzerContainer& container, int entry)
{
    const int32_t ref = RecordRef(container, entry);
    if (RecordKindOf(ref) != TRecordKind::rkShort)
        return false;
    auto record = std::make_unique<TShortText>();
    record->DataPosition = RecordOffsetOf(ref);
    container.ReadRecord(*record, record->DataPosition);

    const TStringList& lines = record->Lines;
    FMain.ShortFileName->setText(lines.Empty() ? QString() : FromAnsi(lines[0]));
    FMain.ShortFileName->adjustSize();
    // The lines below the file name are DOS text. Decoding them straight from CP850 keeps the
    // box-drawing characters, whichever font the memo has; a detour through CP1252 would
    // turn them into look-alike letters.
    std::string body;
    for (int i = 1; i < lines.Count(); ++i) {
        if (i > 1)
            body += '\n';
        body += lines[i];
    }
    QPlainTextEdit* memo = FMain.ShortMemo;
    memo->setPlainText(FromOem(body));
    QTextCursor caret = memo->textCursor();
    caret.movePosition(QTextCursor::Start);
    memo->setTextCursor(caret);
    memo->ensureCursorVisible();
    return true;
}

bool TEntryDisplay::ShowCompoText(TBrowzerContainer& container, int entry)
{
    const int32_t ref = RecordRef(container, entry);
    if (RecordKindOf(ref) != TRecordKind::rkComponent)
        return false;
    auto record = std::make_unique<TCompoText>();
    record->DataPosition = RecordOffsetOf(ref);
    // Installing, printing and the detail window read the kept component; a record that
    // failed half-way must not take the place of the last good one.
    container.ReadRecord(*record, record->DataPosition);
    FMain.FCompoText = std::move(record);
    FillComponentPage(*FMain.FCompoText);
    return true;
}

void TEntryDisplay::FillComponentPage(const TCompoText& compo)
{
    // A group box takes "&" as the mark of its accelerator.
    FMain.CompoDescBox->setTitle(FromAnsi(DoubleAmpersands(" " + compo.LongName + "   Version " + compo.Version + " ")));
    FMain.CompoCopyright->setText(FromAnsi(compo.Copyright));
    FMain.CompoCopyright->setCursorPosition(0);

    // The gauge covers the label "keine"; hiding it lets the label show through. The label
    // goes while it is covered, so that nothing reads a caption no one can see.
    if (compo.Rating > 0)
        FMain.RatingGauge->SetProgress(compo.Rating * 10);
    FMain.RatingGauge->setVisible(compo.Rating > 0);
    FMain.RatingLabel->setVisible(compo.Rating <= 0);
    FMain.CompoDistribution->setText(FromAnsi(compo.Distribution));
    FMain.CompoDistribution->setCursorPosition(0);

    const std::string langComp = LangCompLine(compo);
    QLineEdit* info = FMain.LangCompInfo;
    QLineEdit* limits = FMain.CompoLimitations;
    if (langComp.empty()) {
        info->setVisible(false);
        limits->move(limits->x(), info->y());
    } else {
        info->setVisible(true);
        limits->move(limits->x(), info->y() + info->height());
    }
    FMain.CompolimitLabel->move(FMain.CompolimitLabel->x(), limits->y() + 4);
    info->setText(FromAnsi(langComp));
    info->setCursorPosition(0);
    FMain.FormResize();

    limits->setText(FromAnsi(compo.Limitations));
    limits->setCursorPosition(0);

    TMicaTextView* stuff = FMain.StuffView;
    stuff->GetFont(0).setPointSize(kStuffTextPoints);
    stuff->GetFont(1).setPointSize(kStuffHeadingPoints);
    stuff->Clear();
    stuff->Lines = ComponentPageLines(compo);
    stuff->LayoutRows();
    FMain.FormResize();
}

}  // namespace lumarc
