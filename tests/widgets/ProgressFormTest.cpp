// The progress window: its frame, its two controls and what it looks like on screen.

#include "widgets/ProgressForm.h"

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QScreen>

#include "widgets/BevelPanel.h"
#include "widgets/Gauge.h"

namespace lumarc {
namespace {

const QRgb kNavy = qRgb(0, 0, 128);
const QRgb kYellow = qRgb(255, 255, 0);

TEST(PrintProgressForm, IsASmallBorderlessWindowOnTopCentredAndVisibleAtOnce)
{
    TProgressForm form;
    EXPECT_EQ(form.objectName(), QStringLiteral("ProgressForm"));
    EXPECT_EQ(form.windowTitle(), QStringLiteral("PrintProgress"));
    EXPECT_TRUE(form.isWindow());
    EXPECT_TRUE(form.windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_TRUE(form.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(form.size(), QSize(232, 49));
    EXPECT_EQ(form.minimumSize(), form.maximumSize());

    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    EXPECT_LE(std::abs(form.geometry().center().x() - screen.center().x()), 1);
    EXPECT_LE(std::abs(form.geometry().center().y() - screen.center().y()), 1);
}

TEST(PrintProgressForm, WithAnOwnerItIsStillAWindowOfItsOwn)
{
    QWidget owner;
    auto* form = new TProgressForm(&owner);
    EXPECT_TRUE(form->isWindow());
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(owner.findChild<TProgressForm*>(QStringLiteral("ProgressForm")), form);
}

TEST(PrintProgressForm, PanelLabelAndGaugeSitWhereTheyBelong)
{
    TProgressForm form;
    auto* panel = form.findChild<TBevelPanel*>(QStringLiteral("Panel"));
    auto* label = form.findChild<QLabel*>(QStringLiteral("InfoLabel"));
    auto* gauge = form.findChild<TGauge*>(QStringLiteral("Gauge"));
    ASSERT_TRUE(panel && label && gauge);
    EXPECT_EQ(form.Panel(), panel);
    EXPECT_EQ(form.InfoLabel(), label);
    EXPECT_EQ(form.Gauge(), gauge);

    EXPECT_EQ(panel->geometry(), QRect(0, 0, 232, 49));
    EXPECT_EQ(panel->BevelWidth(), 2);
    EXPECT_EQ(label->parentWidget(), panel);
    EXPECT_EQ(label->geometry(), QRect(2, 2, 225, 16));
    EXPECT_EQ(label->text(), QStringLiteral("Drucke Text..."));
    EXPECT_TRUE(label->alignment().testFlag(Qt::AlignHCenter));
    EXPECT_EQ(gauge->parentWidget(), panel);
    EXPECT_EQ(gauge->geometry(), QRect(7, 23, 216, 20));
    EXPECT_EQ(gauge->ForeColor(), QColor(kYellow));
    EXPECT_EQ(gauge->BackColor(), QColor(kNavy));
    EXPECT_EQ(gauge->Kind(), TGaugeKind::gkHorizontalBar);
    EXPECT_EQ(gauge->Progress(), 0);
    EXPECT_EQ(gauge->MinValue(), 0);
    EXPECT_EQ(gauge->MaxValue(), 100);
}

TEST(PrintProgressForm, DrawsABlackBorderARaisedBevelAndAYellowBarOnNavy)
{
    TProgressForm form;
    QImage before = form.grab().toImage();
    ASSERT_EQ(before.size(), QSize(232, 49));

    // Frame: black outermost ring, then the bevel, light at the top left, dark at the bottom right.
    EXPECT_EQ(before.pixel(0, 0), qRgb(0, 0, 0));
    EXPECT_EQ(before.pixel(231, 48), qRgb(0, 0, 0));
    EXPECT_EQ(before.pixel(116, 0), qRgb(0, 0, 0));
    const QRgb light = form.palette().color(QPalette::Light).rgb();
    const QRgb dark = form.palette().color(QPalette::Dark).rgb();
    EXPECT_EQ(before.pixel(116, 1), light);
    EXPECT_EQ(before.pixel(116, 2), light);
    EXPECT_EQ(before.pixel(1, 24), light);
    EXPECT_EQ(before.pixel(116, 47), dark);
    EXPECT_EQ(before.pixel(230, 24), dark);

    // The gauge's inside, left and right of the percentage text in its middle.
    const QPoint left(7 + 10, 23 + 10);
    const QPoint right(7 + 200, 23 + 10);
    EXPECT_EQ(before.pixel(left), kNavy);
    EXPECT_EQ(before.pixel(right), kNavy);

    form.Gauge()->SetProgress(60);
    QImage after = form.grab().toImage();
    EXPECT_EQ(after.pixel(left), kYellow);
    EXPECT_EQ(after.pixel(right), kNavy);
}

}  // namespace
}  // namespace lumarc
