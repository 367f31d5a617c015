// Every window in German, as a user opens it: no caption is cut. A label, button, check box or
// group-box title whose text needs more room than its control has is reported, with the
// window and the text, and so is a window title that Qt would lengthen.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QCheckBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionGroupBox>
#include <QToolButton>
#include <QWindow>

#include <filesystem>
#include <string>
#include <vector>

#include "EveryWindow.h"
#include "widgets/MsgBox.h"

namespace lumarc::test {
namespace {

namespace fs = std::filesystem;

QString Shown(QString text)
{
    // A single "&" marks the mnemonic and takes no room; "&&" shows one.
    text.replace(QLatin1String("&&"), QStringLiteral("\x01"));
    text.remove(QLatin1Char('&'));
    text.replace(QChar(1), QLatin1Char('&'));
    return text;
}

int TextWidth(const QWidget* w, const QString& text)
{
    int widest = 0;
    for (const QString& line : Shown(text).split(QLatin1Char('\n')))
        widest = std::max(widest, w->fontMetrics().horizontalAdvance(line));
    return widest;
}

// How much wider than its control each cut caption below `root` would need to be.
std::vector<std::string> CutCaptions(QWidget* root)
{
    std::vector<std::string> cut;
    const auto report = [&](const QWidget* w, const QString& text, int need, int have) {
        if (need > have)
            cut.push_back(root->objectName().toStdString() + "/" + w->objectName().toStdString() + " \"" +
                          text.toStdString() + "\": " + std::to_string(need) + " > " + std::to_string(have));
    };
    for (QWidget* w : root->findChildren<QWidget*>()) {
        if (!w->isVisibleTo(root) || w->width() <= 0)
            continue;
        if (auto* label = qobject_cast<QLabel*>(w)) {
            if (label->text().isEmpty() || label->textFormat() == Qt::RichText)
                continue;
            const QMargins m = label->contentsMargins();
            const int room = label->width() - m.left() - m.right() - 2 * label->margin() - std::max(0, label->indent());
            if (label->wordWrap()) {
                report(label, label->text(), label->heightForWidth(label->width()), label->height());
                continue;
            }
            report(label, label->text(), TextWidth(label, label->text()), room);
            // A caption is also cut where a control stacked above it covers its text.
            const int textWidth = std::min(TextWidth(label, label->text()), room);
            const Qt::Alignment align = label->alignment();
            const int left = label->x() + m.left() + label->margin() + std::max(0, label->indent());
            const int textLeft = align & Qt::AlignRight     ? left + room - textWidth
                                 : align & Qt::AlignHCenter ? left + (room - textWidth) / 2
                                                            : left;
            const QRect text(textLeft, label->y(), textWidth, label->height());
            const QObjectList& siblings = label->parentWidget()->children();
            for (qsizetype i = siblings.indexOf(label) + 1; i < siblings.size(); ++i) {
                auto* sibling = qobject_cast<QWidget*>(siblings[i]);
                if (sibling && sibling->isVisibleTo(root) && sibling->geometry().intersects(text))
                    report(label, label->text() + " under " + sibling->objectName(), text.right() + 1,
                           sibling->geometry().left());
            }
        } else if (auto* box = qobject_cast<QCheckBox*>(w)) {
            report(box, box->text(), box->sizeHint().width(), box->width());
        } else if (auto* radio = qobject_cast<QRadioButton*>(w)) {
            report(radio, radio->text(), radio->sizeHint().width(), radio->width());
        } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
            if (button->text().isEmpty())
                continue;
            if (auto* tool = qobject_cast<QToolButton*>(button);
                tool && tool->toolButtonStyle() == Qt::ToolButtonIconOnly)
                continue;
            const int icon = button->icon().isNull() ? 0 : button->iconSize().width() + 4;
            const int frame = 2 * (button->style()->pixelMetric(QStyle::PM_ButtonMargin, nullptr, button) / 2 +
                                   button->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, button));
            report(button, button->text(), TextWidth(button, button->text()) + icon + frame, button->width());
        } else if (auto* group = qobject_cast<QGroupBox*>(w)) {
            if (group->title().isEmpty())
                continue;
            QStyleOptionGroupBox option;
            option.initFrom(group);
            option.text = group->title();
            option.subControls = QStyle::SC_GroupBoxLabel | QStyle::SC_GroupBoxFrame;
            const QRect title =
                group->style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, group);
            report(group, group->title(), title.left() + TextWidth(group, group->title()), group->width());
        }
    }
    // A window's title as the window system gets it, with nothing added.
    if (QWindow* handle = root->windowHandle())
        report(root, QStringLiteral("title ") + root->windowTitle(), handle->title() == root->windowTitle() ? 0 : 1, 0);
    return cut;
}

class CaptionFit : public TEveryWindowTest {
protected:
    void Expect(QWidget& window)
    {
        for (const std::string& cut : CutCaptions(&window))
            ADD_FAILURE() << cut;
    }
};

TEST_F(CaptionFit, NoCaptionIsCutInAnyWindow)
{
    ForEveryWindow([this](QWidget& window) { Expect(window); });
    // The find bar in the narrowest pane: its captions inside the bar.
    Window->FindBar().Open();
    for (const QWidget* child : Window->FindBar().findChildren<QWidget*>())
        EXPECT_TRUE(Window->FindBar().rect().contains(child->geometry())) << child->objectName().toStdString();
    Window->FindBar().Close();
    TCDAboutBox about;
    Show(about);
    EXPECT_EQ(about.windowHandle()->title(), "Brimvale Lumarc");

    // The message box with every set of buttons and the longest caption the program gives it.
    for (TMSGButtons buttons : {TMSGButtons::msgOK, TMSGButtons::msgOKCancel, TMSGButtons::msgYesNo,
                                TMSGButtons::msgYesNoCancel, TMSGButtons::msgYesAllNoCancel}) {
        TMsgBox box;
        box.SetCaption(QStringLiteral("Entpacker - Information"));
        box.SetMsg(QStringLiteral("Soll die Datei überschrieben werden?"));
        box.SetButtons(buttons);
        box.ArrangeButtons();
        box.MeasureText();
        Show(*box.Window());
        Expect(*box.Window());
        // The title bar holds the window's icon and buttons beside the caption.
        EXPECT_LE(box.Window()->fontMetrics().horizontalAdvance(box.Caption()) + 100, box.Window()->width());
    }
}

}  // namespace
}  // namespace lumarc::test
