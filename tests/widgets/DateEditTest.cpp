#include "widgets/DateEdit.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QPushButton>
#include <QWidget>

#include <cstdint>
#include <vector>

#include "settings/dialog/DialogDriver.h"

namespace lumarc {
namespace {

using test::PressKey;
using test::TypeText;

// A window with the field and two buttons to move the focus to, one of them exempt from the
// check on leaving. Every validation is recorded; texts listed in FRejected are refused.
class ControlsDateEdit : public ::testing::Test {
protected:
    ControlsDateEdit()
    {
        FWindow.resize(300, 100);
        FField->setGeometry(10, 10, 63, 24);
        FOther->setGeometry(10, 50, 80, 30);
        FExempt->setGeometry(100, 50, 80, 30);
        FField->AddLeaveExempt(FExempt);
        FField->OnUserValidation = [this](TDateEdit& sender, std::uint16_t& code) {
            EXPECT_EQ(&sender, FField);
            EXPECT_EQ(code, 0);
            FValidated.push_back(sender.Text());
            if (FRejected.contains(sender.Text()))
                code = 0x103;
        };
        FField->OnError = [this](TDateEdit&, std::uint16_t code, const QString& message) {
            FErrors.push_back(code);
            EXPECT_TRUE(message.isEmpty());
        };
    }

    void ShowWithFocusInField()
    {
        FWindow.show();
        FWindow.activateWindow();
        FField->setFocus(Qt::OtherFocusReason);
        QApplication::processEvents();
    }

    void Retype(const QString& text)
    {
        FField->setCursorPosition(0);
        TypeText(FField, text);
    }

    QWidget FWindow;
    TDateEdit* FField = new TDateEdit(&FWindow);
    QPushButton* FOther = new QPushButton(QStringLiteral("other"), &FWindow);
    QPushButton* FExempt = new QPushButton(QStringLiteral("exempt"), &FWindow);
    QStringList FRejected;
    QStringList FValidated;
    std::vector<std::uint16_t> FErrors;
};

TEST_F(ControlsDateEdit, OnlyDigitsFillTheSixPlacesAndTheDotsStay)
{
    struct TCase {
        QString Typed;
        QString Shown;
    };
    const std::vector<TCase> cases = {
        {"241295", "24.12.95"},   {"3a1x0-4 9/6", "31.04.96"},  // letters and punctuation are refused
        {"01019999", "01.01.99"},                               // nothing beyond the sixth digit
        {"12", "12.  .  "},                                     // the rest stays blank
        {"abc", "  .  .  "},
    };
    for (const auto& [typed, shown] : cases) {
        FField->SetText(QString());
        Retype(typed);
        EXPECT_EQ(FField->Text(), shown) << typed.toStdString();
    }
    EXPECT_EQ(FField->maxLength(), 8);
}

TEST_F(ControlsDateEdit, TypingOverwritesInPlaceWithoutShiftingTheDate)
{
    FField->SetText(QStringLiteral("24.12.95"));
    FField->setCursorPosition(3);
    TypeText(FField, QStringLiteral("01"));
    EXPECT_EQ(FField->Text(), "24.01.95");
    // Deleting blanks a place instead of pulling the following digits left.
    FField->setCursorPosition(0);
    PressKey(FField, Qt::Key_Delete);
    EXPECT_EQ(FField->Text(), " 4.01.95");
}

TEST_F(ControlsDateEdit, SetTextKeepsBlanksAndDropsWhatDoesNotFit)
{
    FField->SetText(QStringLiteral("1 .05.96"));
    EXPECT_EQ(FField->Text(), "1 .05.96");
    FField->SetText(QStringLiteral("ab.cd.ef"));
    EXPECT_EQ(FField->Text(), "  .  .  ");
    FField->SetText(QStringLiteral("02.05.96"));
    EXPECT_EQ(FField->Text(), "02.05.96");
}

TEST_F(ControlsDateEdit, RejectionGoesToTheErrorHookAndShowsBlackOnRed)
{
    FField->resize(63, 24);
    const QColor normalBase = FField->palette().color(QPalette::Base);
    FRejected = {"31.04.96"};
    FField->SetText(QStringLiteral("31.04.96"));
    EXPECT_FALSE(FField->Validate());
    EXPECT_EQ(FErrors, std::vector<std::uint16_t>{0x103});
    EXPECT_TRUE(FField->Invalid());
    EXPECT_EQ(FField->palette().color(QPalette::Base), QColor(Qt::red));
    EXPECT_EQ(FField->palette().color(QPalette::Text), QColor(Qt::black));
    const QImage red = FField->grab().toImage();
    EXPECT_EQ(red.pixelColor(red.width() - 5, red.height() / 2), QColor(Qt::red));

    // An accepted entry is shown normally again, without another error.
    FField->setCursorPosition(0);
    TypeText(FField, QStringLiteral("30"));
    EXPECT_TRUE(FField->Invalid());  // still the last verdict until asked again
    EXPECT_TRUE(FField->Validate());
    EXPECT_FALSE(FField->Invalid());
    EXPECT_EQ(FErrors.size(), 1u);
    EXPECT_EQ(FField->palette().color(QPalette::Base), normalBase);
    const QImage normal = FField->grab().toImage();
    EXPECT_NE(normal.pixelColor(normal.width() - 5, normal.height() / 2), QColor(Qt::red));

    // A text put in from outside has not been judged: the red goes with the old entry.
    FRejected = {"30.04.96"};
    EXPECT_FALSE(FField->Validate());
    FField->SetText(QStringLiteral("01.01.96"));
    EXPECT_FALSE(FField->Invalid());
}

TEST_F(ControlsDateEdit, LeavingAnEditedEntryChecksItOnceAndARejectedOneKeepsTheFocus)
{
    FRejected = {"31.04.96"};
    ShowWithFocusInField();
    ASSERT_TRUE(FField->hasFocus());

    // Leaving without an edit asks nothing.
    FOther->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
    EXPECT_TRUE(FValidated.isEmpty());

    FField->setFocus(Qt::TabFocusReason);
    Retype(QStringLiteral("310496"));
    PressKey(FField, Qt::Key_Tab);
    EXPECT_FALSE(FField->hasFocus());
    EXPECT_TRUE(FValidated.isEmpty());  // not inside the focus change itself
    QApplication::processEvents();
    EXPECT_EQ(FValidated, QStringList{"31.04.96"});
    EXPECT_EQ(FErrors.size(), 1u);
    EXPECT_TRUE(FField->hasFocus());

    // Leaving again without a new edit does not repeat the error.
    FOther->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
    EXPECT_EQ(FValidated.size(), 1);

    FField->setFocus(Qt::TabFocusReason);
    Retype(QStringLiteral("30"));
    FOther->setFocus(Qt::MouseFocusReason);
    QApplication::processEvents();
    EXPECT_EQ(FValidated, (QStringList{"31.04.96", "30.04.96"}));
    EXPECT_EQ(FErrors.size(), 1u);
    EXPECT_TRUE(FOther->hasFocus());
}

TEST_F(ControlsDateEdit, LeavingForAnExemptWidgetOrAnotherWindowAsksNothing)
{
    FRejected = {"31.04.96"};
    ShowWithFocusInField();
    Retype(QStringLiteral("310496"));
    FExempt->setFocus(Qt::MouseFocusReason);
    QApplication::processEvents();
    EXPECT_TRUE(FValidated.isEmpty());

    // The edit is still unjudged: leaving for a plain widget later asks.
    FField->setFocus(Qt::TabFocusReason);
    FOther->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
    EXPECT_EQ(FValidated.size(), 1);

    // A check queued while the window closes finds nothing to do.
    FField->setFocus(Qt::TabFocusReason);
    Retype(QStringLiteral("31"));
    FOther->setFocus(Qt::TabFocusReason);
    FWindow.hide();
    QApplication::processEvents();
    EXPECT_EQ(FValidated.size(), 1);
}

}  // namespace
}  // namespace lumarc
