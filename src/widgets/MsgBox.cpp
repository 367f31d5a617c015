#include "MsgBox.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QFontMetrics>
#include <QFrame>
#include <QGridLayout>
#include <QGuiApplication>
#include <QMargins>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QSpacerItem>
#include <QStyle>
#include <QWindow>

#include <algorithm>
#include <vector>

#include "widgets/CaptionRoom.h"

namespace lumarc {

namespace {

constexpr int WindowWidthDefault = 300;
constexpr int WindowHeightDefault = 200;
constexpr int ButtonRowLeft = 2;
constexpr int ButtonRowTop = 45;
constexpr int ButtonRowHeight = 41;
constexpr int ButtonWidth = 75;
constexpr int ButtonHeight = 28;
constexpr int ButtonGap = 4;
constexpr int TextTop = 20;
constexpr int TextBottom = 40;
constexpr int TextMarginRight = 8;
constexpr int GapBelowText = 15;
constexpr int GapBelowButtons = 4;
// What a title bar shows beside the caption: the window's icon and its buttons.
constexpr int TitleBarExtras = 110;

constexpr int TextFlags = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap;

// Rounds down also for negative values, where plain division would round towards zero.
int FloorHalf(int value)
{
    return value >= 0 ? value / 2 : -((-value + 1) / 2);
}

}  // namespace

TBoxShowing::TBoxShowing(QWidget* box)
{
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->objectName() == QLatin1String("CDSplash") && window->isVisible())
            window->hide();
    }
    box->setWindowFlag(Qt::WindowStaysOnTopHint, true);
    QGuiApplication::setOverrideCursor(Qt::ArrowCursor);
}

TBoxShowing::~TBoxShowing()
{
    QGuiApplication::restoreOverrideCursor();
}

void ShowPlainBox(bool critical, const QString& caption, const QString& text)
{
    QMessageBox box(critical ? QMessageBox::Critical : QMessageBox::NoIcon, caption, text, QMessageBox::Ok);
    // The title bar's icon and buttons take about as much again as a short word.
    constexpr int kTitleBarRoom = 120;
    const int titleWidth = QFontMetrics(QApplication::font()).horizontalAdvance(caption) + kTitleBarRoom;
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout()))
        grid->addItem(new QSpacerItem(titleWidth, 0, QSizePolicy::Minimum, QSizePolicy::Expanding), grid->rowCount(), 0,
                      1, grid->columnCount());
    const TBoxShowing showing(&box);
    box.exec();
}

TMsgBox::TMsgBox(QObject* AOwner) : QObject(AOwner)
{
    // No owner window: the box must be able to speak before any other window exists.
    FWindow = std::make_unique<QDialog>(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                                     Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                                                     Qt::MSWindowsFixedSizeDialogHint);
    FWindow->setObjectName(QStringLiteral("MsgBoxForm"));
    FWindow->setFixedSize(WindowWidthDefault, WindowHeightDefault);
    FWindow->installEventFilter(this);

    FButtonRow = new QFrame(FWindow.get());
    FButtonRow->setObjectName(QStringLiteral("ButtonPanel"));
    FButtonRow->setFrameShape(QFrame::NoFrame);
    FButtonRow->setGeometry(ButtonRowLeft, ButtonRowTop, FWindow->width() - 4, ButtonRowHeight);

    // The standard captions as the German framework has them; the program speaks German only.
    FOKBtn = MakeButton("OKBtn", QStringLiteral("OK"), QStyle::SP_DialogOkButton, mrOK);
    FCancelBtn = MakeButton("CancelBtn", QStringLiteral("Abbrechen"), QStyle::SP_DialogCancelButton, mrCancel);
    FYesBtn = MakeButton("YesBtn", QStringLiteral("&Ja"), QStyle::SP_DialogYesButton, mrYes);
    FNoBtn = MakeButton("NoBtn", QStringLiteral("&Nein"), QStyle::SP_DialogNoButton, mrNo);
    FAllBtn = MakeButton("AllBtn", QStringLiteral("&Alle"), QStyle::SP_DialogYesToAllButton, mrAll);
    // Not every style draws "yes to all"; the check mark of Yes says nearly the same.
    if (FAllBtn->icon().isNull())
        FAllBtn->setIcon(FWindow->style()->standardIcon(QStyle::SP_DialogYesButton, nullptr, FAllBtn));

    FWindow->setWindowTitle(FCaption);
}

TMsgBox::~TMsgBox()
{
    FWindow->removeEventFilter(this);
}

QPushButton* TMsgBox::MakeButton(const char* Name, const QString& Text, int Icon, int ModalResult)
{
    auto* button = new QPushButton(Text, FButtonRow);
    button->setObjectName(QString::fromLatin1(Name));
    button->setIcon(FWindow->style()->standardIcon(static_cast<QStyle::StandardPixmap>(Icon), nullptr, button));
    button->setGeometry(0, 0, ButtonWidth, ButtonHeight);
    // Enter presses the box's default button, not whichever button last had the focus.
    button->setAutoDefault(false);
    QDialog* window = FWindow.get();
    button->setProperty("ModalResult", ModalResult);
    connect(button, &QPushButton::clicked, window, [window, ModalResult] { window->done(ModalResult); });
    return button;
}

int TMsgBox::Execute()
{
    ArrangeButtons();
    FWindow->setWindowTitle(FCaption);
    MeasureText();
    CentreOnScreen();
    const TBoxShowing showing(FWindow.get());
    const int result = FWindow->exec();
    // The close command and Escape reject the dialog, which Qt reports as 0.
    return result == QDialog::Rejected ? mrCancel : result;
}

void TMsgBox::ArrangeButtons()
{
    std::vector<QPushButton*> shown;
    switch (FButtons) {
    case TMSGButtons::msgOK:
        shown = {FOKBtn};
        break;
    case TMSGButtons::msgOKCancel:
        shown = {FOKBtn, FCancelBtn};
        break;
    case TMSGButtons::msgYesNo:
        shown = {FYesBtn, FNoBtn};
        break;
    case TMSGButtons::msgYesNoCancel:
        shown = {FYesBtn, FNoBtn, FCancelBtn};
        break;
    case TMSGButtons::msgYesAllNoCancel:
        shown = {FYesBtn, FAllBtn, FNoBtn, FCancelBtn};
        break;
    }
    for (QPushButton* button : {FOKBtn, FCancelBtn, FYesBtn, FNoBtn, FAllBtn}) {
        button->hide();
        // A caption wider than the button's place ("Abbrechen" with its icon) widens it.
        button->resize(std::max(ButtonWidth, CaptionWidth(button)), ButtonHeight);
    }
    int buttonsWidth = 0;
    for (QPushButton* button : shown)
        buttonsWidth += button->width() + ButtonGap;

    // Wide enough for the row of buttons, and for the caption in the window system's title bar
    // beside its icon and buttons.
    const int designWidth = FButtons == TMSGButtons::msgYesAllNoCancel ? 305 + FAllBtn->width() : WindowWidthDefault;
    const QMargins m = FrameMargins();
    const int titleWidth = FWindow->fontMetrics().horizontalAdvance(FCaption) + TitleBarExtras + m.left() + m.right();
    SetWindowWidth(std::max({designWidth, buttonsWidth + ButtonGap + 4 + m.left() + m.right(), titleWidth}));
    FButtonRow->resize(FWindow->width() - 4, FButtonRow->height());

    const int row = FButtonRow->width();
    if (shown.size() == 1) {
        FOKBtn->move((row - FOKBtn->width()) / 2, 0);
    } else {
        int right = row;
        for (auto it = shown.rbegin(); it != shown.rend(); ++it) {
            right -= (*it)->width() + ButtonGap;
            (*it)->move(right, 0);
        }
    }
    for (QPushButton* button : shown)
        button->show();
    QPushButton* main = FOKBtn->isVisibleTo(FWindow.get()) ? FOKBtn : FYesBtn;
    for (QPushButton* button : {FOKBtn, FCancelBtn, FYesBtn, FNoBtn, FAllBtn}) {
        const bool chosen = FDefaultButton != 0 && button->property("ModalResult").toInt() == FDefaultButton &&
                            button->isVisibleTo(FWindow.get());
        if (chosen)
            main = button;
    }
    for (QPushButton* button : {FOKBtn, FCancelBtn, FYesBtn, FNoBtn, FAllBtn})
        button->setDefault(button == main);
    main->setFocus();
}

void TMsgBox::MeasureText()
{
    const int clientWidth = FWindow->width();
    const QRect start(QPoint(0, TextTop), QPoint(clientWidth - TextMarginRight - 1, TextBottom - 1));
    const QString text = DisplayText();
    // The text is painted, not a label: a screen reader reads it as the window's description.
    FWindow->setAccessibleDescription(text);
    QRect needed;
    if (text.isEmpty())
        needed = QRect(start.left(), start.top(), 0, 0);  // an empty text needs no room at all
    else
        needed = QFontMetrics(FWindow->font()).boundingRect(start, TextFlags, text);
    FTextRect = QRect(start.left(), start.top(), needed.width(), needed.height());

    FButtonRow->move(FButtonRow->x(), FTextRect.top() + FTextRect.height() + GapBelowText);
    // The frame above the client area is the caption plus the top border.
    SetWindowHeight(FButtonRow->y() + FButtonRow->height() + GapBelowButtons + FrameMargins().top());

    const int textRight = FTextRect.left() + FTextRect.width();
    FTextRect.translate(FloorHalf(FWindow->width() - textRight), 0);
}

void TMsgBox::Paint(QPainter& Canvas) const
{
    Canvas.fillRect(FWindow->rect(), FWindow->palette().color(QPalette::Window));
    Canvas.setFont(FWindow->font());
    Canvas.setPen(FWindow->palette().color(QPalette::WindowText));
    // One pixel more room than measured, so that rounding never drops the last word.
    Canvas.drawText(FTextRect.adjusted(0, 0, 1, 0), TextFlags, DisplayText());
}

bool TMsgBox::eventFilter(QObject* Watched, QEvent* Event)
{
    if (Watched == FWindow.get() && Event->type() == QEvent::Paint) {
        QPainter canvas(FWindow.get());
        Paint(canvas);
        return true;
    }
    return QObject::eventFilter(Watched, Event);
}

QMargins TMsgBox::FrameMargins() const
{
    // The offscreen platform reports a frame that no window manager draws.
    if (QGuiApplication::platformName() == QLatin1String("offscreen"))
        return {};
    // Known once the window manager has framed the window, that is after the first showing.
    if (const QWindow* handle = FWindow->windowHandle())
        return handle->frameMargins();
    return {};
}

int TMsgBox::WindowWidth() const
{
    const QMargins m = FrameMargins();
    return FWindow->width() + m.left() + m.right();
}

int TMsgBox::WindowHeight() const
{
    const QMargins m = FrameMargins();
    return FWindow->height() + m.top() + m.bottom();
}

void TMsgBox::SetWindowWidth(int Value)
{
    const QMargins m = FrameMargins();
    FWindow->setFixedWidth(std::max(1, Value - m.left() - m.right()));
}

void TMsgBox::SetWindowHeight(int Value)
{
    const QMargins m = FrameMargins();
    FWindow->setFixedHeight(std::max(1, Value - m.top() - m.bottom()));
}

void TMsgBox::CentreOnScreen()
{
    const QScreen* screen = FWindow->screen() ? FWindow->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    FWindow->move(area.left() + (area.width() - WindowWidth()) / 2, area.top() + (area.height() - WindowHeight()) / 2);
}

QString TMsgBox::DisplayText() const
{
    QString text = FMsg;
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

}  // namespace lumarc
