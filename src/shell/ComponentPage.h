#pragma once
// The notebook's component page: a group box titled with the component's name and version,
// holding the copyright, the rating gauge, the distribution, the languages and compilers, the
// limitations and a text view with the component's page lines. Its fields follow its width.

#include <QList>
#include <QWidget>

class QGroupBox;
class QLabel;
class QLineEdit;
class QScrollArea;

namespace lumarc {

class TCompoText;
class TGauge;
class TMicaTextView;

class TComponentPage : public QWidget {
    Q_OBJECT

public:
    explicit TComponentPage(QWidget* parent = nullptr);

    // Fills the fields and the text view from `compo`.
    void Show(const TCompoText& compo);
    // Gives the group box `size` and fits the fields to its width and the text view to the
    // height left below them.
    void Fit(QSize size);
    void Fit();
    // The narrowest the page may be with every field still showing a few characters after
    // its caption.
    int MinimumWidth() const;

    TMicaTextView& StuffView() const { return *FStuffView; }
    // The four one-line fields, in the order of the page.
    QList<QLineEdit*> Fields() const;

private:
    QGroupBox* FDescBox = nullptr;
    QScrollArea* FScrollBox = nullptr;
    QWidget* FContents = nullptr;
    QLineEdit* FCopyright = nullptr;
    QLabel* FRatingLabel = nullptr;
    TGauge* FRatingGauge = nullptr;
    QLineEdit* FDistribution = nullptr;
    QLineEdit* FLangCompInfo = nullptr;
    QLabel* FLimitLabel = nullptr;
    QLineEdit* FLimitations = nullptr;
    TMicaTextView* FStuffView = nullptr;
};

}  // namespace lumarc
