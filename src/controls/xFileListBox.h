#pragma once
// An owner-drawn list of one directory's entries: files, and on request its subdirectories and
// the drives, each with a glyph and in columns for name, size, date, time and attributes at
// configurable offsets, with its own colours for selected and focused items. It reads the
// directory itself into three sorted entry lists, lets the user paint a selection with the
// right mouse button, and turns Enter or a double click into an execute operation.

#include <QColor>
#include <QIcon>
#include <QListWidget>
#include <QPixmap>
#include <QString>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "SortFileList.h"
#include "widgets/Gauge.h"

namespace lumarc {

enum TSortType { stDirNameDrive, stNameDirDrive, stDirDriveName };
enum TSFShowKind : uint8_t {
    sfsSize = 0x01,
    sfsDate = 0x02,
    sfsTime = 0x04,
    sfsAttr = 0x08,
    sfsDrives = 0x10,
    sfsDirs = 0x20,
    sfsProcIcons = 0x40
};
using TSFShow = uint8_t;
constexpr TSFShow sfsAll = 0x7F;
// The kinds of file the list reads (the base's FileType set), as bits.
enum TFileAttrKind : uint8_t {
    ftReadOnly = 0x01,
    ftHidden = 0x02,
    ftSystem = 0x04,
    ftVolumeID = 0x08,
    ftDirectory = 0x10,
    ftArchive = 0x20,
    ftNormal = 0x40
};
using TFileType = uint8_t;
enum TFormatKind { fkName = 0, fkSize = 1, fkDateTime = 2, fkAttr = 3 };

class TxFileListBox;
using TExecuteEvent = std::function<void(TxFileListBox* Sender, const QString& FilePath)>;
using TGetFormat = std::function<void(TxFileListBox* Sender, QString& OutPutFormat, TFormatKind FormatKind, int Item)>;

class TxFileListBox : public QListWidget {
    Q_OBJECT

public:
    explicit TxFileListBox(QWidget* parent = nullptr);
    ~TxFileListBox() override;

    // The base's directory, mask and file types. Setting another directory or mask re-reads.
    QString Directory() const { return FDirectory; }
    void SetDirectory(const QString& dir);
    QString Mask() const { return FMask; }
    void SetMask(const QString& mask);
    TFileType FileType() const { return FFileType; }
    void SetFileType(TFileType value);
    // A directory, optionally followed by a mask or file name after its last "/".
    void ApplyFilePath(const QString& path);

    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle value);
    TSortType SortType() const { return FSortType; }
    void SetSortType(TSortType value);
    TSFShow SFShow() const { return FSFShow; }
    void SetSFShow(TSFShow value);
    int OffsetSizes() const { return FOffsetSizes; }
    void SetOffsetSizes(int value);
    int OffsetDates() const { return FOffsetDates; }
    void SetOffsetDates(int value);
    int OffsetTimes() const { return FOffsetTimes; }
    void SetOffsetTimes(int value);
    int OffsetAttrs() const { return FOffsetAttrs; }
    void SetOffsetAttrs(int value);
    bool MultiColumns() const { return FMultiColumns; }
    void SetMultiColumns(bool value);
    int MultiColumnWidth() const { return FMultiColumnWidth; }
    // The width of a column as laid out: the width set, or what the widest name needs where
    // that is more (the width was chosen for a smaller font), but never more than the list.
    int ColumnWidth() const;
    void SetMultiColumnWidth(int value);
    bool Locked() const { return FLocked; }
    void SetLocked(bool value) { FLocked = value; }
    bool UpperCase() const { return FUpperCase; }
    void SetUpperCase(bool value);
    QColor SelectedColor() const { return FSelectedColor; }
    void SetSelectedColor(const QColor& value);
    QColor FocusedColor() const { return FFocusedColor; }
    void SetFocusedColor(const QColor& value);
    QColor FocSelColor() const { return FFocSelColor; }
    void SetFocSelColor(const QColor& value);
    QColor FocusedBkColor() const { return FFocusedBkColor; }
    void SetFocusedBkColor(const QColor& value);
    QIcon DefaultIcon() const { return FDefaultIcon; }
    void SetDefaultIcon(const QIcon& value);
    bool ExtendedSelect() const { return FExtendedSelect; }
    void SetExtendedSelect(bool value);
    bool MultiSelect() const { return FMultiSelect; }
    void SetMultiSelect(bool value);
    bool EnableDirSel() const { return FEnableDirSel; }
    void SetEnableDirSel(bool value);
    bool ShowGlyphs() const { return FShowGlyphs; }
    void SetShowGlyphs(bool value);
    int ItemHeight() const { return FItemHeight; }
    void SetItemHeight(int value);
    QColor Color() const { return FColor; }
    void SetColor(const QColor& value);
    QColor FontColor() const { return FFontColor; }
    void SetFontColor(const QColor& value);

    TExecuteEvent OnExecute;
    TGetFormat OnGetFormat;

    // Reads the directory again (also the repaint operation of the original control).
    void Reload();
    const TFileEntry& EntryAt(int index) const;
    QString FullPathOf(int index) const;
    void ExecuteCurrent();
    void OpenDirectoryEntry(QString path);
    virtual void AssignGlyphs();
    // The base's change operation: tells the listeners.
    void Change() { emit Changed(); }
    int ItemIndex() const { return currentRow(); }
    // Moves the caret without touching the selection.
    void SetItemIndex(int index);
    int SelCount() const;
    bool Selected(int index) const;
    void SetSelected(int index, bool value);

    // Draws one item as the list does; tests draw into an image through it.
    void DrawItem(QPainter& canvas, int index, const QRect& rect, bool focused, bool selected);

    const TSortFileList& FileEntries() const { return FFileEntries; }
    const TSortFileList& DirEntries() const { return FDirEntries; }
    const TSortFileList& DriveEntries() const { return FDriveEntries; }
    int LastDirIndex() const { return FLastDirIndex; }
    int LastFileIndex() const { return FLastFileIndex; }
    int LastDriveIndex() const { return FLastDriveIndex; }
    bool DragSelectState() const { return FDragSelectState; }
    const QPixmap& Glyph(int index) const;

    // The drives that sfsDrives lists; replaceable for tests.
    static void SetDriveSource(std::function<std::vector<std::string>()> source);

    QPixmap FloppyGlyph;
    QPixmap ExeGlyph;
    QPixmap FolderGlyph;
    QPixmap PlainFileGlyph;

signals:
    void Changed();
    void KeyDown(int key, Qt::KeyboardModifiers modifiers);
    void DblClick();
    void MouseDown(Qt::MouseButton button);
    void MouseMove();
    void MouseUp(Qt::MouseButton button);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // Where an item's texts go: the name (whole) with the room it has, and the size.
    struct TItemCells {
        bool HasGlyph = false;
        int Start = 0;
        QString Name;
        QRect NameRoom;
        QString Size;
        QRect SizeRect;
    };
    TItemCells ItemCells(int index, const QRect& rect);
    void ScanMask(const std::vector<TDirEntry>& found, const QString& mask, uint32_t attributes);
    void AddDriveEntries();
    void BuildItems();
    QPixmap IconGlyph(int index) const;
    void ApplyLayout();
    void Repaint() { viewport()->update(); }
    QString CaseName(const QString& name) const;
    QString Format(const QString& standard, TFormatKind kind, int item);

    QString FDirectory;
    QString FMask = QStringLiteral("*.*");
    TFileType FFileType = ftHidden | ftSystem | ftDirectory | ftArchive | ftNormal;
    TSortFileList FFileEntries;
    TSortFileList FDirEntries;
    TSortFileList FDriveEntries;
    std::vector<QPixmap> FGlyphs;
    int FLastDirIndex = -1;
    int FLastFileIndex = -1;
    int FLastDriveIndex = -1;
    bool FReading = false;
    bool FDragSelectState = false;
    bool FRightDragging = false;
    TBorderStyle FBorderStyle = TBorderStyle::bsSingle;
    TSortType FSortType = stDirNameDrive;
    TSFShow FSFShow = sfsAll;
    int FOffsetSizes = 150;
    int FOffsetDates = 160;
    int FOffsetTimes = 225;
    int FOffsetAttrs = 267;
    bool FMultiColumns = false;
    int FMultiColumnWidth = 120;
    int FWidestName = 0;  // of the names listed, in the list's font
    bool FLocked = false;
    bool FUpperCase = false;
    QColor FSelectedColor{0, 255, 0};
    QColor FFocusedColor{255, 255, 255};
    QColor FFocSelColor{255, 255, 0};
    QColor FFocusedBkColor{0, 0, 0};
    QColor FColor{0, 0, 128};
    QColor FFontColor{255, 255, 255};
    QIcon FDefaultIcon;
    bool FExtendedSelect = true;
    bool FMultiSelect = false;
    bool FEnableDirSel = false;
    bool FShowGlyphs = true;
    int FItemHeight = 16;
};

}  // namespace lumarc
