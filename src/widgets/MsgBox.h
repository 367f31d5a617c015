#pragma once
// The program's own message box: a component that holds a text, a caption and a choice of
// buttons, and on Execute shows them in a modal window with the text word-wrapped and centred
// above a row of buttons. The window is built once, hidden between calls and reused.

#include <QObject>
#include <QRect>
#include <QString>

#include <memory>

class QDialog;
class QFrame;
class QMargins;
class QPainter;
class QPushButton;
class QWidget;

namespace lumarc {

// While a box the user must read is up: the start-up splash (which stays on top) is out of the
// way, the box is above every other window, and the cursor is the normal arrow whatever busy
// cursor was set before; that cursor comes back afterwards.
class TBoxShowing {
public:
    explicit TBoxShowing(QWidget* box);
    ~TBoxShowing();
    TBoxShowing(const TBoxShowing&) = delete;
    TBoxShowing& operator=(const TBoxShowing&) = delete;
};

// The framework's plain message box with an OK button, as wide as its title needs (the box
// sizes itself to its text alone, and a short text would cut the title), shown modally.
void ShowPlainBox(bool critical, const QString& caption, const QString& text);

enum class TMSGButtons { msgOK, msgOKCancel, msgYesNo, msgYesNoCancel, msgYesAllNoCancel };

class TMsgBox : public QObject {
    Q_OBJECT

public:
    // What Execute returns, by the button pressed; closing the window counts as Cancel.
    static constexpr int mrOK = 1;
    static constexpr int mrCancel = 2;
    static constexpr int mrYes = 6;
    static constexpr int mrNo = 7;
    static constexpr int mrAll = 8;

    explicit TMsgBox(QObject* AOwner = nullptr);
    ~TMsgBox() override;

    QString Caption() const { return FCaption; }
    void SetCaption(const QString& Value) { FCaption = Value; }
    QString Msg() const { return FMsg; }
    void SetMsg(const QString& Value) { FMsg = Value; }  // CR LF, CR or LF break lines
    TMSGButtons Buttons() const { return FButtons; }
    void SetButtons(TMSGButtons Value) { FButtons = Value; }
    // The modal result of the button that Enter presses; 0 (the default) means OK, or Yes
    // where there is no OK. A question that destroys something makes its harmless answer the
    // default.
    int DefaultButton() const { return FDefaultButton; }
    void SetDefaultButton(int ModalResult) { FDefaultButton = ModalResult; }

    // Lays out, sizes and shows the window modally; returns the modal result above.
    virtual int Execute();

    // The window itself, for callers that change its window flags (stay on top).
    QDialog* Window() const { return FWindow.get(); }

    // Shows the buttons that Buttons names, right-aligned (OK alone is centred), and sets the
    // window's width.
    void ArrangeButtons();
    // Wraps the text within the window's width, puts the button row 15 pixels below it, sets
    // the window's height and centres the text rectangle.
    void MeasureText();
    // The window's paint handler: background and the wrapped message in TextRect.
    void Paint(QPainter& Canvas) const;
    QRect TextRect() const { return FTextRect; }

    // The window's outer size: the client area plus the frame the window manager draws.
    int WindowWidth() const;
    int WindowHeight() const;

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
    QPushButton* MakeButton(const char* Name, const QString& Text, int Icon, int ModalResult);
    QMargins FrameMargins() const;
    void SetWindowWidth(int Value);
    void SetWindowHeight(int Value);
    void CentreOnScreen();
    QString DisplayText() const;

    std::unique_ptr<QDialog> FWindow;
    QFrame* FButtonRow = nullptr;
    QPushButton* FOKBtn = nullptr;
    QPushButton* FCancelBtn = nullptr;
    QPushButton* FYesBtn = nullptr;
    QPushButton* FNoBtn = nullptr;
    QPushButton* FAllBtn = nullptr;
    QRect FTextRect;
    QString FCaption = QStringLiteral("Message");
    QString FMsg;
    TMSGButtons FButtons = TMSGButtons::msgOK;
    int FDefaultButton = 0;
};

}  // namespace lumarc
