#pragma once
// Plain text lines on a painter, the way a line printer lays them out: from the top-left
// corner of the printable area downwards, no margins, long lines broken where they stop
// fitting, tabs on fixed stops, a new page before the bottom is reached.

#include <QFontMetrics>
#include <QSize>
#include <QString>

#include <functional>

class QPainter;

namespace lumarc {

class TTextDevice {
public:
    // `area` is the printable area in device pixels, with the painter's origin at its top-left
    // corner; the painter's font is the font of every line. `newPage` ejects the current page
    // and gives a fresh one; it may throw.
    TTextDevice(QPainter& painter, QSize area, std::function<void()> newPage);

    // Writes one line and moves to the start of the next. Inside a line, a tab moves to the
    // next tab stop, a line feed starts a new line, a form feed a new page; carriage returns
    // are dropped.
    void WriteLine(const QString& line);

    // Pages begun so far, the first included. A page is begun only when something is drawn on
    // it, so lines that end exactly at a page's bottom do not eject an empty sheet.
    int PageCount() const { return FPageCount; }
    // Where the next text goes, relative to the printable area.
    int X() const { return FX; }
    int Y() const { return FY; }

    // A line with text is this high...
    int TextLineHeight() const { return FMetrics.height() + 2; }
    // ...an empty line only the character height.
    int EmptyLineHeight() const { return FMetrics.height(); }
    int TabWidth() const;

private:
    void Write(const QString& text);
    void Tab();
    void NewLine();
    void NewPage();
    void BeginPageIfDue();
    int FittingLength(const QString& text, int from) const;

    QPainter& FPainter;
    QFontMetrics FMetrics;
    QSize FArea;
    std::function<void()> FNewPage;
    int FX = 0;
    int FY = 0;
    int FLineHeight = 0;          // 0 until text is drawn on the current line
    int FPageCount = 0;
    bool FPageDue = false;        // a page break is owed before the next drawing
};

}  // namespace lumarc
