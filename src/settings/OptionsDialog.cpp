#include "OptionsDialog.h"

#include <QCheckBox>
#include <QFont>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QValidator>

#include "settings/core/DateTime.h"
#include "settings/core/RegKey.h"
#include "settings/core/RegistrySettings.h"
#include "settings/core/Settings.h"
#include "widgets/CaptionRoom.h"
#include "widgets/DateEdit.h"
#include "widgets/DesignLook.h"

namespace lumarc {

namespace {

const char* const SInvalidDate = "Bitte geben sie ein gültiges Datum ein!";

// The registry refuses a text value longer than it can store, and a refused write would
// lose every setting saved after it; so the edit takes no more than fits, in stored bytes.
class TStoredLengthValidator : public QValidator {
public:
    TStoredLengthValidator(qsizetype MaxBytes, QObject* parent) : QValidator(parent), FMaxBytes(MaxBytes) {}

    State validate(QString& input, int&) const override
    {
        return input.toUtf8().size() <= FMaxBytes ? Acceptable : Invalid;
    }

private:
    qsizetype FMaxBytes;
};

}  // namespace

TOptionsDialog::TOptionsDialog(QWidget* parent) : QDialog(parent)
{
    FormCreate();
}

void TOptionsDialog::FormCreate()
{
    setObjectName(QStringLiteral("OptionsDialog"));
    setWindowTitle(QStringLiteral("Brimvale Lumarcer - Optionen"));
    setFont(SystemFont());
    setFixedSize(371, 164);

    OptionPanel = new QFrame(this);
    OptionPanel->setObjectName(QStringLiteral("OptionPanel"));
    OptionPanel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    OptionPanel->setGeometry(0, 0, width(), 117);

    DefaultDestEdit = new QLineEdit(OptionPanel);
    DefaultDestEdit->setObjectName(QStringLiteral("DefaultDestEdit"));
    DefaultDestEdit->setGeometry(12, 34, 339, 24);
    DefaultDestEdit->setValidator(new TStoredLengthValidator(TRegKey::MaxWriteLength, DefaultDestEdit));

    DefaultDestLabel = new QLabel(QStringLiteral("voreingestelltes &Zielverzeichnis für Komponenten:"), OptionPanel);
    DefaultDestLabel->setObjectName(QStringLiteral("DefaultDestLabel"));
    DefaultDestLabel->setBuddy(DefaultDestEdit);
    DefaultDestLabel->move(12, 12);
    DefaultDestLabel->adjustSize();

    HintsCheckBox = new QCheckBox(QStringLiteral("Zeige &Hints"), OptionPanel);
    HintsCheckBox->setObjectName(QStringLiteral("HintsCheckBox"));
    HintsCheckBox->setGeometry(12, 80, 109, 17);

    UpdateDatumField = new TDateEdit(OptionPanel);
    UpdateDatumField->setObjectName(QStringLiteral("UpdateDatumField"));
    UpdateDatumField->setGeometry(286, 78, 63, 24);
    UpdateDatumField->OnUserValidation = [this](TDateEdit& Sender, std::uint16_t& ErrorCode) {
        UpdateDatumFieldUserValidation(Sender, ErrorCode);
    };
    UpdateDatumField->OnError = [this](TDateEdit& Sender, std::uint16_t ErrorCode, const QString& ErrorMsg) {
        UpdateDatumFieldError(Sender, ErrorCode, ErrorMsg);
    };

    UpdateLabel = new QLabel(QStringLiteral("Update&Datum:"), OptionPanel);
    UpdateLabel->setObjectName(QStringLiteral("UpdateLabel"));
    UpdateLabel->setBuddy(UpdateDatumField);
    UpdateLabel->move(173, 80);
    UpdateLabel->adjustSize();

    OKBtn = new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton), QStringLiteral("OK"), this);
    OKBtn->setObjectName(QStringLiteral("OKBtn"));
    OKBtn->setGeometry(180, 126, 89, 33);
    OKBtn->setDefault(true);
    connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);

    CancelBtn = new QPushButton(style()->standardIcon(QStyle::SP_DialogCancelButton), QStringLiteral("Abbrechen"), this);
    CancelBtn->setObjectName(QStringLiteral("CancelBtn"));
    CancelBtn->setGeometry(276, 126, 89, 33);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    // "Abbrechen" is longer than the caption this place was made for: the button grows to the
    // left, keeping its right edge, and OK moves along with it.
    if (const int grow = CaptionWidth(CancelBtn) - CancelBtn->width(); grow > 0) {
        CancelBtn->setGeometry(CancelBtn->geometry().adjusted(-grow, 0, 0, 0));
        OKBtn->move(OKBtn->x() - grow, OKBtn->y());
    }
    UpdateDatumField->AddLeaveExempt(CancelBtn);

    setTabOrder(DefaultDestEdit, HintsCheckBox);
    setTabOrder(HintsCheckBox, UpdateDatumField);
    setTabOrder(UpdateDatumField, OKBtn);
    setTabOrder(OKBtn, CancelBtn);

    UpdateDatumField->SetText(QString::fromStdString(Settings().UpdateDateText));
}

bool TOptionsDialog::Execute()
{
    FillFromSettings();
    if (exec() != QDialog::Accepted)
        return false;
    TakeOverSettings();
    emit SettingsApplied();
    SaveSettings();
    return true;
}

void TOptionsDialog::FillFromSettings()
{
    const TSettings& settings = Settings();
    SetDefaultDestination(QString::fromStdString(settings.DefaultDestinationPath));
    FShownDestination = DefaultDestEdit->text();
    SetShowHints(settings.ShowHints != 0);
    SetUpdateDateText(QString::fromStdString(settings.UpdateDateText));
}

void TOptionsDialog::TakeOverSettings()
{
    TSettings& settings = Settings();
    const QString destination = DefaultDestEdit->text();
    if (destination != FShownDestination)
        settings.DefaultDestinationPath = destination.toStdString();
    settings.ShowHints = HintsCheckBox->isChecked() ? 1 : 0;
    // Validated before the dialog could end with OK, so the conversion cannot fail here.
    lumarc::SetUpdateDateText(UpdateDatumField->Text().toStdString());
}

QString TOptionsDialog::DefaultDestination() const
{
    return DefaultDestEdit->text();
}

void TOptionsDialog::SetDefaultDestination(const QString& Value)
{
    if (DefaultDestEdit->text() != Value)
        DefaultDestEdit->setText(Value);
}

bool TOptionsDialog::ShowHints() const
{
    return HintsCheckBox->isChecked();
}

void TOptionsDialog::SetShowHints(bool Value)
{
    if (HintsCheckBox->isChecked() != Value)
        HintsCheckBox->setChecked(Value);
}

QString TOptionsDialog::UpdateDateText() const
{
    return UpdateDatumField->Text();
}

void TOptionsDialog::SetUpdateDateText(const QString& Value)
{
    if (UpdateDatumField->Text() != Value)
        UpdateDatumField->SetText(Value);
}

void TOptionsDialog::UpdateDatumFieldUserValidation(TDateEdit& Sender, std::uint16_t& ErrorCode)
{
    TDateTime date;
    if (!TryStrToDate(Sender.Text().toStdString(), date))
        ErrorCode = InvalidDateCode;
}

void TOptionsDialog::UpdateDatumFieldError(TDateEdit&, std::uint16_t ErrorCode, const QString&)
{
    if (ErrorCode != InvalidDateCode)
        return;
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Fehler"), QString::fromUtf8(SInvalidDate), QMessageBox::Ok,
                    this);
    box.exec();
}

void TOptionsDialog::done(int r)
{
    if (r == QDialog::Accepted && !UpdateDatumField->Validate()) {
        UpdateDatumField->setFocus(Qt::OtherFocusReason);
        return;
    }
    QDialog::done(r);
}

void TOptionsDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    CentreOnScreen();
    DefaultDestEdit->setFocus(Qt::ActiveWindowFocusReason);
    DefaultDestEdit->selectAll();
}

void TOptionsDialog::CentreOnScreen()
{
    const QScreen* screen = this->screen();
    if (!screen)
        return;
    QRect frame = frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    move(frame.topLeft());
}

}  // namespace lumarc
