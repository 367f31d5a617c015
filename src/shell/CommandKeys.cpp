#include "CommandKeys.h"

#include <QAction>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QToolButton>

#include <utility>

#include "shell/FindBar.h"
#include "shell/TermMarks.h"
#include "shell/ToolDiscMain.h"

namespace lumarc {

namespace {

// A text field takes Ctrl+C for itself even when nothing in it is selected, and then copies
// nothing. Without a selection this leaves the key to the window, which copies the shown text.
class TCopyKeyPassOn : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::ShortcutOverride && static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy) &&
            !HasSelection(watched))
            return true;
        return QObject::eventFilter(watched, event);
    }

private:
    static bool HasSelection(QObject* watched)
    {
        if (auto* edit = qobject_cast<QLineEdit*>(watched))
            return edit->hasSelectedText();
        if (auto* memo = qobject_cast<QPlainTextEdit*>(watched))
            return memo->textCursor().hasSelection();
        return false;
    }
};

void NameKeyInHint(QAbstractButton& button, const QKeySequence& key)
{
    button.setToolTip(button.toolTip() + QStringLiteral(" (") + key.toString(QKeySequence::NativeText) +
                      QLatin1Char(')'));
}

// The window's buttons and menu items are found by name: this binds keys, it does not reach
// into the window's parts.
QToolButton* Button(const TToolDiscMain& window, const char* name)
{
    return window.findChild<QToolButton*>(QString::fromLatin1(name));
}

QAction* Item(const TToolDiscMain& window, const char* name)
{
    return window.findChild<QAction*>(QString::fromLatin1(name));
}

}  // namespace

void BindCommandKeys(TToolDiscMain& window)
{
    // Buttons whose command is also a menu item: the item's shortcut is the key.
    const std::pair<QToolButton*, QAction*> shared[] = {
        {Button(window, "SBPrintText"), Item(window, "MIPrint")},
        {Button(window, "SBInstall"), Item(window, "MIInstall")},
        {Button(window, "SBSearch"), Item(window, "MISearch")},
        {Button(window, "SBOptions"), Item(window, "MIOptions")},
        {Button(window, "QuitButton"), Item(window, "MIQuit")},
    };
    for (const auto& [button, item] : shared)
        NameKeyInHint(*button, item->shortcut());

    // The others. The outline's own keys move the selection only while it has the focus;
    // these work wherever the focus is in the window.
    const std::pair<QToolButton*, QKeySequence> own[] = {
        {Button(window, "SBFirst"), QKeySequence(Qt::ALT | Qt::Key_Home)},
        {Button(window, "SBPrev"), QKeySequence(Qt::ALT | Qt::Key_Up)},
        {Button(window, "SBDown"), QKeySequence(Qt::CTRL | Qt::Key_Down)},
        {Button(window, "SBCopy"), QKeySequence(QKeySequence::Copy)},
        {Button(window, "SBBestellFormular"), QKeySequence(Qt::CTRL | Qt::Key_B)},
        {Button(window, "SBInfo"), QKeySequence(Qt::Key_F1)},
        {Button(window, "SBUp"), QKeySequence(Qt::CTRL | Qt::Key_Up)},
        {Button(window, "SBNext"), QKeySequence(Qt::ALT | Qt::Key_Right)},
        {Button(window, "SBPrevHist"), QKeySequence(Qt::ALT | Qt::Key_Left)},
    };
    for (const auto& [button, key] : own) {
        auto* action = new QAction(button);
        action->setObjectName(button->objectName() + QStringLiteral("Key"));
        action->setShortcut(key);
        // A click on a disabled button does nothing, so the key follows the button's state.
        QObject::connect(action, &QAction::triggered, button, &QAbstractButton::click);
        window.addAction(action);
        NameKeyInHint(*button, key);
    }

    // Found text: F3 and Shift+F3 step through its places on the page.
    for (const auto& [key, forward] :
         {std::pair{QKeySequence(Qt::Key_F3), true}, std::pair{QKeySequence(Qt::SHIFT | Qt::Key_F3), false}}) {
        auto* action = new QAction(&window);
        action->setObjectName(forward ? QStringLiteral("NextMarkKey") : QStringLiteral("PreviousMarkKey"));
        action->setShortcut(key);
        QObject::connect(action, &QAction::triggered, &window, [&window, forward = forward] {
            // With the find bar open its text is what F3 looks for, on whatever page is shown.
            const bool finding = !window.FindBar().isHidden();
            if (forward)
                finding ? window.FindBar().FindNext() : void(window.TermMarks().Next());
            else
                finding ? window.FindBar().FindPrevious() : void(window.TermMarks().Previous());
        });
        window.addAction(action);
    }

    auto* find = new QAction(&window);
    find->setObjectName(QStringLiteral("FindKey"));
    find->setShortcut(QKeySequence::Find);
    QObject::connect(find, &QAction::triggered, &window, [&window] { window.FindBar().Open(); });
    window.addAction(find);

    auto* passOn = new TCopyKeyPassOn(&window);
    for (QLineEdit* edit : window.findChildren<QLineEdit*>())
        edit->installEventFilter(passOn);
    for (QPlainTextEdit* memo : window.findChildren<QPlainTextEdit*>())
        memo->installEventFilter(passOn);
}

}  // namespace lumarc
