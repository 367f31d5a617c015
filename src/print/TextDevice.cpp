#include "TextDevice.h"

#include <QPainter>
#include <QTextBoundaryFinder>

#include <algorithm>
#include <vector>

namespace lumarc {

TTextDevice::TTextDevice(QPainter& painter, QSize area, std::function<void()> newPage)
    : FPainter(painter), FMetrics(painter.fontMetrics()), FArea(area), FNewPage(std::move(newPage)),
      FPageCount(1)
{
}

int TTextDevice::TabWidth() const
{
    return std::max(1, FMetrics.averageCharWidth() * 8);
}

void TTextDevice::WriteLine(const QString& line)
{
    QString run;
    auto flush = [&] {
        if (!run.isEmpty())
            Write(run);
        run.clear();
    };
    for (QChar c : line) {
        switch (c.unicode()) {
        case u'\t':
            flush();
            Tab();
            break;
        case u'\r':
            flush();
            break;
        case u'\n':
            flush();
            NewLine();
            break;
        case u'\f':
            flush();
            NewPage();
            break;
        default:
            run += c;
        }
    }
    flush();
    NewLine();
}

void TTextDevice::Write(const QString& text)
{
    qsizetype pos = 0;
    while (pos < text.size()) {
        int length = FittingLength(text, static_cast<int>(pos));
        if (length == 0) {
            if (FX > 0) {
                NewLine();
                continue;
            }
            // Not even one character fits on an empty line: printing it cut off beats
            // starting new lines forever.
            QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
            finder.setPosition(pos);
            length = static_cast<int>(finder.toNextBoundary() - pos);
            if (length <= 0)
                length = static_cast<int>(text.size() - pos);
        }
        const QString piece = text.mid(pos, length);
        BeginPageIfDue();
        FPainter.drawText(QPoint(FX, FY + FMetrics.ascent()), piece);
        FLineHeight = std::max(FLineHeight, TextLineHeight());
        FX += FMetrics.horizontalAdvance(piece);
        pos += length;
        if (pos < text.size())
            NewLine();
    }
}

// The most characters from `from` on, ending on a character boundary, that still fit between
// the current position and the right edge.
int TTextDevice::FittingLength(const QString& text, int from) const
{
    std::vector<int> ends;
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    finder.setPosition(from);
    for (qsizetype end = finder.toNextBoundary(); end > 0; end = finder.toNextBoundary())
        ends.push_back(static_cast<int>(end));
    const int room = FArea.width() - FX;
    auto fits = [&](int end) { return FMetrics.horizontalAdvance(text.mid(from, end - from)) <= room; };
    if (!ends.empty() && fits(ends.back()))
        return ends.back() - from;
    // The advance grows with the length, so the last fitting end is found by bisection.
    int low = -1;                                 // index of the last end known to fit
    int high = static_cast<int>(ends.size()) - 1; // index of the first end known not to
    while (high - low > 1) {
        const int middle = (low + high) / 2;
        if (fits(ends[middle]))
            low = middle;
        else
            high = middle;
    }
    return low < 0 ? 0 : ends[low] - from;
}

void TTextDevice::Tab()
{
    const int width = TabWidth();
    FX = (FX / width + 1) * width;
    if (FX > FArea.width())
        NewLine();
}

void TTextDevice::NewLine()
{
    const int height = FLineHeight > 0 ? FLineHeight : EmptyLineHeight();
    FX = 0;
    FY += height;
    FLineHeight = 0;
    if (FY > FArea.height() - 2 * height)
        NewPage();
}

void TTextDevice::NewPage()
{
    FX = 0;
    FY = 0;
    FLineHeight = 0;
    FPageDue = true;
}

void TTextDevice::BeginPageIfDue()
{
    if (!FPageDue)
        return;
    FPageDue = false;
    FNewPage();
    ++FPageCount;
}

}  // namespace lumarc
