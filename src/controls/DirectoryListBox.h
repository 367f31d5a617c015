#pragma once
// A directory tree as a list: the path from the root down to the current directory, one level
// further indented per line, then the current directory's subdirectories. Choosing a line
// (double click or Enter) makes it the current directory; a real change tells the listeners
// and the file list bound to it.

#include <QListWidget>
#include <QString>

namespace lumarc {

class TxFileListBox;

class TDirectoryListBox : public QListWidget {
    Q_OBJECT

public:
    explicit TDirectoryListBox(QWidget* parent = nullptr);

    QString Directory() const { return FDirectory; }
    // Sets the current directory; the same directory again changes nothing and says nothing.
    // A directory that cannot be read raises EInOutError and leaves the list as it was.
    void SetDirectory(const QString& dir);
    // Reads the list again and tells the listeners.
    void Update();
    // The directory a line stands for.
    QString ItemPath(int index) const;
    // The file list that follows the current directory.
    void SetFileList(TxFileListBox* list) { FFileList = list; }

signals:
    void Changed();
    void KeyDown(int key, Qt::KeyboardModifiers modifiers);

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void Fill();
    void AddIndented(int depth, const QString& name);

    QString FDirectory;
    QStringList FPaths;
    TxFileListBox* FFileList = nullptr;
};

}  // namespace lumarc
