#pragma once
// A masked date-entry field: six digit places shown as dd.mm.yy behind fixed dots, a block
// caret that types over what is there, and a validation step that its owner decides. The
// field knows nothing about calendars: whether the digits form a date is the owner's
// verdict, given through OnUserValidation as a non-zero error code. A rejected entry is
// shown black on red until an entry passes again.

#include <QLineEdit>
#include <QList>
#include <QPointer>
#include <QString>

#include <cstdint>
#include <functional>

namespace lumarc {

class TDateEdit : public QLineEdit {
    Q_OBJECT

public:
    // May set ErrorCode (0 on entry) to reject the field's text.
    using TUserValidationEvent = std::function<void(TDateEdit& Sender, std::uint16_t& ErrorCode)>;
    // Told about a rejection. The field has no messages of its own, so ErrorMsg is empty for
    // every code an owner sets; it is there for handlers that pass it on.
    using TErrorEvent = std::function<void(TDateEdit& Sender, std::uint16_t ErrorCode, const QString& ErrorMsg)>;

    static constexpr int MaxLength = 8;
    static constexpr char BlankChar = ' ';

    explicit TDateEdit(QWidget* parent = nullptr);

    // The eight places as shown: digits, the two dots, and a blank for every digit place not
    // filled in. Blanks are kept, so "1 .05.96" reads back as such.
    QString Text() const;
    // Takes a text of the same shape; characters that do not fit a place are dropped, as when
    // typed. Clears the rejected look: a text put in from outside has not been judged yet.
    void SetText(const QString& Value);

    TUserValidationEvent OnUserValidation;
    TErrorEvent OnError;

    // Asks OnUserValidation about the current text. A rejection turns the field red and goes
    // to OnError, or with no handler to a beep. True when the text was accepted.
    bool Validate();

    // Whether the last validation rejected the text (shown black on red).
    bool Invalid() const { return FInvalid; }

    // Leaving the field checks an edited entry. Moving the focus to an exempt widget (a
    // Cancel button, say) does not: the user is abandoning the entry, not confirming it.
    void AddLeaveExempt(QWidget* Widget);

protected:
    void focusOutEvent(QFocusEvent* event) override;

private:
    void SetInvalid(bool Value);
    void ValidateAfterLeaving();

    bool FInvalid = false;
    bool FEditedSinceValidation = false;
    bool FLeaveCheckPending = false;
    QList<QPointer<QWidget>> FLeaveExempt;
};

}  // namespace lumarc
