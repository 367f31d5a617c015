#include "DesignLook.h"

#include <QFontDatabase>
#include <QLabel>

namespace lumarc {

namespace {

QFont DesignFont(const QString& family, int pixels, bool bold)
{
    QFont font(family);
    font.setFamilies({family, QStringLiteral("DejaVu Sans")});
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

}  // namespace

QFont SystemFont(bool bold)
{
    return DesignFont(QStringLiteral("System"), 13, bold);
}

QFont SansSerifFont(bool bold)
{
    return DesignFont(QStringLiteral("MS Sans Serif"), 11, bold);
}

TLineDrawFont LineDrawFont()
{
    if (QFontDatabase::families().contains(QStringLiteral("MS LineDraw")))
        return {QFont(QStringLiteral("MS LineDraw")), false};
    QFont fixed(QStringLiteral("Fixedsys"));
    fixed.setFamilies({QStringLiteral("Fixedsys"), QStringLiteral("DejaVu Sans Mono")});
    fixed.setStyleHint(QFont::TypeWriter);
    fixed.setPixelSize(12);
    return {fixed, true};
}

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& caption, int left, int top, const QFont* font)
{
    auto* label = new QLabel(caption, parent);
    label->setObjectName(QString::fromLatin1(name));
    if (font)
        label->setFont(*font);
    label->adjustSize();
    label->move(left, top);
    return label;
}

QLabel* MakeSystemLabel(QWidget* parent, const char* name, const QString& caption, int left, int top, bool bold)
{
    const QFont font = SystemFont(bold);
    return MakeLabel(parent, name, caption, left, top, &font);
}

QFrame* MakePanel(QWidget* parent, const char* name, QFrame::Shadow shadow)
{
    auto* panel = new QFrame(parent);
    panel->setObjectName(QString::fromLatin1(name));
    panel->setFrameStyle(QFrame::Panel | shadow);
    panel->setLineWidth(1);
    return panel;
}

}  // namespace lumarc
