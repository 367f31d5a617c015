#include "ProgressForm.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QResizeEvent>
#include <QScreen>

#include "widgets/BevelPanel.h"
#include "widgets/Gauge.h"

namespace lumarc {

TProgressForm::TProgressForm(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      FPanel(new TBevelPanel(this)),
      FInfoLabel(new QLabel(FPanel)),
      FGauge(new TGauge(FPanel))
{
    setObjectName(QStringLiteral("ProgressForm"));
    setWindowTitle(QStringLiteral("PrintProgress"));
    setFixedSize(kClientWidth, kClientHeight);

    FPanel->setObjectName(QStringLiteral("Panel"));
    FPanel->SetBevelWidth(2);
    FPanel->setGeometry(0, 0, kClientWidth, kClientHeight);

    FInfoLabel->setObjectName(QStringLiteral("InfoLabel"));
    FInfoLabel->setGeometry(2, 2, 225, 16);
    FInfoLabel->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    FInfoLabel->setText(QStringLiteral("Drucke Text..."));

    FGauge->setObjectName(QStringLiteral("Gauge"));
    FGauge->setGeometry(7, 23, 216, 20);
    FGauge->setAccessibleName(QStringLiteral("Fortschritt"));
    FGauge->SetForeColor(QColor(255, 255, 0));
    FGauge->SetBackColor(QColor(0, 0, 128));
    FGauge->SetProgress(0);

    if (const QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        move(area.x() + (area.width() - kClientWidth) / 2, area.y() + (area.height() - kClientHeight) / 2);
    }
    show();
}

void TProgressForm::EnableCancel()
{
    if (FCancelButton)
        return;
    FCancelButton = new QPushButton(QStringLiteral("Abbrechen"), this);
    FCancelButton->setObjectName(QStringLiteral("CancelBtn"));
    FCancelButton->adjustSize();
    connect(FCancelButton, &QPushButton::clicked, this, [this] {
        FCancelRequested = true;
        FCancelButton->setEnabled(false);
    });
    setFixedSize(std::max(width(), MinimumWidth()), kClientHeight + FCancelButton->height() + 8);
    FCancelButton->show();
}

int TProgressForm::MinimumWidth() const
{
    return FCancelButton ? FCancelButton->sizeHint().width() + 16 : 0;
}

void TProgressForm::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (FCancelButton)
        FCancelButton->move((width() - FCancelButton->width()) / 2, kClientHeight + 4);
}

}  // namespace lumarc
