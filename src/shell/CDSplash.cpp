#include "CDSplash.h"

#include <QCoreApplication>
#include <QFrame>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QRadialGradient>
#include <QScreen>

namespace lumarc {

namespace {

QFont TimesFont(int pixels, bool bold)
{
    QFont font(QStringLiteral("Times New Roman"));
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

}  // namespace

QImage TCDSplash::DrawPicture()
{
    QImage image(kPictureWidth, kPictureHeight, QImage::Format_RGB32);
    image.fill(QColor(0, 0, 96));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);

    // A shelf of component boxes along the bottom.
    const QColor boxes[] = {QColor(192, 0, 0), QColor(0, 128, 0), QColor(200, 160, 0), QColor(0, 96, 192),
                            QColor(128, 0, 128)};
    for (int i = 0; i < 5; ++i) {
        const QRect box(12 + i * 44, 178 - (i % 2) * 10, 38, 50 + (i % 2) * 10);
        p.setPen(Qt::black);
        p.setBrush(boxes[i]);
        p.drawRect(box);
        p.setPen(QColor(255, 255, 255, 160));
        p.drawLine(box.left() + 4, box.top() + 8, box.right() - 4, box.top() + 8);
    }

    // The disc: silver with a rainbow sheen and the hole in the middle.
    const QPointF centre(120, 92);
    QRadialGradient sheen(centre, 80);
    sheen.setColorAt(0.0, QColor(240, 240, 250));
    sheen.setColorAt(0.45, QColor(180, 200, 235));
    sheen.setColorAt(0.7, QColor(235, 200, 230));
    sheen.setColorAt(1.0, QColor(150, 150, 170));
    p.setPen(QPen(QColor(60, 60, 80), 2));
    p.setBrush(sheen);
    p.drawEllipse(centre, 78, 78);
    p.setBrush(QColor(0, 0, 96));
    p.drawEllipse(centre, 14, 14);
    p.setPen(QColor(0, 0, 128));
    p.setFont(TimesFont(22, true));
    p.drawText(QRectF(40, 30, 160, 30), Qt::AlignCenter, QStringLiteral("ToolDisc"));
    return image;
}

TCDSplash::TCDSplash(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("CDSplash"));
    setFixedSize(kWidth, kHeight);
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);

    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setGeometry(0, 0, kWidth, kHeight);

    Picture = new QLabel(panel);
    Picture->setObjectName(QStringLiteral("Image1"));
    Picture->setPixmap(QPixmap::fromImage(DrawPicture()));
    Picture->setGeometry((kWidth - kPictureWidth) / 2, kPictureTop, kPictureWidth, kPictureHeight);

    TitleLabel = new QLabel(QStringLiteral("Brimvale ToolDisc"), panel);
    TitleLabel->setObjectName(QStringLiteral("Label1"));
    TitleLabel->setFont(TimesFont(19, true));
    TitleLabel->setAlignment(Qt::AlignCenter);
    TitleLabel->setGeometry(4, kPictureTop + kPictureHeight + 4, kWidth - 8, 24);

    auto* line = new QFrame(panel);
    line->setObjectName(QStringLiteral("Bevel1"));
    line->setFrameStyle(QFrame::HLine | QFrame::Sunken);
    line->setGeometry(16, TitleLabel->geometry().bottom() + 3, kWidth - 32, 2);

    LoadLabel = new QLabel(QStringLiteral("Lade Lumarc..."), panel);
    LoadLabel->setObjectName(QStringLiteral("Label2"));
    LoadLabel->setFont(TimesFont(16, false));
    LoadLabel->setAlignment(Qt::AlignCenter);
    LoadLabel->setGeometry(4, line->geometry().bottom() + 4, kWidth - 8, 20);

    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

TCDSplash::~TCDSplash()
{
    QGuiApplication::restoreOverrideCursor();
}

void TCDSplash::ShowNow()
{
    show();
    repaint();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

}  // namespace lumarc
