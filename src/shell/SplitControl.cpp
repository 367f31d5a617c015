#include "shell/SplitControl.h"

#include <QImage>
#include <QLabel>
#include <QMouseEvent>
#include <QPixmap>

#include <algorithm>

namespace lumarc {

namespace {

// Maps a point of From's client area into To's, through the screen as the two need not share
// a window.
QPoint MapBetween(const QWidget* From, const QWidget* To, const QPoint& P)
{
    return To->mapFromGlobal(From->mapToGlobal(P));
}

}  // namespace

TSplitControl::TSplitControl(QWidget* Form) : FForm(Form) {}

TSplitControl::~TSplitControl()
{
    delete FLine.data();
}

void TSplitControl::Attach(QWidget* Bar, QWidget* Target, TRange Range, std::function<void()> Dropped)
{
    if (FAttachedBar)
        FAttachedBar->removeEventFilter(this);
    FAttachedBar = Bar;
    FAttachedTarget = Target;
    FRange = std::move(Range);
    FDropped = std::move(Dropped);
    if (Bar)
        Bar->installEventFilter(this);
}

bool TSplitControl::eventFilter(QObject* Watched, QEvent* Event)
{
    if (Watched != FAttachedBar)
        return QObject::eventFilter(Watched, Event);
    switch (Event->type()) {
    case QEvent::MouseButtonPress: {
        // Drags start for the left button alone, with no modifier key held.
        const auto* mouse = static_cast<QMouseEvent*>(Event);
        if (mouse->button() == Qt::LeftButton && mouse->buttons() == Qt::LeftButton &&
            mouse->modifiers() == Qt::NoModifier) {
            const auto [least, most] = FRange ? FRange() : std::pair{0, std::numeric_limits<int>::max()};
            BeginDrag(FAttachedBar, FAttachedTarget, least, most);
        }
        return true;
    }
    case QEvent::MouseMove:
        if (Dragging()) {
            const QPoint pos = static_cast<QMouseEvent*>(Event)->position().toPoint();
            TrackTo(pos.x(), pos.y());
        }
        return true;
    case QEvent::MouseButtonRelease:
        if (Dragging()) {
            EndDrag();
            if (FDropped)
                FDropped();
        }
        return true;
    default:
        return QObject::eventFilter(Watched, Event);
    }
}

void TSplitControl::BeginDrag(QWidget* Bar, QWidget* Target, int MinSize, int MaxSize)
{
    if (Dragging())
        EndDrag();
    if (!Bar || !Target || !FForm)
        return;
    FSplitter = Bar;
    FTarget = Target;
    FMinSize = MinSize;
    FMaxSize = std::max(MinSize, MaxSize);
    // No explicit capture: BeginDrag runs from the bar's button press, and Qt already routes
    // every move and the release to the widget that took the press until the button is up.
    FHorizontal = Bar->width() > Bar->height();
    FPos = QPoint(0, 0);

    auto* line = new QLabel(FForm);  // owned by the form; freed by EndDrag at the latest
    line->setObjectName(QStringLiteral("SplitLine"));
    line->setAttribute(Qt::WA_TransparentForMouseEvents);
    line->hide();
    FLine = line;
    DrawLine();
}

void TSplitControl::TrackTo(int X, int Y)
{
    if (!Dragging())
        return;
    DrawLine();  // the line is shown: this erases it
    const int value = Bounded(FHorizontal ? Y : X);
    if (FHorizontal)
        FPos.setY(value);
    else
        FPos.setX(value);
    DrawLine();
}

void TSplitControl::EndDrag()
{
    if (!Dragging())
        return;
    EraseLine();
    QWidget* target = FTarget;
    // Bounded once more: the form or the target may have changed size since the last move.
    int size = 0;
    if (target)
        size = std::max(0, TargetSize(Bounded(Along(FPos))));
    FSplitter = nullptr;
    delete FLine.data();
    if (!target)
        return;
    if (FHorizontal)
        target->resize(target->width(), size);
    else
        target->resize(size, target->height());
}

int TSplitControl::Thickness() const
{
    return FHorizontal ? FSplitter->height() : FSplitter->width();
}

int TSplitControl::TargetSize(int Value) const
{
    const QPoint origin = MapBetween(FSplitter, FTarget, QPoint(0, 0));
    return Value + Along(origin);
}

int TSplitControl::Bounded(int Value) const
{
    if (!FForm || !FTarget)
        return Value;
    // The bar's edge stays inside the form.
    const int inForm = Along(MapBetween(FSplitter, FForm, QPoint(0, 0)));
    const int extent = FHorizontal ? FForm->height() : FForm->width();
    long long v = Value;
    v = std::min<long long>(v, static_cast<long long>(extent) - Thickness() - inForm);
    v = std::max<long long>(v, -static_cast<long long>(inForm));
    // The target's size stays in its range, and never below zero.
    const long long toTarget = Along(MapBetween(FSplitter, FTarget, QPoint(0, 0)));
    v = std::min<long long>(v, static_cast<long long>(FMaxSize) - toTarget);
    v = std::max<long long>(v, static_cast<long long>(FMinSize) - toTarget);
    v = std::max<long long>(v, -toTarget);
    return static_cast<int>(v);
}

QRect TSplitControl::LineRect() const
{
    // A pen as thick as the bar, centred on the line from the tracked point along the bar.
    const QPoint p = MapBetween(FSplitter, FForm, FPos);
    const int t = Thickness();
    if (FHorizontal)
        return QRect(p.x(), p.y() - t / 2, FSplitter->width(), t);
    return QRect(p.x() - t / 2, p.y(), t, FSplitter->height());
}

void TSplitControl::DrawLine()
{
    if (!FLine || !FForm || !FSplitter)
        return;
    if (!FLine->isHidden()) {
        EraseLine();
        return;
    }
    const QRect rect = LineRect().intersected(FForm->rect());
    if (rect.isEmpty())
        return;
    // White in exclusive-or mode inverts what lies beneath.
    QImage beneath = FForm->grab(rect).toImage();
    beneath.invertPixels();
    auto* line = static_cast<QLabel*>(FLine.data());
    line->setPixmap(QPixmap::fromImage(beneath));
    line->setGeometry(rect);
    line->raise();
    line->show();
}

void TSplitControl::EraseLine()
{
    if (FLine)
        FLine->hide();
}

}  // namespace lumarc
