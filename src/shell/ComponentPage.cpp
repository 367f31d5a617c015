#include "ComponentPage.h"

#include <algorithm>

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>

#include <string>

#include "catalogue/CompoText.h"
#include "controls/MicaTextView.h"
#include "print/core/ComponentPage.h"
#include "settings/core/TextRoutines.h"
#include "widgets/AnsiText.h"
#include "widgets/CaptionRoom.h"
#include "widgets/DesignLook.h"
#include "widgets/Gauge.h"

namespace lumarc {

namespace {

// Rows of the text view: headings in font 1, the rest in font 0.
constexpr int kStuffTextPoints = 10;
constexpr int kStuffHeadingPoints = 8;

QLineEdit* MakeEdit(QWidget* parent, const char* name, int left, int top, int width)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setReadOnly(true);
    edit->setGeometry(left, top, width, 23);
    return edit;
}

void ShowText(QLineEdit* field, const std::string& text)
{
    field->setText(FromAnsi(text));
    field->setCursorPosition(0);
}

}  // namespace

TComponentPage::TComponentPage(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Komponente"));
    FDescBox = new QGroupBox(this);
    FDescBox->setObjectName(QStringLiteral("CompoDescBox"));
    FDescBox->setGeometry(0, 0, 387, 327);
    FScrollBox = new QScrollArea(FDescBox);
    FScrollBox->setObjectName(QStringLiteral("CompoScrollBox"));
    FScrollBox->setFrameShape(QFrame::NoFrame);
    // No Tab stop of its own, where the focus could not be seen: the fields are the stops.
    FScrollBox->setFocusPolicy(Qt::NoFocus);
    FScrollBox->setWidgetResizable(false);
    FScrollBox->setGeometry(FDescBox->contentsRect());
    FContents = new QWidget;
    FContents->setObjectName(QStringLiteral("CompoScrollContents"));
    FContents->resize(FScrollBox->size());
    FScrollBox->setWidget(FContents);
    QWidget* box = FContents;

    QLabel* copyLabel = MakeSystemLabel(box, "KompoCopyLabel", QStringLiteral("Copyright:"), 8, 3, true);
    copyLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    FCopyright = MakeEdit(box, "CompoCopyright", 78, 1, 299);
    QLabel* ratingCaption = MakeSystemLabel(box, "UseFulLabel", QStringLiteral("Wertung:"), 13, 27, true);
    ratingCaption->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    QFrame* ratingPanel = MakePanel(box, "UseFulPanel", QFrame::Sunken);
    ratingPanel->setGeometry(77, 26, 85, 19);
    FRatingLabel = MakeSystemLabel(ratingPanel, "RatingLabel", QStringLiteral("keine"), 4, 2);
    FRatingGauge = new TGauge(ratingPanel);
    FRatingGauge->setObjectName(QStringLiteral("RatingGauge"));
    FRatingGauge->setGeometry(4, 2, 77, 15);
    FRatingGauge->SetForeColor(QColor(255, 255, 0));
    FRatingGauge->SetBackColor(QColor(0, 0, 128));
    FRatingGauge->SetProgress(0);
    // A screen reader hears the rating as "Wertung", with its value, or without one.
    FRatingGauge->setAccessibleName(QStringLiteral("Wertung"));
    FRatingLabel->setAccessibleName(QStringLiteral("Wertung"));
    FRatingLabel->setAccessibleDescription(QStringLiteral("keine Wertung"));
    QLabel* distributionCaption = MakeSystemLabel(box, "Label7", QStringLiteral("Distribution:"), 170, 27, true);
    FDistribution = MakeEdit(box, "CompoDistribution", 256, 24, 121);
    FLangCompInfo = MakeEdit(box, "LangCompInfo", 9, 47, 368);
    FLimitLabel = MakeSystemLabel(box, "CompolimitLabel", QString::fromUtf8("Einschränkungen:"), 8, 74, true);
    FLimitations = MakeEdit(box, "CompoLimitations", 132, 70, 245);
    // Each field is read with its caption; the line of systems and languages has none.
    copyLabel->setBuddy(FCopyright);
    distributionCaption->setBuddy(FDistribution);
    FLimitLabel->setBuddy(FLimitations);
    FLangCompInfo->setAccessibleName(QStringLiteral("Betriebssysteme, Sprache und Compiler"));
    // Our fonts are wider than the ones these places were made for: each caption keeps its
    // text whole and pushes the fields after it along its row.
    for (QWidget* caption : {static_cast<QWidget*>(copyLabel), static_cast<QWidget*>(ratingCaption),
                             static_cast<QWidget*>(distributionCaption), static_cast<QWidget*>(FLimitLabel)})
        MakeRoomForCaption(caption);
    FStuffView = new TMicaTextView(box);
    FStuffView->setObjectName(QStringLiteral("StuffView"));
    FStuffView->setGeometry(2, 102, 379, 203);
    FStuffView->SetDefaultColWidth(377);
    FStuffView->ActualFont = 1;
    FStuffView->UseStandardFont = true;
}

QList<QLineEdit*> TComponentPage::Fields() const
{
    return {FCopyright, FDistribution, FLangCompInfo, FLimitations};
}

void TComponentPage::Fit(QSize size)
{
    FDescBox->resize(size);
    Fit();
}

void TComponentPage::Fit()
{
    // The scroll box fills the group box; its contents are never larger than it.
    FScrollBox->setGeometry(FDescBox->contentsRect());
    FContents->resize(FScrollBox->size());
    const int parentWidth = FContents->width();
    for (QWidget* field :
         {static_cast<QWidget*>(FCopyright), static_cast<QWidget*>(FDistribution), static_cast<QWidget*>(FLangCompInfo),
          static_cast<QWidget*>(FLimitations), static_cast<QWidget*>(FStuffView)})
        field->resize(parentWidth - field->x() - 4, field->height());
    FStuffView->resize(FStuffView->width(), FContents->height() - FStuffView->y() - 4);
}

int TComponentPage::MinimumWidth() const
{
    constexpr int kFieldRoom = 48;
    int widest = 0;
    for (const QLineEdit* field : Fields())
        widest = std::max(widest, field->x() + kFieldRoom + 4);
    return widest + FDescBox->width() - FDescBox->contentsRect().width();
}

void TComponentPage::Show(const TCompoText& compo)
{
    // A group box takes "&" as the mark of its accelerator.
    FDescBox->setTitle(FromAnsi(DoubleAmpersands(" " + compo.LongName + "   Version " + compo.Version + " ")));
    ShowText(FCopyright, compo.Copyright);

    // The gauge covers the label "keine"; hiding it lets the label show through. The label
    // goes while it is covered, so that nothing reads a caption no one can see.
    if (compo.Rating > 0)
        FRatingGauge->SetProgress(compo.Rating * 10);
    FRatingGauge->setVisible(compo.Rating > 0);
    FRatingLabel->setVisible(compo.Rating <= 0);
    ShowText(FDistribution, compo.Distribution);

    // Without languages and compilers the limitations move up into their row.
    const std::string langComp = LangCompLine(compo);
    FLangCompInfo->setVisible(!langComp.empty());
    const int limitsTop = FLangCompInfo->y() + (langComp.empty() ? 0 : FLangCompInfo->height());
    FLimitations->move(FLimitations->x(), limitsTop);
    FLimitLabel->move(FLimitLabel->x(), limitsTop + 4);
    ShowText(FLangCompInfo, langComp);
    ShowText(FLimitations, compo.Limitations);
    Fit();

    FStuffView->GetFont(0).setPointSize(kStuffTextPoints);
    FStuffView->GetFont(1).setPointSize(kStuffHeadingPoints);
    FStuffView->Clear();
    FStuffView->Lines = ComponentPageLines(compo);
    FStuffView->LayoutRows();
    Fit();
}

}  // namespace lumarc
