#pragma once
// A read-only view of text lines, one line per row, never wrapped. Each line may carry a font
// tag (FontTag.h) that picks the font of its row; every row is as high as its font. The lines
// are CP1252 bytes and are decoded only where they are drawn, printed or copied.

#include <QAbstractScrollArea>
#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>
#include <QStringList>

#include <deque>
#include <vector>

#include "catalogue/StringList.h"
#include "platform/Exception.h"

namespace lumarc {

// Raised only for a font index past the end of the font list.
LUMARC_DECLARE_ERROR(MicaTextViewError, Exception);

class TMicaTextView : public QAbstractScrollArea {
    Q_OBJECT

public:
    static constexpr int kDefaultColWidth = 500;
    static constexpr int kDefaultRowHeight = 24;
    // The point size of a font nobody has sized yet.
    static constexpr int kDefaultFontSize = 8;
    // Pixels the text starts right of the cell's left edge.
    static constexpr int kTextInset = 2;
    // Pixels beyond the widest drawn line that the column widens to.
    static constexpr int kColWidthSlack = 5;
    // Pixels one cursor-left or cursor-right key scrolls.
    static constexpr int kHorzLineStep = 16;

    explicit TMicaTextView(QWidget* parent = nullptr);
    ~TMicaTextView() override;

    // The text, tags included. Callers fill it and then call LayoutRows.
    TStringList Lines;
    // The font in effect while rows are laid out; afterwards the last row's font. Setting it
    // has no other effect.
    int ActualFont = 0;
    // True: an untagged line uses font 0; false: it keeps the font of the row before it.
    bool UseStandardFont = true;

    const std::deque<QFont>& Fonts() const { return FFonts; }
    // Font `index`, to read or to change; raises MicaTextViewError past the end. Changed
    // fonts take effect on rows at the next LayoutRows.
    QFont& GetFont(int index);
    const QFont& GetFont(int index) const;
    // Appends a font in the application's default family, kDefaultFontSize points; returns
    // its index.
    int AddFont();

    // Gives every row its font and its height and returns to the top. A tag naming a font past
    // the end raises MicaTextViewError at that row; the rows before it stay laid out.
    void LayoutRows();
    // Drops all lines and every row's font; the row count stays until the next LayoutRows.
    virtual void Clear();
    // Prints all lines without their tags in PrintFont().
    virtual void PrintText();
    // "Arial", kDefaultFontSize points.
    static QFont PrintFont();
    // Puts all lines without their tags on the clipboard, each ending in CR LF; an empty view
    // leaves the clipboard alone.
    virtual void CopyText();
    // Shows the lines of an info text, as stored: lays out their rows and makes itself visible.
    void ShowInfoText(TStringList lines);

    // The lines as printed and copied: tags removed, decoded to Unicode.
    QStringList PlainLines() const;

    // The column's width: the one set here, widened to the widest line drawn of the text that
    // LayoutRows laid out last.
    int DefaultColWidth() const { return FDefaultColWidth; }
    void SetDefaultColWidth(int width);

    int RowCount() const { return static_cast<int>(FRowHeights.size()); }
    int RowHeight(int row) const;
    // The font index a layout gave the row, or -1 when it has none.
    int RowFont(int row) const;
    // The current row, which carries the focus rectangle.
    int Row() const { return FRow; }
    void SetRow(int row);
    int TopRow() const;
    // Horizontal scroll position in pixels.
    int LeftOffset() const;

    // Places in the shown text that are marked, as found text is: a row, and a start and a
    // length in ShownText(row). The current one stands out. Marks go with the next text.
    struct TMark {
        int Row;
        int Start;
        int Length;
        bool operator==(const TMark&) const = default;
    };
    void SetMarks(std::vector<TMark> marks, int current = -1);
    const std::vector<TMark>& Marks() const { return FMarks; }
    // Scrolls mark `index` into view and makes it the current one.
    void ShowMark(int index);
    // The row's text as drawn: without its font tag, decoded, "&&" shown as "&" and the "&" of a
    // mnemonic left out.
    QString ShownText(int row) const;
    // What a screen reader reads: every row's ShownText, joined by line breaks, as of the last
    // LayoutRows or Clear; RowOffset is where a row starts in it.
    const QString& AccessibleText() const { return FAccessibleText; }
    int RowOffset(int row) const;
    // Where a row is drawn in the viewport; empty for a row scrolled out of sight.
    QRect RowRect(int row) const;
    // The colours of a mark and of the current mark, shared by every view that marks text.
    static QColor MarkColour();
    static QColor CurrentMarkColour();

protected:
    // The seams to the shared line output; tests replace them to see what is handed over.
    virtual void PrintLineList(const QStringList& lines, const QFont& font);
    virtual void CopyLineList(const QStringList& lines);

    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    void CheckFontIndex(int index) const;
    void SetRowCount(int count);
    void DrawCell(QPainter& painter, int row, const QRect& rect, bool focused);
    void DrawMarks(QPainter& painter, int row, const QRect& rect) const;
    // Called through the event queue after the painting that found a line wider than the
    // column; widens the column and never narrows it while the text stays.
    void WidenColumn(int width);
    void SetColWidth(int width);
    // A font for drawing: never raises, so painting survives a row whose tag named a font
    // that does not exist.
    const QFont* FontForDrawing(int index) const;
    void UpdateScrollBars();
    int RowAt(int y) const;
    void ScrollRowIntoView(int row);
    // Rebuilds AccessibleText and tells the assistive tools when it changed.
    void UpdateAccessibleText();

    std::deque<QFont> FFonts;
    std::vector<int> FRowHeights;
    std::vector<int> FRowFonts;
    int FDefaultColWidth = kDefaultColWidth;
    // The width the owner set; the column starts from it again with every new text.
    int FBaseColWidth = kDefaultColWidth;
    // Counts laid-out texts, so that a widening posted for one text is dropped for the next.
    unsigned FLayoutCount = 0;
    int FRow = 0;
    QString FAccessibleText;
    std::vector<int> FRowOffsets;
    std::vector<TMark> FMarks;
    int FCurrentMark = -1;
};

}  // namespace lumarc
