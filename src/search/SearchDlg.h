#pragma once
// The search dialog: the query and the case rule. It lives as long as the program, so the
// last query and case setting stay filled in for the next search.

#include <QDialog>
#include <QString>

class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

namespace lumarc {

class TSearchdlg : public QDialog {
    Q_OBJECT

public:
    explicit TSearchdlg(QWidget* parent = nullptr);

    // Shows the dialog modally; true when it ended with OK.
    bool Execute();

    // What OK took over from the controls.
    QString SearchText;
    bool CaseSensitive = false;
    // Every catalogue of the library, not only the one shown.
    bool WholeLibrary = false;

    QFrame* Bevel1 = nullptr;
    QLabel* Label1 = nullptr;
    QLineEdit* SearchEdit = nullptr;
    QLabel* SHintLabel1 = nullptr;
    QLabel* SHintLabel2 = nullptr;
    QCheckBox* CaseSensiBox = nullptr;
    QCheckBox* LibraryBox = nullptr;
    QPushButton* OKBtn = nullptr;
    QPushButton* CancelBtn = nullptr;

public slots:
    void OKBtnClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormShow();
};

}  // namespace lumarc
