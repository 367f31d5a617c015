#include "DateEdit.h"

#include <QApplication>
#include <QFocusEvent>
#include <QPalette>
#include <QTimer>

namespace lumarc {

TDateEdit::TDateEdit(QWidget* parent) : QLineEdit(parent)
{
    // "9" takes a digit only; the dots are part of the mask and cannot be typed over.
    setInputMask(QStringLiteral("99.99.99;") + QLatin1Char(BlankChar));
    setMaxLength(MaxLength);
    connect(this, &QLineEdit::textEdited, this, [this] { FEditedSinceValidation = true; });
}

QString TDateEdit::Text() const
{
    // text() drops the blanks of a masked edit; what was typed is what the owner judges.
    return displayText();
}

void TDateEdit::SetText(const QString& Value)
{
    setText(Value);
    FEditedSinceValidation = false;
    SetInvalid(false);
}

bool TDateEdit::Validate()
{
    // Cleared first, so that a check still queued from leaving the field does not ask again
    // while this one's error is on screen.
    FEditedSinceValidation = false;
    std::uint16_t errorCode = 0;
    if (OnUserValidation)
        OnUserValidation(*this, errorCode);
    SetInvalid(errorCode != 0);
    if (errorCode == 0)
        return true;
    if (OnError)
        OnError(*this, errorCode, QString());
    else
        QApplication::beep();
    return false;
}

void TDateEdit::AddLeaveExempt(QWidget* Widget)
{
    FLeaveExempt.append(Widget);
}

void TDateEdit::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    // Switching to another window or opening a menu is not leaving the entry.
    if (event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason)
        return;
    if (!FEditedSinceValidation || FLeaveCheckPending)
        return;
    // A modal error box must not open inside the focus change: the press that moved the
    // focus is still being delivered.
    FLeaveCheckPending = true;
    QTimer::singleShot(0, this, &TDateEdit::ValidateAfterLeaving);
}

void TDateEdit::ValidateAfterLeaving()
{
    FLeaveCheckPending = false;
    if (!FEditedSinceValidation || !isVisible() || hasFocus())
        return;
    if (FLeaveExempt.contains(QPointer<QWidget>(QApplication::focusWidget())))
        return;
    if (!Validate())
        setFocus(Qt::OtherFocusReason);
}

void TDateEdit::SetInvalid(bool Value)
{
    if (Value == FInvalid)
        return;
    FInvalid = Value;
    if (Value) {
        QPalette palette = this->palette();
        palette.setColor(QPalette::Base, Qt::red);
        palette.setColor(QPalette::Text, Qt::black);
        setPalette(palette);
    } else {
        setPalette(QPalette());
    }
}

}  // namespace lumarc
