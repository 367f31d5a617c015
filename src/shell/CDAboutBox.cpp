#include "CDAboutBox.h"

#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>

namespace lumarc {

namespace {

QFont TitleFont()
{
    QFont font(QStringLiteral("Times New Roman"));
    font.setPixelSize(19);
    font.setBold(true);
    return font;
}

// Text in blue over a grey copy of itself offset by three pixels, as the box's headings are.
class TShadowLabel : public QWidget {
public:
    TShadowLabel(const QString& text, QWidget* parent) : QWidget(parent), FText(text)
    {
        setFont(TitleFont());
        const QFontMetrics metrics(font());
        resize(metrics.horizontalAdvance(FText) + 4, metrics.height() + 4);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.setFont(font());
        const QFontMetrics metrics(font());
        painter.setPen(QColor(128, 128, 128));
        painter.drawText(3, metrics.ascent() + 3, FText);
        painter.setPen(QColor(0, 0, 255));
        painter.drawText(0, metrics.ascent(), FText);
    }

private:
    QString FText;
};

// The program icon: a disc with the catalogue's initial on it.
class TProgramIcon : public QWidget {
public:
    explicit TProgramIcon(QWidget* parent) : QWidget(parent) { resize(32, 32); }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::black);
        painter.setBrush(QColor(200, 200, 230));
        painter.drawEllipse(QRectF(1, 1, 30, 30));
        painter.setBrush(Qt::white);
        painter.drawEllipse(QRectF(12, 12, 8, 8));
        painter.setPen(QColor(0, 0, 128));
        QFont font = TitleFont();
        font.setPixelSize(12);
        painter.setFont(font);
        painter.drawText(QRect(0, 0, 32, 13), Qt::AlignCenter, QStringLiteral("B"));
    }
};

QLabel* Line(QWidget* parent, const QString& text, int top)
{
    auto* label = new QLabel(text, parent);
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(12);
    label->setFont(font);
    label->adjustSize();
    label->move(64, top);
    return label;
}

}  // namespace

QString TCDAboutBox::VersionText(int minor)
{
    return QStringLiteral("Version %1.%2").arg(kMajorVersion).arg(minor, 2, 10, QLatin1Char('0'));
}

TCDAboutBox::TCDAboutBox(QWidget* parent) : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName(QStringLiteral("CDAboutBox"));
    setWindowTitle(QStringLiteral("Brimvale Lumarc"));
    setFixedSize(kWidth, kHeight);
    setModal(true);

    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setFrameStyle(QFrame::Box | QFrame::Sunken);
    panel->setLineWidth(1);
    panel->setMidLineWidth(1);
    panel->setGeometry(8, 8, kWidth - 16, 162);

    (new TProgramIcon(panel))->move(16, 16);
    auto* product = new TShadowLabel(QStringLiteral("Brimvale ToolDisc"), panel);
    product->setObjectName(QStringLiteral("ProductName"));
    product->move(64, 14);
    auto* cd = new TShadowLabel(QStringLiteral("CD - ROM"), panel);
    cd->setObjectName(QStringLiteral("CDRom"));
    cd->move(64, 40);

    Version = Line(panel, VersionText(kMinorVersion), 76);
    Version->setObjectName(QStringLiteral("Version"));
    Line(panel, QString::fromUtf8("Copyright © 1996 Brimvale Software"), 100)->setObjectName(QStringLiteral("Copyright"));
    Line(panel, QStringLiteral("Brimvale Software, Postfach 1996"), 120)->setObjectName(QStringLiteral("Contact"));

    OKButton = new QPushButton(QStringLiteral("OK"), this);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    OKButton->setGeometry(8, 180, kWidth - 16, 30);
    OKButton->setDefault(true);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);

    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

}  // namespace lumarc
