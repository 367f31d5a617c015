#include "FindBar.h"

#include <QAction>
#include <QCheckBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QToolButton>

#include <algorithm>

#include "TermMarks.h"

namespace lumarc {

namespace {

QToolButton* MakeButton(QWidget* parent, const char* name, QStyle::StandardPixmap icon, const QString& hint)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setIcon(parent->style()->standardIcon(icon));
    button->setToolTip(hint);
    // A screen reader says what the button does; its key is in the hint only.
    button->setAccessibleName(hint.section(QStringLiteral(" ("), 0, 0));
    button->setAutoRaise(true);
    return button;
}

}  // namespace

TFindBar::TFindBar(TTermMarks& marks, QWidget* parent) : QWidget(parent), FMarks(marks)
{
    setObjectName(QStringLiteral("FindBar"));
    FindCloseBtn = MakeButton(this, "FindCloseBtn", QStyle::SP_TitleBarCloseButton, QStringLiteral("schließen (Esc)"));
    FLabel = new QLabel(QStringLiteral("Suchen:"), this);
    FLabel->setObjectName(QStringLiteral("FindLabel"));
    FindEdit = new QLineEdit(this);
    FindEdit->setObjectName(QStringLiteral("FindEdit"));
    FLabel->setBuddy(FindEdit);
    FindPrevBtn = MakeButton(this, "FindPrevBtn", QStyle::SP_ArrowUp, QStringLiteral("vorherige Fundstelle (Umschalt+F3)"));
    FindNextBtn = MakeButton(this, "FindNextBtn", QStyle::SP_ArrowDown, QStringLiteral("nächste Fundstelle (F3)"));
    FindCaseBox = new QCheckBox(QStringLiteral("Groß/&Kleinschreibung"), this);
    FindCaseBox->setObjectName(QStringLiteral("FindCaseBox"));
    Arrange();
    hide();

    // Escape closes the bar wherever the focus is in the pane it belongs to.
    FEscape = new QAction(this);
    FEscape->setShortcut(Qt::Key_Escape);
    FEscape->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    FEscape->setEnabled(false);
    if (parent)
        parent->addAction(FEscape);
    connect(FEscape, &QAction::triggered, this, &TFindBar::Close);

    connect(FindEdit, &QLineEdit::textChanged, this, &TFindBar::Search);
    connect(FindCaseBox, &QCheckBox::toggled, this, &TFindBar::Search);
    connect(FindNextBtn, &QToolButton::clicked, this, &TFindBar::FindNext);
    connect(FindPrevBtn, &QToolButton::clicked, this, &TFindBar::FindPrevious);
    connect(FindCloseBtn, &QToolButton::clicked, this, &TFindBar::Close);
    connect(FindEdit, &QLineEdit::returnPressed, this, [this] {
        if (QGuiApplication::keyboardModifiers() & Qt::ShiftModifier)
            FindPrevious();
        else
            FindNext();
    });
}

int TFindBar::FixedWidth() const
{
    constexpr int kGap = 4;
    return 2 + 22 + 6 + FLabel->sizeHint().width() + 6 + kGap + 22 + 2 + 22 + 8 + FindCaseBox->sizeHint().width() + 2;
}

int TFindBar::MinimumWidth() const
{
    return FixedWidth() + kMinFieldWidth;
}

void TFindBar::Arrange()
{
    // The field gives up width before any caption is cut.
    constexpr int kGap = 4;
    const int field = std::clamp(width() - FixedWidth(), kMinFieldWidth, kFieldWidth);
    FindCloseBtn->setGeometry(2, 3, 22, 22);
    FLabel->setGeometry(FindCloseBtn->geometry().right() + 7, 5, FLabel->sizeHint().width(), 18);
    FindEdit->setGeometry(FLabel->geometry().right() + 7, 3, field, 22);
    FindPrevBtn->setGeometry(FindEdit->geometry().right() + 1 + kGap, 3, 22, 22);
    FindNextBtn->setGeometry(FindPrevBtn->geometry().right() + 3, 3, 22, 22);
    FindCaseBox->setGeometry(FindNextBtn->geometry().right() + 9, (kHeight - FindCaseBox->sizeHint().height()) / 2,
                             FindCaseBox->sizeHint().width(), FindCaseBox->sizeHint().height());
}

void TFindBar::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    Arrange();
}

void TFindBar::Open()
{
    const bool wasHidden = isHidden();
    show();
    FEscape->setEnabled(true);
    raise();
    FindEdit->setFocus(Qt::ShortcutFocusReason);
    FindEdit->selectAll();
    if (wasHidden)
        emit VisibilityChanged();
    if (!FindEdit->text().isEmpty())
        Search();
}

void TFindBar::Close()
{
    if (isHidden())
        return;
    // The focus goes back to the window rather than into the void.
    if (FindEdit->hasFocus() && parentWidget())
        parentWidget()->setFocus();
    hide();
    FEscape->setEnabled(false);
    FMarks.Clear();
    emit VisibilityChanged();
}

void TFindBar::Search()
{
    if (isHidden())
        return;
    const int found = FMarks.Mark(FindEdit->text().isEmpty() ? QStringList() : QStringList{FindEdit->text()},
                                  FindCaseBox->isChecked());
    // Nothing found is said as desktop programs say it: the field turns red.
    FindEdit->setStyleSheet(found == 0 && !FindEdit->text().isEmpty() ? QStringLiteral("QLineEdit { background: #ffb0b0; }")
                                                                     : QString());
}

bool TFindBar::Stale() const
{
    return !FindEdit->text().isEmpty() && !FMarks.Active();
}

void TFindBar::FindNext()
{
    if (Stale())
        Search();  // a new page: its first place
    else
        FMarks.Next();
}

void TFindBar::FindPrevious()
{
    if (Stale())
        Search();
    FMarks.Previous();
}

}  // namespace lumarc
