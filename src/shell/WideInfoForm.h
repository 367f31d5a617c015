#pragma once
// The detail window: the review, the installation notes and the long description of a
// component, each in a read-only memo, in a large resizable window. Two bars between the
// memos share the height out and double as the headings of the two lower memos. Printing and
// copying fill the window without showing it and read the long description back from it.

#include <QWidget>

#include <memory>

#include "catalogue/StringList.h"

class QFrame;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QScrollArea;

namespace lumarc {

class TCompoText;
class TSplitControl;

class TWideInfoForm : public QWidget {
    Q_OBJECT

public:
    static constexpr int kDesignLeft = 22;
    static constexpr int kDesignTop = 32;
    static constexpr int kDesignWidth = 590;
    static constexpr int kDesignHeight = 443;

    explicit TWideInfoForm(QWidget* Parent = nullptr);
    ~TWideInfoForm() override;

    // Puts the component's long texts into the memos, each with its caret at the start, and
    // names the component in the caption. ShowWindow (a click on the main window's expand
    // button) then shows the window, not modally; printing and copying pass false.
    void Fill(const TCompoText& Compo, bool ShowWindow);
    // The long description as the memo holds it, one CP1252 line per memo line.
    TStringList LongInfoLines() const;

    // How far the two bars are dragged: the heights they leave the review and the
    // installation notes.
    int ReviewHeight() const;
    int InstallHeight() const;
    // Sets both as drags could have, within the window's present height.
    void SetMemoHeights(int Review, int Install);

    void BackBtnClick();
    void FormResize();
    void ArrangeLower();
    void ArrangeUpper();
    // The memos above the long description at these heights, or less where the window is short.
    void FitMemoHeights(int Review, int Install);

    QFrame* WidePanel = nullptr;
    QScrollArea* WideScroll = nullptr;
    QLabel* ReviewLabel = nullptr;
    QPushButton* BackBtn = nullptr;
    QPlainTextEdit* ReViewMemo = nullptr;
    QLabel* UpperSplitter = nullptr;
    QPlainTextEdit* InstallMemo = nullptr;
    QLabel* LowerSplitter = nullptr;
    QPlainTextEdit* LongInfoMemo = nullptr;

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override;
    void resizeEvent(QResizeEvent* Event) override;
    void keyPressEvent(QKeyEvent* Event) override;

private:
    void FormCreate();
    void FitPanels();
    // The area the memos and bars are laid out in: the scroll box's contents.
    QWidget* ScrollArea() const;
    int ScrollWidth() const;

    std::unique_ptr<TSplitControl> FLowerSplit;
    std::unique_ptr<TSplitControl> FUpperSplit;
};

}  // namespace lumarc
