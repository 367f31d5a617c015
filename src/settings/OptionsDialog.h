#pragma once
// The options dialog: the default destination directory for installed components, whether
// hints are shown, and the update date that decides which outline entries count as new.
// It lives from start-up to the end of the run and is refilled from the settings on every
// opening, so a cancelled change never survives to the next one.

#include <QDialog>
#include <QString>

#include <cstdint>

class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

namespace lumarc {

class TDateEdit;

class TOptionsDialog : public QDialog {
    Q_OBJECT

public:
    // The code the date field's validation sets for a text that is not a date.
    static constexpr std::uint16_t InvalidDateCode = 0x103;

    explicit TOptionsDialog(QWidget* parent = nullptr);

    // The options command: fills the controls from Settings(), shows the dialog modally and,
    // when it ends with OK, takes the three values over, emits SettingsApplied and saves the
    // kept settings (SaveSettings; a failed write raises ERegKey after the values in memory
    // were applied). True when the dialog ended with OK.
    bool Execute();

    // The values as the controls show them. Each setter writes its control only when the
    // value differs from what it shows, so an unchanged value keeps caret and selection.
    QString DefaultDestination() const;
    void SetDefaultDestination(const QString& Value);
    bool ShowHints() const;
    void SetShowHints(bool Value);
    QString UpdateDateText() const;
    void SetUpdateDateText(const QString& Value);

    // The date field's handlers: a text that is not a date with the program's date format
    // gets InvalidDateCode, and that code alone is reported in a box titled "Fehler".
    void UpdateDatumFieldUserValidation(TDateEdit& Sender, std::uint16_t& ErrorCode);
    void UpdateDatumFieldError(TDateEdit& Sender, std::uint16_t ErrorCode, const QString& ErrorMsg);

    // Ending with OK needs a valid update date: otherwise the error is shown and the dialog
    // stays open, whichever way OK was given.
    void done(int r) override;

signals:
    // The new settings are in memory: whoever shows them (hints on the speed buttons, the
    // "new" images of the outline) applies them now. Emitted before they are saved.
    void SettingsApplied();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormCreate();
    void FillFromSettings();
    void TakeOverSettings();
    void CentreOnScreen();

    QFrame* OptionPanel = nullptr;
    QLabel* DefaultDestLabel = nullptr;
    QLineEdit* DefaultDestEdit = nullptr;
    QCheckBox* HintsCheckBox = nullptr;
    QLabel* UpdateLabel = nullptr;
    TDateEdit* UpdateDatumField = nullptr;
    QPushButton* OKBtn = nullptr;
    QPushButton* CancelBtn = nullptr;

    // The destination as the edit showed it when filled. A stored path whose bytes are not
    // UTF-8 cannot be shown exactly; left alone by the user, it is kept as stored instead of
    // coming back with replacement characters.
    QString FShownDestination;
};

}  // namespace lumarc
