// The skin has a picture for every id the program shows, at the size of the control that shows
// it, and the label pictures put their texts where the controls they label are.

#include <gtest/gtest.h>

#include <QImage>
#include <QPixmap>

#include <algorithm>
#include <cstdlib>
#include <set>
#include <tuple>
#include <vector>

#include "resources/SkinRegistry.h"
#include "support/WidgetTesting.h"

namespace orvek {
namespace {

struct ShownPicture {
    int id;
    int width;  // 0: the control takes the picture's own size
    int height;
};

// Sizes of the controls that show each picture, taken from the window and page layouts.
const std::vector<ShownPicture> kShownPictures = {
    {128, 32, 32},  // window icon
    {132, 0, 0},    // logo, top left
    {133, 200, 5},
    {134, 200, 50},
    {135, 200, 50},
    {136, 200, 12},
    {137, 150, 70},
    {138, 20, 20},
    {139, 20, 20},
    {140, 160, 80},
    {141, 200, 25},
    {142, 200, 25},
    {143, 200, 25},
    {144, 200, 25},
    {145, 200, 25},
    {146, 200, 25},
    {147, 200, 25},
    {148, 200, 25},
    {149, 200, 25},
    {150, 0, 0},
    {151, 0, 0},    // hidden pictures
    {152, 80, 30},  // progress display 1010
    {166, 180, 32},
    {167, 420, 10},
    {168, 150, 75},
    {170, 150, 75},
    {171, 270, 32},
    {172, 150, 75},
    {173, 250, 37},
    {179, 150, 75},
    {181, 330, 560},
    {186, 600, 520},
    {187, 63, 20},
    {188, 150, 75},
    {189, 150, 75},
    // Settings page pictures 1082..1085, 1067..1079, 1056, 1057, 1058.
    {SkinId::SettingsLeftPanel, 330, 560},
    {SkinId::SettingsMiddleUpperPanel, 330, 290},
    {SkinId::SettingsMiddleLowerPanel, 320, 180},
    {SkinId::SettingsRightPanel, 315, 560},
    {SkinId::EscInformationHeading, 280, 25},
    {SkinId::FirmwareLabel, 80, 35},
    {SkinId::BasicSetupHeading, 120, 18},
    {SkinId::SettingsDivider, 280, 5},
    {SkinId::BasicSetupLabels, 115, 405},
    {SkinId::TechnicalSetupHeading, 160, 16},
    {SkinId::TechnicalSetupLabels, 80, 184},
    {SkinId::ProfilesHeading, 200, 30},
    {SkinId::CategoryLabel, 70, 13},
    {SkinId::SetupSheetLabel, 70, 14},
    {SkinId::DefaultSettingAction, 110, 60},
    {SkinId::SendSettingAction, 110, 60},
    {SkinId::SetupCommentHeading, 180, 30},
    {SkinId::InfoLabels, 80, 380},
};

TEST(SkinPictures, EveryShownIdHasAPictureOfItsControlsSize) {
    std::set<int> listed;
    for (const SkinPicture& picture : SkinRegistry::pictures()) listed.insert(picture.id);

    for (const ShownPicture& shown : kShownPictures) {
        SCOPED_TRACE(shown.id);
        EXPECT_TRUE(listed.count(shown.id)) << "the registry does not list the id";
        const QPixmap pixmap = SkinRegistry::pixmap(shown.id);
        ASSERT_FALSE(pixmap.isNull());
        const SkinPicture* entry = SkinCatalog::find(shown.id);
        ASSERT_NE(entry, nullptr);
        EXPECT_EQ(pixmap.size(), QSize(entry->width, entry->height))
            << "listed size and artwork differ";
        if (shown.width > 0) {
            EXPECT_EQ(pixmap.size(), QSize(shown.width, shown.height));
        }
        EXPECT_FALSE(QString::fromUtf8(entry->shows).isEmpty());
        EXPECT_FALSE(QString::fromUtf8(entry->shownBy).isEmpty());
    }

    // The links page face must cover its five link areas (up to x 950 and y 560).
    const QPixmap links = SkinRegistry::pixmap(164);
    EXPECT_GE(links.width(), 950);
    EXPECT_GE(links.height(), 560);
}

TEST(SkinPictures, RegistryListsOnlyPicturesItCanHandOut) {
    std::set<int> expected;
    for (const ShownPicture& shown : kShownPictures) expected.insert(shown.id);
    expected.insert(164);
    std::set<int> listed;
    int previous = 0;
    for (const SkinPicture& picture : SkinRegistry::pictures()) {
        EXPECT_GT(picture.id, previous) << "ids are listed in order, once each";
        previous = picture.id;
        listed.insert(picture.id);
        EXPECT_GE(picture.id, 128);
        EXPECT_LE(picture.id, 189);
        const QImage image = SkinRegistry::image(picture.id);
        EXPECT_EQ(image.size(), QSize(picture.width, picture.height)) << picture.id;
    }
    EXPECT_EQ(listed, expected);

    for (int unknown : {-1, 0, 127, 129, 162, 165, 174, 190, 1000}) {
        EXPECT_TRUE(SkinRegistry::pixmap(unknown).isNull()) << unknown;
        EXPECT_TRUE(SkinRegistry::image(unknown).isNull()) << unknown;
        EXPECT_EQ(SkinCatalog::find(unknown), nullptr) << unknown;
    }
}

// Rows of a picture that hold ink, grouped into bands; the middle of each band.
std::vector<double> inkBandMiddles(const QImage& picture) {
    std::vector<double> middles;
    int bandTop = -1;
    for (int y = 0; y <= picture.height(); ++y) {
        bool ink = false;
        for (int x = 0; y < picture.height() && x < picture.width() && !ink; ++x)
            ink = qAlpha(picture.pixel(x, y)) > 96;
        if (ink && bandTop < 0) bandTop = y;
        if (!ink && bandTop >= 0) {
            middles.push_back((bandTop + y - 1) / 2.0);
            bandTop = -1;
        }
    }
    return middles;
}

void expectRowsAt(int id, const std::vector<int>& middles) {
    SCOPED_TRACE(id);
    const QImage picture = SkinRegistry::image(id).convertToFormat(QImage::Format_ARGB32);
    const std::vector<double> bands = inkBandMiddles(picture);
    ASSERT_EQ(bands.size(), middles.size());
    // Descenders pull a band's middle down by a pixel or two.
    for (size_t i = 0; i < middles.size(); ++i)
        EXPECT_NEAR(bands[i], middles[i], 3.0) << "row " << i;
}

TEST(SkinPictures, LabelColumnsLineUpWithTheirLists) {
    // Twelve left lists at y 138 + 35 n under a label picture at y 140.
    std::vector<int> left;
    for (int n = 0; n < 12; ++n) left.push_back(138 + 35 * n + kClosedListHeight / 2 - 140);
    expectRowsAt(SkinId::BasicSetupLabels, left);

    // Six middle lists under a label picture at y 50.
    std::vector<int> middle;
    for (int top : {47, 80, 112, 145, 180, 214}) middle.push_back(top + kClosedListHeight / 2 - 50);
    expectRowsAt(SkinId::TechnicalSetupLabels, middle);

    // Thirteen info values (texts drawn from their top, first line about 16 high) beside a
    // label picture at y 50.
    std::vector<int> info;
    for (int top : {50, 80, 112, 142, 172, 202, 235, 265, 293, 323, 353, 383, 415})
        info.push_back(top + 8 - 50);
    expectRowsAt(SkinId::InfoLabels, info);

    // Lamps at y 380, 410, 440 (20 high) beside a label picture at y 390, 70 high: each label
    // a little below its lamp's middle, never outside the picture.
    const QImage lampLabels = SkinRegistry::image(137).convertToFormat(QImage::Format_ARGB32);
    const std::vector<double> lampRows = inkBandMiddles(lampLabels);
    ASSERT_EQ(lampRows.size(), 3u);
    for (int i = 0; i < 3; ++i) {
        const double lampMiddle = 380 + 30 * i + 10 - 390;
        EXPECT_GE(lampRows[i], lampMiddle - 1) << i;
        EXPECT_LE(lampRows[i], lampMiddle + 9) << i;
    }
}

// Average colour of the clearly visible pixels of a picture.
QColor inkColour(int id) {
    const QImage image = SkinRegistry::image(id).convertToFormat(QImage::Format_ARGB32);
    long red = 0, green = 0, blue = 0, count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            if (qAlpha(pixel) < 250) continue;
            const int brightness = qRed(pixel) + qGreen(pixel) + qBlue(pixel);
            if (brightness < 150) continue;  // the dark ground of the picture
            red += qRed(pixel);
            green += qGreen(pixel);
            blue += qBlue(pixel);
            ++count;
        }
    }
    if (count == 0) return QColor();
    return QColor(int(red / count), int(green / count), int(blue / count));
}

TEST(SkinPictures, PageButtonsAndPromptShowTheirStatesInTheirColours) {
    // Triples of normal, pressed, hover.
    for (auto [normal, pressed, hover] :
         {std::tuple{142, 141, 143}, {145, 144, 146}, {148, 147, 149}}) {
        SCOPED_TRACE(normal);
        const QColor grey = inkColour(normal);
        const QColor red = inkColour(pressed);
        const QColor dimmed = inkColour(hover);
        ASSERT_TRUE(grey.isValid() && red.isValid() && dimmed.isValid());
        EXPECT_LT(std::abs(grey.red() - grey.blue()), 20) << "normal label is grey";
        EXPECT_GT(red.red(), red.green() + 100) << "pressed label is red";
        EXPECT_LT(dimmed.value(), grey.value()) << "hover label is dimmer than normal";
    }
    const QColor orange = inkColour(134);
    const QColor white = inkColour(135);
    EXPECT_GT(orange.red(), orange.blue() + 120);
    EXPECT_GT(white.blue(), 200);
    EXPECT_GT(inkColour(139).value(), inkColour(138).value()) << "a lamp that is on is brighter";
}

// The brightness a racer with deuteranopia sees (the Machado et al. full-severity matrix), or
// plain greyscale with `deuteranopia` false.
int seenBrightness(QRgb pixel, bool deuteranopia) {
    double r = qRed(pixel), g = qGreen(pixel), b = qBlue(pixel);
    if (deuteranopia) {
        const double r2 = 0.367322 * r + 0.860646 * g - 0.227968 * b;
        const double g2 = 0.280085 * r + 0.672501 * g + 0.047413 * b;
        const double b2 = -0.011820 * r + 0.042940 * g + 0.968881 * b;
        r = r2, g = g2, b = b2;
    }
    return qGray(std::clamp(int(r), 0, 255), std::clamp(int(g), 0, 255),
                 std::clamp(int(b), 0, 255));
}

TEST(SkinPictures, LampsDifferInShapeNotOnlyInColour) {
    // Lit: a filled disc, bright in the middle. Dark: a ring around a black middle.
    const QImage lit = SkinRegistry::pixmap(139).toImage();
    const QImage dark = SkinRegistry::pixmap(138).toImage();
    ASSERT_EQ(lit.size(), dark.size());
    const QPoint middle(lit.width() / 2, lit.height() / 2);
    for (bool deuteranopia : {false, true}) {
        SCOPED_TRACE(deuteranopia ? "deuteranopia" : "greyscale");
        const int litMiddle = seenBrightness(lit.pixel(middle), deuteranopia);
        const int darkMiddle = seenBrightness(dark.pixel(middle), deuteranopia);
        EXPECT_GT(litMiddle, 150);
        EXPECT_LT(darkMiddle, 50);
        // The dark lamp's ring is there to be seen: some pixel on its row is well above its middle.
        int darkRing = 0;
        for (int x = 0; x < dark.width(); ++x)
            darkRing = std::max(darkRing, seenBrightness(dark.pixel(x, middle.y()), deuteranopia));
        EXPECT_GT(darkRing, darkMiddle + 40);
    }
}

}  // namespace
}  // namespace orvek
