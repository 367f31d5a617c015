#pragma once
// Find in the page, as desktop programs have it: a bar below the page with a field, next and
// previous, and the case rule. What is typed is marked in the shown page as found text is;
// Escape closes the bar and takes the marks with it.

#include <QWidget>

class QAction;
class QCheckBox;
class QLabel;
class QLineEdit;
class QToolButton;

namespace lumarc {

class TTermMarks;

class TFindBar : public QWidget {
    Q_OBJECT

public:
    static constexpr int kHeight = 28;
    static constexpr int kFieldWidth = 160;
    static constexpr int kMinFieldWidth = 60;
    // The narrowest the bar may be with its field at its least and every caption whole.
    int MinimumWidth() const;

    TFindBar(TTermMarks& marks, QWidget* parent);

    // Shows the bar with its field focused and its text selected.
    void Open();
    // Hides the bar and removes its marks.
    void Close();

    // Marks the field's text in the page anew, and steps to the next or previous place; the
    // page may have changed since.
    void FindNext();
    void FindPrevious();

    QLineEdit* FindEdit = nullptr;
    QToolButton* FindNextBtn = nullptr;
    QToolButton* FindPrevBtn = nullptr;
    QCheckBox* FindCaseBox = nullptr;
    QToolButton* FindCloseBtn = nullptr;

signals:
    // Shown or hidden: the page gives the bar its room or takes it back.
    void VisibilityChanged();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    // The bar's width less its field's.
    int FixedWidth() const;
    void Arrange();
    void Search();
    bool Stale() const;

    TTermMarks& FMarks;
    QAction* FEscape = nullptr;
    QLabel* FLabel = nullptr;
};

}  // namespace lumarc
