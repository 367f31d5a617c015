#include "shell/WideInfoForm.h"

#include <QApplication>
#include <QFont>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QStyle>
#include <QTextBlock>
#include <QTextDocument>

#include <algorithm>

#include "catalogue/CompoText.h"
#include "platform/CodePage.h"
#include "shell/ScreenRoom.h"
#include "shell/SplitControl.h"
#include "widgets/AnsiText.h"
#include "widgets/DesignLook.h"

namespace lumarc {

namespace {

constexpr int kBevel = 2;

QPlainTextEdit* MakeMemo(QWidget* Parent, const char* Name, const QRect& Geometry)
{
    auto* memo = new QPlainTextEdit(Parent);
    memo->setObjectName(QString::fromLatin1(Name));
    memo->setReadOnly(true);
    memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    memo->setGeometry(Geometry);
    return memo;
}

QLabel* MakeBar(QWidget* Parent, const char* Name, const QString& Caption, const QRect& Geometry)
{
    auto* bar = new QLabel(Caption, Parent);
    bar->setObjectName(QString::fromLatin1(Name));
    bar->setFrameStyle(QFrame::Panel | QFrame::Raised);
    bar->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    bar->setIndent(4);
    bar->setCursor(Qt::SplitVCursor);
    bar->setGeometry(Geometry);
    return bar;
}

void SetLines(QPlainTextEdit* Memo, const TStringList& Lines)
{
    QStringList text;
    text.reserve(Lines.Count());
    for (const std::string& line : Lines.Strings())
        text.append(FromAnsi(line));
    Memo->setPlainText(text.join(QLatin1Char('\n')));
    Memo->moveCursor(QTextCursor::Start);
    Memo->ensureCursorVisible();
}

}  // namespace

TWideInfoForm::TWideInfoForm(QWidget* Parent)
    : QWidget(Parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("WideInfoForm"));
    setFont(SystemFont());
    setGeometry(kDesignLeft, kDesignTop, kDesignWidth, kDesignHeight);
    KeepOnPrimaryScreen(*this);

    WidePanel = new QFrame(this);
    WidePanel->setObjectName(QStringLiteral("WidePanel"));
    WidePanel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    WidePanel->setLineWidth(kBevel);

    WideScroll = new QScrollArea(WidePanel);
    WideScroll->setObjectName(QStringLiteral("WideScroll"));
    WideScroll->setFrameShape(QFrame::NoFrame);
    // No Tab stop of its own, where the focus could not be seen: it scrolls to the control
    // that takes the focus.
    WideScroll->setFocusPolicy(Qt::NoFocus);
    auto* contents = new QWidget;
    contents->setObjectName(QStringLiteral("WideScrollContents"));
    WideScroll->setWidget(contents);  // the scroll box owns it
    FitPanels();

    ReviewLabel = new QLabel(QStringLiteral("persönliche Einschätzung:"), contents);
    ReviewLabel->setObjectName(QStringLiteral("ReviewLabel"));
    ReviewLabel->move(4, 12);
    ReviewLabel->adjustSize();

    BackBtn = new QPushButton(style()->standardIcon(QStyle::SP_ArrowBack), QStringLiteral("&Zurück"), contents);
    BackBtn->setObjectName(QStringLiteral("BackBtn"));
    BackBtn->setGeometry(480, 2, 89, 27);
    connect(BackBtn, &QPushButton::clicked, this, &TWideInfoForm::BackBtnClick);

    ReViewMemo = MakeMemo(contents, "ReViewMemo", QRect(0, 34, 572, 65));
    UpperSplitter =
        MakeBar(contents, "UpperSplitter", QStringLiteral("Installationshinweise:"), QRect(1, 102, 571, 19));
    InstallMemo = MakeMemo(contents, "InstallMemo", QRect(0, 122, 573, 96));
    LowerSplitter =
        MakeBar(contents, "LowerSplitter", QStringLiteral("Komponentenbeschreibung:"), QRect(0, 219, 571, 19));
    LongInfoMemo = MakeMemo(contents, "LongInfoMemo", QRect(0, contents->height() - 148, contents->width(), 148));

    // Never so small that "Zurück" covers the caption beside it or a bar covers another: the
    // caption and the button side by side, and below them the two bars with a line of each
    // memo. On a screen smaller than that the screen wins.
    const int frame = 2 * kBevel + 4;
    setMinimumSize(ReviewLabel->geometry().right() + 1 + 12 + BackBtn->width() + 2 + frame,
                   ReViewMemo->y() + UpperSplitter->height() + LowerSplitter->height() + 3 * 24 + frame);
    KeepOnPrimaryScreen(*this);

    // Every key goes past the form first, so Esc reaches the back button from any control.
    for (QWidget* child : findChildren<QWidget*>())
        child->installEventFilter(this);

    FormCreate();
}

TWideInfoForm::~TWideInfoForm()
{
    // The children outlive this body; their last events must not reach a half-destroyed form.
    for (QWidget* child : findChildren<QWidget*>())
        child->removeEventFilter(this);
}

void TWideInfoForm::FormCreate()
{
    // No minimise box and so no minimise command in the window menu: the window flags above
    // leave the hint out.
    // The bars are bounded so no memo's height goes below zero: the lower bar stays between the
    // installation notes' top and the point where the long description would vanish, the upper
    // bar between the review's top and the lower bar.
    FLowerSplit = std::make_unique<TSplitControl>(this);
    FLowerSplit->Attach(
        LowerSplitter, InstallMemo,
        [this] {
            return std::pair{0, std::max(0, height() - 5 - LowerSplitter->height() - InstallMemo->y())};
        },
        [this] { ArrangeLower(); });
    ArrangeLower();
    FUpperSplit = std::make_unique<TSplitControl>(this);
    FUpperSplit->Attach(
        UpperSplitter, ReViewMemo,
        [this] {
            return std::pair{0, std::max(0, LowerSplitter->y() - ReViewMemo->y() - UpperSplitter->height() - 1)};
        },
        [this] { ArrangeUpper(); });
    ArrangeUpper();
}

QWidget* TWideInfoForm::ScrollArea() const
{
    return WideScroll->widget();
}

int TWideInfoForm::ScrollWidth() const
{
    return ScrollArea()->width();
}

void TWideInfoForm::FitPanels()
{
    // The panel fills the window, the scroll box fills the panel inside its bevel and its
    // contents fill the scroll box. Done by hand rather than by layouts so that it also holds
    // while the window is hidden, when printing fills and measures it.
    WidePanel->setGeometry(rect());
    WideScroll->setGeometry(WidePanel->rect().adjusted(kBevel, kBevel, -kBevel, -kBevel));
    ScrollArea()->resize(WideScroll->size());
}

void TWideInfoForm::Fill(const TCompoText& Compo, bool ShowWindow)
{
    SetLines(LongInfoMemo, Compo.LongInfo);
    SetLines(InstallMemo, Compo.Installation);
    SetLines(ReViewMemo, Compo.Review);
    setWindowTitle(QStringLiteral("Detailansicht der Komponente: ") + FromAnsi(Compo.LongName));
    if (ShowWindow) {
        show();
        raise();
        activateWindow();
    }
}

TStringList TWideInfoForm::LongInfoLines() const
{
    TStringList lines;
    const QTextDocument* document = LongInfoMemo->document();
    if (document->isEmpty())
        return lines;
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        const QByteArray utf8 = block.text().toUtf8();
        std::string bytes;
        // Every character came from CP1252 text, so this only fails for text put in by hand.
        if (!Utf8ToCp1252(std::string_view(utf8.constData(), utf8.size()), bytes))
            bytes = block.text().toLatin1().toStdString();
        lines.Add(std::move(bytes));
    }
    return lines;
}

void TWideInfoForm::BackBtnClick()
{
    hide();
}

void TWideInfoForm::ArrangeLower()
{
    LowerSplitter->setGeometry(LowerSplitter->x(), InstallMemo->y() + InstallMemo->height(),
                               ScrollWidth() - LowerSplitter->x(), LowerSplitter->height());
    const int height = this->height() - (LowerSplitter->y() + LowerSplitter->height() + 1) - 4;
    // Aligned to the bottom: the memo starts just below the bar.
    const int shown = std::max(0, height);
    LongInfoMemo->setGeometry(0, ScrollArea()->height() - shown, ScrollWidth(), shown);
}

void TWideInfoForm::ArrangeUpper()
{
    UpperSplitter->setGeometry(UpperSplitter->x(), ReViewMemo->y() + ReViewMemo->height(),
                               ScrollWidth() - UpperSplitter->x(), UpperSplitter->height());
    const int a = UpperSplitter->y() + UpperSplitter->height() + 1;
    // The notes end exactly where the lower bar begins. ArrangeLower puts the bar at the notes'
    // bottom edge, so one pixel more here would push the bar down a pixel on every resize.
    InstallMemo->setGeometry(InstallMemo->x(), a, ScrollWidth() - InstallMemo->x(),
                             std::max(0, LowerSplitter->y() - a));
}

void TWideInfoForm::FormResize()
{
    FitPanels();
    BackBtn->move(ScrollWidth() - BackBtn->width() - 2, BackBtn->y());
    InstallMemo->resize(ScrollWidth() - 2, InstallMemo->height());
    ReViewMemo->resize(ScrollWidth() - 2, ReViewMemo->height());
    // A window made shorter takes the room from the memos above, so that both bars stay in it.
    FitMemoHeights(ReViewMemo->height(), InstallMemo->height());
}

void TWideInfoForm::FitMemoHeights(int Review, int Install)
{
    const int room =
        std::max(0, height() - 5 - LowerSplitter->height() - UpperSplitter->height() - 1 - ReViewMemo->y());
    // Squeezed, each of the three memos keeps a line where the room allows it.
    constexpr int kLine = 24;
    const int keep = std::min(kLine, room / 3);
    Review = std::clamp(Review, 0, std::max(0, room - 2 * keep));
    Install = std::clamp(Install, 0, std::max(0, room - Review - keep));
    ReViewMemo->resize(ReViewMemo->width(), Review);
    UpperSplitter->move(UpperSplitter->x(), ReViewMemo->y() + Review);
    InstallMemo->setGeometry(InstallMemo->x(), UpperSplitter->y() + UpperSplitter->height() + 1, InstallMemo->width(),
                             Install);
    ArrangeLower();
    ArrangeUpper();
}

int TWideInfoForm::ReviewHeight() const
{
    return ReViewMemo->height();
}

int TWideInfoForm::InstallHeight() const
{
    return InstallMemo->height();
}

void TWideInfoForm::SetMemoHeights(int Review, int Install)
{
    // A hidden window gets its resize event only when shown; the bounds need its layout now.
    FormResize();
    FitMemoHeights(Review, Install);
}

void TWideInfoForm::resizeEvent(QResizeEvent* Event)
{
    QWidget::resizeEvent(Event);
    FormResize();
}

void TWideInfoForm::keyPressEvent(QKeyEvent* Event)
{
    if (Event->key() == Qt::Key_Escape) {
        BackBtn->click();
        return;
    }
    QWidget::keyPressEvent(Event);
}

bool TWideInfoForm::eventFilter(QObject* Watched, QEvent* Event)
{
    if (Event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(Event)->key() == Qt::Key_Escape) {
        BackBtn->click();
        return true;
    }
    return QWidget::eventFilter(Watched, Event);
}

}  // namespace lumarc
