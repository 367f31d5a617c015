#include "xFileListBox.h"

#include <QApplication>
#include <QDir>
#include <QKeyEvent>
#include <QMouseEvent>

#include <algorithm>
#include <memory>

#include "FileGlyphs.h"
#include "FileListDelegate.h"
#include "FileListFormat.h"
#include "platform/ApplicationErrors.h"
#include "platform/Disc.h"
#include "platform/Drives.h"
#include "platform/FileNames.h"
#include "platform/SystemErrors.h"

namespace lumarc {

namespace {

std::function<std::vector<std::string>()>& DriveSource()
{
    static std::function<std::vector<std::string>()> source = [] { return ReachableDrives(); };
    return source;
}

}  // namespace

TxFileListBox::TxFileListBox(QWidget* parent) : QListWidget(parent)
{
    setItemDelegate(new TFileListDelegate(this));
    setUniformItemSizes(true);
    setFixedSize(343, 165);
    setMinimumSize(0, 0);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    QFont font(QStringLiteral("System"));
    setFont(font);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    ExeGlyph = ExeGlyphPixmap();
    FolderGlyph = FolderGlyphPixmap();
    PlainFileGlyph = PlainFileGlyphPixmap();
    FloppyGlyph = FloppyGlyphPixmap();
    SetColor(FColor);
    ApplyLayout();
}

TxFileListBox::~TxFileListBox() = default;

void TxFileListBox::SetDriveSource(std::function<std::vector<std::string>()> source)
{
    DriveSource() = source ? std::move(source) : [] { return ReachableDrives(); };
}

void TxFileListBox::SetDirectory(const QString& dir)
{
    const QString clean = QDir::cleanPath(QDir(dir).absolutePath());
    if (clean == FDirectory)
        return;
    if (DiscPathKind(clean.toStdString()) != TDiscPathKind::Directory)
        throw EInOutError(UnreachableDirectory(clean.toStdString()));
    FDirectory = clean;
    Reload();
}

void TxFileListBox::SetMask(const QString& mask)
{
    if (mask == FMask)
        return;
    FMask = mask;
    Reload();
}

void TxFileListBox::SetFileType(TFileType value)
{
    if (value == FFileType)
        return;
    FFileType = value;
    Reload();
}

void TxFileListBox::ApplyFilePath(const QString& path)
{
    const int slash = static_cast<int>(path.lastIndexOf('/'));
    const QString dir = slash < 0 ? FDirectory : (slash == 0 ? QStringLiteral("/") : path.left(slash));
    const QString rest = slash < 0 ? path : path.mid(slash + 1);
    if (!rest.isEmpty() && (rest.contains('*') || rest.contains('?')))
        FMask = rest;
    const QString clean = QDir::cleanPath(QDir(dir).absolutePath());
    if (DiscPathKind(clean.toStdString()) != TDiscPathKind::Directory)
        throw EInOutError(UnreachableDirectory(clean.toStdString()));
    FDirectory = clean;
    Reload();
}

#define LUMARC_RELOADING_SETTER(Name, Type, Field) \
    void TxFileListBox::Set##Name(Type value)      \
    {                                              \
        if (value == Field)                        \
            return;                                \
        Field = value;                             \
        Reload();                                  \
    }
LUMARC_RELOADING_SETTER(SortType, TSortType, FSortType)
LUMARC_RELOADING_SETTER(SFShow, TSFShow, FSFShow)
LUMARC_RELOADING_SETTER(OffsetSizes, int, FOffsetSizes)
LUMARC_RELOADING_SETTER(OffsetDates, int, FOffsetDates)
LUMARC_RELOADING_SETTER(OffsetTimes, int, FOffsetTimes)
LUMARC_RELOADING_SETTER(OffsetAttrs, int, FOffsetAttrs)
LUMARC_RELOADING_SETTER(UpperCase, bool, FUpperCase)
LUMARC_RELOADING_SETTER(EnableDirSel, bool, FEnableDirSel)
#undef LUMARC_RELOADING_SETTER

#define LUMARC_REPAINTING_SETTER(Name, Field)        \
    void TxFileListBox::Set##Name(const QColor& value) \
    {                                                \
        if (value == Field)                          \
            return;                                  \
        Field = value;                               \
        Repaint();                                   \
    }
LUMARC_REPAINTING_SETTER(SelectedColor, FSelectedColor)
LUMARC_REPAINTING_SETTER(FocusedColor, FFocusedColor)
LUMARC_REPAINTING_SETTER(FocSelColor, FFocSelColor)
LUMARC_REPAINTING_SETTER(FocusedBkColor, FFocusedBkColor)
LUMARC_REPAINTING_SETTER(FontColor, FFontColor)
#undef LUMARC_REPAINTING_SETTER

void TxFileListBox::SetColor(const QColor& value)
{
    FColor = value;
    QPalette pal = palette();
    pal.setColor(QPalette::Base, value);
    pal.setColor(QPalette::Window, value);
    setPalette(pal);
    Repaint();
}

void TxFileListBox::SetBorderStyle(TBorderStyle value)
{
    if (value == FBorderStyle)
        return;
    FBorderStyle = value;
    ApplyLayout();
}

void TxFileListBox::SetMultiColumns(bool value)
{
    if (value == FMultiColumns)
        return;
    FMultiColumns = value;
    ApplyLayout();
}

void TxFileListBox::SetMultiColumnWidth(int value)
{
    if (value == FMultiColumnWidth)
        return;
    FMultiColumnWidth = value;
    ApplyLayout();
}

void TxFileListBox::SetDefaultIcon(const QIcon& value)
{
    FDefaultIcon = value;
    Reload();
}

void TxFileListBox::SetExtendedSelect(bool value)
{
    FExtendedSelect = value;
    SetMultiSelect(FMultiSelect);
}

void TxFileListBox::SetMultiSelect(bool value)
{
    FMultiSelect = value;
    setSelectionMode(!value ? QAbstractItemView::SingleSelection
                            : (FExtendedSelect ? QAbstractItemView::ExtendedSelection : QAbstractItemView::MultiSelection));
}

void TxFileListBox::SetShowGlyphs(bool value)
{
    if (value == FShowGlyphs)
        return;
    FShowGlyphs = value;
    Reload();
}

void TxFileListBox::SetItemHeight(int value)
{
    if (value == FItemHeight || value <= 0)
        return;
    FItemHeight = value;
    ApplyLayout();
}

// Window creation: the border and the column mode.
void TxFileListBox::ApplyLayout()
{
    setFrameShape(FBorderStyle == TBorderStyle::bsSingle ? QFrame::StyledPanel : QFrame::NoFrame);
    if (FMultiColumns) {
        setFlow(QListView::TopToBottom);
        setWrapping(true);
        setResizeMode(QListView::Adjust);
        setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    } else {
        setFlow(QListView::TopToBottom);
        setWrapping(false);
        setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    }
    doItemsLayout();
    Repaint();
}

void TxFileListBox::resizeEvent(QResizeEvent* event)
{
    QListWidget::resizeEvent(event);
    if (!FMultiColumns)
        doItemsLayout();
}

// Names keep the case they have on disk unless upper case is asked for: this file system
// tells "Readme.txt" from "README.TXT", and a lower-cased name would be another file.
QString TxFileListBox::CaseName(const QString& name) const
{
    return FUpperCase ? name.toUpper() : name;
}

void TxFileListBox::Reload()
{
    if (FReading || FLocked)
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    setUpdatesEnabled(false);
    FReading = true;
    struct TRestore {
        TxFileListBox* Self;
        ~TRestore()
        {
            Self->doItemsLayout();
            if (Self->count() > 0)
                Self->SetItemIndex(0);
            if (Self->FMultiSelect && Self->count() > 0 && Self->FEnableDirSel)
                Self->SetSelected(0, true);
            Self->setUpdatesEnabled(true);
            QApplication::restoreOverrideCursor();
            Self->Repaint();
            Self->Change();
            Self->FReading = false;
        }
    } restore{this};

    uint32_t attributes = 0;
    for (uint8_t bit : {ftReadOnly, ftHidden, ftSystem, ftVolumeID, ftDirectory, ftArchive}) {
        if (FFileType & bit)
            attributes |= bit;
    }
    FFileEntries.Clear();
    FDirEntries.Clear();
    FDriveEntries.Clear();
    clear();
    FGlyphs.clear();
    if (!FDirectory.isEmpty()) {
        // The directory may lie in a disc image: the component's folder on the disc.
        const std::vector<TDirEntry> found = ListDiscFolder(FDirectory.toStdString());
        for (const QString& part : FMask.split(';')) {
            if (!part.isEmpty())
                ScanMask(found, part, attributes);
        }
        if ((FFileType & ftDirectory) && (FSFShow & sfsDirs))
            ScanMask(found, QString(), attributes);
    }
    if (FSFShow & sfsDrives)
        AddDriveEntries();
    BuildItems();
    if (FShowGlyphs)
        AssignGlyphs();
    FWidestName = 0;
    for (int i = 0; i < count(); ++i)
        FWidestName = std::max(FWidestName, QFontMetrics(font()).horizontalAdvance(ItemCells(i, QRect()).Name));
}

int TxFileListBox::ColumnWidth() const
{
    const int needed = FWidestName + (FShowGlyphs ? FItemHeight + 6 : 2) + 4;
    return std::max(FMultiColumnWidth, std::min(needed, viewport()->width()));
}

void TxFileListBox::ScanMask(const std::vector<TDirEntry>& found, const QString& mask, uint32_t attributes)
{
    const uint32_t excluding = (faHidden | faSysFile | faVolumeID | faDirectory) & ~(mask.isEmpty() ? 0x3Fu : attributes);
    for (const TDirEntry& f : found) {
        if (f.Name == "." || (f.Attr & excluding))
            continue;
        if (mask.isEmpty()) {
            // The all-directories pass: directories only, in the case the file system gives.
            if (!(f.Attr & faDirectory))
                continue;
            auto entry = std::make_unique<TFileEntry>();
            entry->Name = f.Name;
            entry->FileName = f.Name;
            entry->Attr = f.Attr;
            entry->Time = PackFileTime(f.Time);
            entry->IsDirectory = true;
            FDirEntries.Add(std::move(entry));
            continue;
        }
        if (!MatchesMask(mask.toLocal8Bit().toStdString(), f.Name))
            continue;
        auto entry = std::make_unique<TFileEntry>();
        entry->Name = CaseName(QString::fromLocal8Bit(f.Name.c_str())).toLocal8Bit().toStdString();
        entry->FileName = f.Name;
        entry->Attr = f.Attr;
        entry->Time = PackFileTime(f.Time);
        entry->Size = f.Size;
        entry->IsDirectory = (f.Attr & faDirectory) != 0;
        if (entry->IsDirectory) {
            if (FSFShow & sfsDirs)
                FDirEntries.Add(std::move(entry));
        } else {
            FFileEntries.Add(std::move(entry));
        }
    }
}

void TxFileListBox::AddDriveEntries()
{
    for (const std::string& drive : DriveSource()()) {
        auto entry = std::make_unique<TFileEntry>();
        entry->Name = drive;  // a mount point keeps its case: Linux paths are case-sensitive
        entry->FileName = drive;
        entry->IsDrive = true;
        FDriveEntries.Append(std::move(entry));
    }
}

void TxFileListBox::BuildItems()
{
    clear();
    const TSortFileList* order[3];
    int* last[3];
    switch (FSortType) {
    case stNameDirDrive:
        order[0] = &FFileEntries, order[1] = &FDirEntries, order[2] = &FDriveEntries;
        last[0] = &FLastFileIndex, last[1] = &FLastDirIndex, last[2] = &FLastDriveIndex;
        break;
    case stDirDriveName:
        order[0] = &FDirEntries, order[1] = &FDriveEntries, order[2] = &FFileEntries;
        last[0] = &FLastDirIndex, last[1] = &FLastDriveIndex, last[2] = &FLastFileIndex;
        break;
    default:
        order[0] = &FDirEntries, order[1] = &FFileEntries, order[2] = &FDriveEntries;
        last[0] = &FLastDirIndex, last[1] = &FLastFileIndex, last[2] = &FLastDriveIndex;
        break;
    }
    int index = -1;
    for (int block = 0; block < 3; ++block) {
        for (int i = 0; i < order[block]->Count(); ++i) {
            addItem(QString::fromLocal8Bit((*order[block])[i].Name.c_str()));
            ++index;
        }
        *last[block] = index;
    }
    FGlyphs.assign(static_cast<size_t>(count()), QPixmap());
}

const TFileEntry& TxFileListBox::EntryAt(int index) const
{
    if (index < 0 || index >= count())
        throw EListError(ListIndexError(index));
    switch (FSortType) {
    case stNameDirDrive:
        if (index <= FLastFileIndex)
            return FFileEntries[index];
        if (index <= FLastDirIndex)
            return FDirEntries[index - FLastFileIndex - 1];
        return FDriveEntries[index - FLastDirIndex - 1];
    case stDirDriveName:
        if (index <= FLastDirIndex)
            return FDirEntries[index];
        if (index <= FLastDriveIndex)
            return FDriveEntries[index - FLastDirIndex - 1];
        return FFileEntries[index - FLastDriveIndex - 1];
    default:
        if (index <= FLastDirIndex)
            return FDirEntries[index];
        if (index <= FLastFileIndex)
            return FFileEntries[index - FLastDirIndex - 1];
        return FDriveEntries[index - FLastFileIndex - 1];
    }
}

QString TxFileListBox::FullPathOf(int index) const
{
    const TFileEntry& entry = EntryAt(index);
    const QString name = QString::fromLocal8Bit(entry.FileName.c_str());
    if (entry.IsDrive)
        return name;
    return FDirectory.endsWith('/') ? FDirectory + name : FDirectory + '/' + name;
}

void TxFileListBox::SetItemIndex(int index)
{
    if (index < 0 || index >= count()) {
        selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
        return;
    }
    selectionModel()->setCurrentIndex(model()->index(index, 0), QItemSelectionModel::NoUpdate);
}

int TxFileListBox::SelCount() const
{
    return static_cast<int>(selectedItems().size());
}

bool TxFileListBox::Selected(int index) const
{
    const QListWidgetItem* it = item(index);
    return it && it->isSelected();
}

void TxFileListBox::SetSelected(int index, bool value)
{
    if (QListWidgetItem* it = item(index))
        it->setSelected(value);
}

void TxFileListBox::ExecuteCurrent()
{
    const int current = currentRow();
    if (current < 0 || current >= count())
        return;
    const TFileEntry& entry = EntryAt(current);
    if (entry.IsDirectory)
        OpenDirectoryEntry(FullPathOf(current));
    else if (entry.IsDrive)
        SetDirectory(QString::fromLocal8Bit(entry.Name.c_str()));
    else if (OnExecute)
        OnExecute(this, FullPathOf(current));
}

void TxFileListBox::OpenDirectoryEntry(QString path)
{
    if (path.contains("..")) {
        path.chop(3);
        const int slash = static_cast<int>(path.lastIndexOf('/'));
        path = slash <= 0 ? QStringLiteral("") : path.left(slash);
    } else if (path.indexOf('.') >= 0 && path.indexOf('.') == path.size() - 1) {
        return;
    }
    ApplyFilePath(path + '/');
    SetItemIndex(0);
}

void TxFileListBox::keyPressEvent(QKeyEvent* event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && !(event->modifiers() & Qt::ControlModifier))
        GuardedCall([this] { ExecuteCurrent(); });
    emit KeyDown(event->key(), event->modifiers());
    if (!enter)
        QListWidget::keyPressEvent(event);
}

void TxFileListBox::mouseDoubleClickEvent(QMouseEvent* event)
{
    QListWidget::mouseDoubleClickEvent(event);
    emit DblClick();
    GuardedCall([this] { ExecuteCurrent(); });
    Change();
}

void TxFileListBox::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::RightButton && FMultiSelect) {
        const int index = row(itemAt(event->position().toPoint()));
        if (index >= 0) {
            const TFileEntry& entry = EntryAt(index);
            if (entry.Name == "." || entry.Name == ".." || (entry.IsDirectory && !FEnableDirSel))
                return;
            SetSelected(index, !Selected(index));
            FDragSelectState = Selected(index);
            FRightDragging = true;
        }
        Change();
        return;
    }
    QListWidget::mousePressEvent(event);
    emit MouseDown(event->button());
    Change();
}

void TxFileListBox::mouseMoveEvent(QMouseEvent* event)
{
    if ((event->buttons() & Qt::RightButton) && FMultiSelect) {
        if (FRightDragging) {
            const int index = row(itemAt(event->position().toPoint()));
            if (index >= 0 && Selected(index) != FDragSelectState)
                SetSelected(index, FDragSelectState);
        }
        Change();
        emit MouseMove();
        return;
    }
    QListWidget::mouseMoveEvent(event);
    Change();
    emit MouseMove();
}

void TxFileListBox::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::RightButton)
        QListWidget::mouseReleaseEvent(event);
    FRightDragging = false;
    emit MouseUp(event->button());
}

void TxFileListBox::focusInEvent(QFocusEvent* event)
{
    QListWidget::focusInEvent(event);
    // The caret goes to the first item only when there is none: focus coming back from
    // another control must leave it on the file the user chose (the archive to unpack).
    if (count() > 0 && currentRow() < 0)
        SetItemIndex(0);
}

}  // namespace lumarc
