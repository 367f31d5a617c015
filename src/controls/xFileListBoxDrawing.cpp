#include "xFileListBox.h"

#include <QBitmap>
#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>

#include <algorithm>

#include "FileListFormat.h"
#include "platform/FileNames.h"

namespace lumarc {

const QPixmap& TxFileListBox::Glyph(int index) const
{
    static const QPixmap none;
    return index >= 0 && static_cast<size_t>(index) < FGlyphs.size() ? FGlyphs[static_cast<size_t>(index)] : none;
}

void TxFileListBox::AssignGlyphs()
{
    FGlyphs.assign(static_cast<size_t>(count()), QPixmap());
    for (int i = 0; i < count(); ++i) {
        const TFileEntry& entry = EntryAt(i);
        // Three letters at most, as the names of that time had.
        const std::string ext = UpperExtension(entry.Name).substr(0, 4);
        QPixmap glyph;
        if (entry.IsDirectory)
            glyph = FolderGlyph;
        else if (entry.IsDrive)
            glyph = FloppyGlyph;
        else if (ext == ".COM" || ext == ".BAT" || ext == ".PIF")
            glyph = ExeGlyph;
        else if (ext == ".EXE")
            glyph = (FSFShow & sfsProcIcons) ? IconGlyph(i) : ExeGlyph;
        else
            glyph = PlainFileGlyph;
        FGlyphs[static_cast<size_t>(i)] = glyph;
    }
}

// Programs on this platform carry no icon of their own; the desktop's theme has the picture
// of an executable, else the list's default icon is used.
QPixmap TxFileListBox::IconGlyph(int) const
{
    QPixmap pixmap(FItemHeight, FItemHeight);
    pixmap.fill(FColor);
    QIcon icon = QIcon::fromTheme(QStringLiteral("application-x-executable"));
    if (icon.isNull())
        icon = FDefaultIcon;
    if (!icon.isNull()) {
        QPainter p(&pixmap);
        icon.paint(&p, pixmap.rect());
    }
    return pixmap;
}

QString TxFileListBox::Format(const QString& standard, TFormatKind kind, int item)
{
    QString format = standard;
    if (OnGetFormat)
        OnGetFormat(this, format, kind, item);
    return format;
}

void TxFileListBox::DrawItem(QPainter& canvas, int index, const QRect& rect, bool focused, bool selected)
{
    if (FLocked)
        return;
    try {
        canvas.fillRect(rect, focused ? FFocusedBkColor : FColor);
        QColor text = FFontColor;
        if (focused && selected)
            text = FFocSelColor;
        else if (focused)
            text = FFocusedColor;
        else if (selected)
            text = FSelectedColor;
        if (index == 0 && count() == 0) {
            QPen pen(QColor(255, 255, 255));
            pen.setStyle(Qt::DotLine);
            canvas.setPen(pen);
            canvas.drawRect(rect.adjusted(0, 0, -1, -1));
            return;
        }
        const TFileEntry& entry = EntryAt(index);
        canvas.setFont(font());
        canvas.setPen(text);
        const TItemCells cells = ItemCells(index, rect);
        const QPixmap& glyph = Glyph(index);
        if (cells.HasGlyph) {
            QPixmap shown = glyph;
            const QImage image = glyph.toImage();
            const QColor key = image.pixelColor(0, image.height() - 1);
            shown.setMask(QBitmap::fromImage(image.createMaskFromColor(key.rgb(), Qt::MaskInColor)));
            canvas.drawPixmap(rect.left() + 2, (rect.top() + rect.bottom() + 1 - glyph.height()) / 2, shown);
        }
        const int start = cells.Start;
        if (!cells.Size.isEmpty())
            canvas.drawText(cells.SizeRect, Qt::AlignVCenter | Qt::AlignRight, cells.Size);
        canvas.drawText(cells.NameRoom, Qt::AlignVCenter | Qt::AlignLeft,
                        canvas.fontMetrics().elidedText(cells.Name, Qt::ElideMiddle, cells.NameRoom.width()));
        if (entry.IsDrive)
            return;
        auto column = [&](int offset, const QString& value) {
            canvas.drawText(QRect(start + offset, rect.top(), rect.right() - start - offset + 1, rect.height()),
                            Qt::AlignVCenter | Qt::AlignLeft, value);
        };
        if (FSFShow & sfsDate)
            column(FOffsetDates, FormatFileTime(Format(QStringLiteral("mm.dd.yy"), fkDateTime, index), entry.Time));
        if (FSFShow & sfsTime)
            column(FOffsetTimes, FormatFileTime(Format(QStringLiteral("t"), fkDateTime, index), entry.Time));
        if (FSFShow & sfsAttr)
            column(FOffsetAttrs, AttrText(Format(QStringLiteral("ARSH"), fkAttr, index), entry.Attr));
    } catch (const std::exception&) {
        canvas.fillRect(rect, canvas.brush());
    }
}

TxFileListBox::TItemCells TxFileListBox::ItemCells(int index, const QRect& rect)
{
    const TFileEntry& entry = EntryAt(index);
    const QFontMetrics metrics(font());
    TItemCells cells;
    cells.HasGlyph = FShowGlyphs && !Glyph(index).isNull();
    cells.Start = cells.HasGlyph ? rect.left() + FItemHeight + 6 : rect.left() + 2;
    // The whole name by default: the column ends where the size begins or the item ends, and
    // a name that is longer is shortened there with an ellipsis and shown whole as a tooltip.
    cells.Name =
        FormatField(Format(QStringLiteral("%-12s"), fkName, index), QString::fromLocal8Bit(entry.Name.c_str()));
    while (cells.Name.endsWith(QLatin1Char(' ')))
        cells.Name.chop(1);
    int nameRight = rect.right();
    if ((FSFShow & sfsSize) && !entry.IsDirectory && !entry.IsDrive) {
        cells.Size = FormatField(Format(QStringLiteral("%9d"), fkSize, index), entry.Size);
        cells.SizeRect = QRect(cells.Start, rect.top(), FOffsetSizes + 2, rect.height());
        // A size of ten digits or more reaches further left than the column was made for;
        // the name ends before it instead of running into it.
        const int sizeLeft = cells.SizeRect.right() + 1 - metrics.horizontalAdvance(cells.Size.trimmed());
        nameRight = std::min(nameRight, sizeLeft - metrics.horizontalAdvance(QLatin1Char(' ')) - 1);
    }
    cells.NameRoom = QRect(cells.Start, rect.top(), std::max(0, nameRight - cells.Start + 1), rect.height());
    return cells;
}

bool TxFileListBox::viewportEvent(QEvent* event)
{
    if (event->type() != QEvent::ToolTip)
        return QListWidget::viewportEvent(event);
    const QPoint pos = static_cast<QHelpEvent*>(event)->pos();
    const QListWidgetItem* under = itemAt(pos);
    QString tip;
    if (under && !FLocked) {
        try {
            const TItemCells cells = ItemCells(row(under), visualItemRect(under));
            if (QFontMetrics(font()).horizontalAdvance(cells.Name) > cells.NameRoom.width())
                tip = cells.Name;
        } catch (const std::exception&) {
        }
    }
    if (tip.isEmpty())
        QToolTip::hideText();
    else
        QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), tip, viewport());
    return true;
}

void TxFileListBox::paintEvent(QPaintEvent* event)
{
    QListWidget::paintEvent(event);
    if (count() == 0 && !FLocked) {
        QPainter painter(viewport());
        DrawItem(painter, 0, QRect(0, 0, viewport()->width(), FItemHeight), hasFocus(), false);
    }
}

}  // namespace lumarc
