#include "SearchDlg.h"

#include <QCheckBox>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QStyle>

#include "widgets/CaptionRoom.h"
#include "widgets/DesignLook.h"

namespace lumarc {

TSearchdlg::TSearchdlg(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Searchdlg"));
    setWindowTitle(QStringLiteral("Volltextsuche"));
    setFont(SansSerifFont(true));
    setFixedSize(317, 192);

    Bevel1 = new QFrame(this);
    Bevel1->setObjectName(QStringLiteral("Bevel1"));
    Bevel1->setFrameStyle(QFrame::Box | QFrame::Sunken);
    Bevel1->setGeometry(8, 8, 300, 127);

    Label1 = MakeLabel(this, "Label1", QStringLiteral("Such&begriff:"), 18, 18);
    SearchEdit = new QLineEdit(this);
    SearchEdit->setObjectName(QStringLiteral("SearchEdit"));
    SearchEdit->setGeometry(20, 34, 259, 20);
    Label1->setBuddy(SearchEdit);
    SHintLabel1 = MakeLabel(this, "SHintLabel1", QStringLiteral("\" + \" = And-Suche"), 22, 61);
    SHintLabel2 = MakeLabel(this, "SHintLabel2", QStringLiteral("\" - \" = Or-Suche"), 156, 61);

    CaseSensiBox = new QCheckBox(QStringLiteral("Groß/&Kleinschreibung beachten"), this);
    CaseSensiBox->setObjectName(QStringLiteral("CaseSensiBox"));
    CaseSensiBox->setGeometry(33, 84, 207, 17);
    MakeRoomForCaption(CaseSensiBox);
    LibraryBox = new QCheckBox(QStringLiteral("&In der ganzen Bibliothek suchen"), this);
    LibraryBox->setObjectName(QStringLiteral("LibraryBox"));
    LibraryBox->setGeometry(33, 106, 207, 17);
    MakeRoomForCaption(LibraryBox);

    OKBtn = new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton), QStringLiteral("OK"), this);
    OKBtn->setObjectName(QStringLiteral("OKBtn"));
    OKBtn->setGeometry(97, 155, 100, 27);
    OKBtn->setDefault(true);
    connect(OKBtn, &QPushButton::clicked, this, &TSearchdlg::OKBtnClick);

    CancelBtn = new QPushButton(style()->standardIcon(QStyle::SP_DialogCancelButton), QStringLiteral("Abbrechen"), this);
    CancelBtn->setObjectName(QStringLiteral("CancelBtn"));
    CancelBtn->setGeometry(208, 155, 100, 27);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);

    setTabOrder(SearchEdit, CaseSensiBox);
    setTabOrder(CaseSensiBox, LibraryBox);
    setTabOrder(LibraryBox, OKBtn);
    setTabOrder(OKBtn, CancelBtn);
}

bool TSearchdlg::Execute()
{
    return exec() == QDialog::Accepted;
}

void TSearchdlg::OKBtnClick()
{
    SearchText = SearchEdit->text();
    CaseSensitive = CaseSensiBox->isChecked();
    WholeLibrary = LibraryBox->isChecked();
    accept();
}

void TSearchdlg::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    FormShow();
}

void TSearchdlg::FormShow()
{
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    // The last query stays, selected, so that typing replaces it.
    SearchEdit->selectAll();
    SearchEdit->setFocus();
}

}  // namespace lumarc
