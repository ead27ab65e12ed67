// The window on a screen scaled above 1 (the suite runs under QT_SCALE_FACTOR 2 and 1.25): its
// layout stays in logical pixels and fits the screens it is meant for, and every skin picture is
// drawn from the 2x artwork, with detail a stretched 1x picture does not have.
#include <QApplication>
#include <QLabel>
#include <QPainter>

#include <cstdio>

#include "gui/controls/CxSkinButton.h"
#include "gui/window/WindowResources.h"
#include "resources/SkinRegistry.h"
#include "support/WindowRig.h"

namespace orvek {
namespace {

using testing::WindowRig;

qreal ratio() { return qApp->devicePixelRatio(); }

// Energy of the detail finer than a 1x picture can hold: the mean squared difference, in grey
// values, between the image and itself taken down to half size and back up. A picture stretched
// from 1x has almost none; drawn from real 2x artwork, its edges and letter strokes keep theirs.
double detailEnergy(const QImage& image) {
    const QImage grey = image.convertToFormat(QImage::Format_Grayscale8);
    const QImage blurred =
        grey.scaled(grey.size() / 2, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
            .scaled(grey.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
            .convertToFormat(QImage::Format_Grayscale8);
    double sum = 0;
    for (int y = 0; y < grey.height(); ++y) {
        const uchar* a = grey.constScanLine(y);
        const uchar* b = blurred.constScanLine(y);
        for (int x = 0; x < grey.width(); ++x) sum += double(a[x] - b[x]) * double(a[x] - b[x]);
    }
    return sum / double(grey.width() * grey.height());
}

// The image over the window's black ground, as the racer sees it.
QImage onBlack(const QImage& image) {
    QImage ground(image.size(), QImage::Format_RGB32);
    ground.fill(Qt::black);
    QImage picture = image;
    picture.setDevicePixelRatio(1.0);
    QPainter painter(&ground);
    painter.drawImage(0, 0, picture);
    return ground;
}

TEST(ScaledWindow, RunsAboveScaleOneAndKeepsItsLogicalLayoutOnTheScreensItIsMeantFor) {
    ASSERT_GT(ratio(), 1.0) << "run with QT_SCALE_FACTOR above 1";
    WindowRig rig;
    CTarnwick11Dlg& w = rig.win();
    w.show();
    EXPECT_EQ(w.size(), QSize(1250, 650)) << "logical pixels";
    EXPECT_EQ(w.pageButton(windowControl::FirmwareButton).geometry(), QRect(30, 148, 200, 25));
    const QSize onScreen(qCeil(w.width() * ratio()), qCeil(w.height() * ratio()));
    // A title bar of up to 40 screen pixels (a desktop at scale 2 draws it about that high).
    const int titleBar = qCeil(20 * ratio());
    std::printf("scale %.2f: the window takes %dx%d screen pixels, %d with its title bar\n",
                ratio(), onScreen.width(), onScreen.height(), onScreen.height() + titleBar);
    if (ratio() >= 2.0) {
        EXPECT_LE(onScreen.width(), 2560);
        EXPECT_LE(onScreen.height() + titleBar, 1440);
    } else {
        EXPECT_LE(onScreen.width(), 1920);
        EXPECT_LE(onScreen.height() + titleBar, 1080);
    }
}

TEST(ScaledWindow, EveryPictureComesFromTheTwoTimesArtwork) {
    ASSERT_GT(ratio(), 1.0);
    WindowRig rig;
    CTarnwick11Dlg& w = rig.win();
    w.show();
    int pictures = 0;
    for (QLabel* label : w.findChildren<QLabel*>()) {
        const QPixmap shown = label->pixmap();
        if (shown.isNull()) continue;
        ++pictures;
        EXPECT_EQ(shown.devicePixelRatio(), 2.0) << label->objectName().toStdString();
    }
    EXPECT_GT(pictures, 40);
    for (const SkinPicture& picture : SkinRegistry::pictures()) {
        const QPixmap pixmap = SkinRegistry::pixmap(picture.id);
        EXPECT_EQ(pixmap.size(), QSize(picture.width, picture.height) * 2) << picture.id;
        EXPECT_EQ(pixmap.deviceIndependentSize(), QSizeF(picture.width, picture.height))
            << picture.id;
    }
}

TEST(ScaledWindow, GrabOfASkinPictureHasDetailTheStretchedOneTimesPictureLacks) {
    ASSERT_GT(ratio(), 1.0);
    WindowRig rig;
    CTarnwick11Dlg& w = rig.win();
    w.show();
    CxSkinButton& button = w.pageButton(windowControl::UserSupportButton);
    const QImage grab = onBlack(button.grab().toImage());
    ASSERT_EQ(grab.size(), (QSizeF(button.size()) * ratio()).toSize());
    // What the window would show without the 2x artwork: the 1x picture stretched to the grab.
    const QImage stretched =
        onBlack(SkinRegistry::image(SkinId::UserSupportPressed, 1.0)
                    .scaled(grab.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    const double sharp = detailEnergy(grab);
    const double soft = detailEnergy(stretched);
    std::printf(
        "scale %.2f: detail energy of the grab %.1f, of the stretched 1x picture %.1f, "
        "ratio %.2f\n",
        ratio(), sharp, soft, sharp / soft);
    EXPECT_GT(sharp, 2.0 * soft);
}

}  // namespace
}  // namespace orvek
