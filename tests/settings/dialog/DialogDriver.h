#pragma once
// Drives modal windows from inside their own event loops: key and mouse input sent as the
// window system would, message boxes answered and recorded as they open, and a watchdog so
// that a dialog a test forgot to end fails the test instead of hanging it.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QMessageBox>
#include <QMouseEvent>
#include <QTimer>

#include <functional>
#include <utility>
#include <vector>

namespace lumarc::test {

inline void PressKey(QWidget* target, int key, const QString& text = QString(),
                     Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
    QApplication::sendEvent(target, &release);
}

// Types printable ASCII characters one key at a time.
inline void TypeText(QWidget* target, const QString& text)
{
    for (const QChar ch : text) {
        const int key = ch.isLetter() ? Qt::Key_A + (ch.toUpper().unicode() - 'A') : ch.unicode();
        PressKey(target, key, QString(ch));
    }
}

// A left click in the middle of the widget, press and release; the press moves the focus as
// a real click does.
inline void Click(QWidget* target)
{
    const QPointF local = QRectF(target->rect()).center();
    const QPointF global = target->mapToGlobal(local);
    QMouseEvent press(QEvent::MouseButtonPress, local, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, local, global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(target, &release);
}

// Activation reaches a window through the event queue; focus events need it.
inline bool WaitActive(QWidget* window)
{
    window->activateWindow();
    for (int i = 0; i < 100 && !window->isActiveWindow(); ++i)
        QApplication::processEvents(QEventLoop::AllEvents, 10);
    return window->isActiveWindow();
}

// Answers every message box that becomes the active modal window while it lives, with OK,
// and keeps its title and text.
class TBoxAnswerer {
public:
    struct TSeen {
        QString Title;
        QString Text;
    };

    TBoxAnswerer()
    {
        QObject::connect(&FTimer, &QTimer::timeout, [this] { AnswerOpenBox(); });
        FTimer.start(5);
    }

    const std::vector<TSeen>& Seen() const { return FSeen; }

private:
    void AnswerOpenBox()
    {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || !box->isVisible())
            return;
        FSeen.push_back({box->windowTitle(), box->text()});
        box->button(QMessageBox::Ok)->click();
    }

    QTimer FTimer;
    std::vector<TSeen> FSeen;
};

// Runs `start` (which opens `dialog` modally and returns once it is closed) while `whileShown`
// acts on the open dialog from inside its event loop.
template <typename Start>
auto RunModal(QDialog& dialog, const std::function<void()>& whileShown, Start start)
{
    QTimer::singleShot(0, &dialog, [&] {
        EXPECT_TRUE(WaitActive(&dialog));
        whileShown();
    });
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, [&] {
        ADD_FAILURE() << "dialog still open";
        if (QWidget* modal = QApplication::activeModalWidget(); modal && modal != &dialog)
            modal->close();
        dialog.done(QDialog::Rejected);
    });
    watchdog.start(5000);
    return start();
}

}  // namespace lumarc::test
