#pragma once
// Drags a splitter bar: while the mouse is held on the bar, an inverted line the bar's
// thickness follows the mouse across the form; on release the line goes and the neighbouring
// control takes the size the bar was dragged to. A bar wider than high moves up and down and
// sets its target's height; an upright bar moves left and right and sets a width.
//
// Drags are bounded: the line never leaves the form, and the target's size stays within
// [MinSize, MaxSize] and never below zero, so no pane ends up with a negative size or beyond
// the window's edge however far the captured mouse went.
//
// Attached to a bar, it takes the bar's mouse events itself: the left button alone starts a
// drag, moves track it and the release ends it.

#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QWidget>

#include <functional>
#include <limits>
#include <utility>

namespace lumarc {

class TSplitControl : public QObject {
public:
    // Form: the window the drag line is drawn on; it must outlive every drag.
    explicit TSplitControl(QWidget* Form);
    ~TSplitControl() override;
    TSplitControl(const TSplitControl&) = delete;
    TSplitControl& operator=(const TSplitControl&) = delete;

    // Starts dragging Bar; EndDrag sizes Target. MinSize and MaxSize bound the size EndDrag
    // gives, and with it where the line may go. A drag already running is ended first.
    void BeginDrag(QWidget* Bar, QWidget* Target, int MinSize = 0, int MaxSize = std::numeric_limits<int>::max());
    bool Dragging() const { return !FSplitter.isNull(); }
    // Moves the line to the mouse position, in Bar's client coordinates.
    void TrackTo(int X, int Y);
    // Erases the line, releases the mouse and gives the target its new size.
    void EndDrag();

    // The smallest and largest size of the target, asked for at each press.
    using TRange = std::function<std::pair<int, int>()>;
    // From now on the mouse on Bar drags it to size Target; Dropped runs after each drag.
    void Attach(QWidget* Bar, QWidget* Target, TRange Range, std::function<void()> Dropped = {});

    bool Horizontal() const { return FHorizontal; }
    // The tracked point in the bar's client coordinates (after bounding).
    QPoint Pos() const { return FPos; }

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
    void DrawLine();
    void EraseLine();
    QRect LineRect() const;
    int Along(const QPoint& P) const { return FHorizontal ? P.y() : P.x(); }
    int Thickness() const;
    // The target's size if the bar ended at Along-coordinate Value (bar client coordinates).
    int TargetSize(int Value) const;
    int Bounded(int Value) const;

    QPointer<QWidget> FForm;
    QPointer<QWidget> FSplitter;
    QPointer<QWidget> FTarget;
    bool FHorizontal = false;
    QPoint FPos;
    int FMinSize = 0;
    int FMaxSize = 0;
    // Stands in for a line drawn in exclusive-or mode: a child of the form showing the
    // inverted pixels beneath it. Drawing toggles it, as drawing an XOR line twice erases it.
    QPointer<QWidget> FLine;
    QPointer<QWidget> FAttachedBar;
    QPointer<QWidget> FAttachedTarget;
    TRange FRange;
    std::function<void()> FDropped;
};

}  // namespace lumarc
