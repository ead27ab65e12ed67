// Checks a screenshot of the X screen for the main window with its USB and ESC lamps lit and
// its program-card lamp dark:  orvek-screenshot-check SHOT.png WINDOW_X WINDOW_Y [PICTURE.png]
// The window's top-left corner is where the window system placed its client area. With a
// picture (a page button's artwork in the window's language), it must be shown in the left
// column as drawn on the window's black ground.
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

bool lampYellow(QRgb p) { return qRed(p) > 180 && qGreen(p) > 140 && qBlue(p) < 120; }

bool near(QRgb a, QRgb b) {
    return std::abs(qRed(a) - qRed(b)) <= 3 && std::abs(qGreen(a) - qGreen(b)) <= 3 &&
           std::abs(qBlue(a) - qBlue(b)) <= 3;
}

// Whether `picture`, laid on black, is in the shot within the rectangle (left, top, 260, 260).
bool showsPicture(const QImage& shot, const QImage& picture, int left, int top) {
    QImage onBlack(picture.size(), QImage::Format_RGB32);
    onBlack.fill(Qt::black);
    {
        QPainter painter(&onBlack);
        painter.drawImage(0, 0, picture);
    }
    for (int y = top; y + onBlack.height() <= std::min(shot.height(), top + 260); ++y) {
        for (int x = left; x + onBlack.width() <= std::min(shot.width(), left + 260); ++x) {
            bool same = true;
            for (int py = 0; same && py < onBlack.height(); ++py) {
                for (int px = 0; same && px < onBlack.width(); ++px)
                    same = near(shot.pixel(x + px, y + py), onBlack.pixel(px, py));
            }
            if (same) {
                std::printf("picture found at %d,%d of the window\n", x - left, y - top);
                return true;
            }
        }
    }
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4 && argc != 5) {
        std::fprintf(stderr,
                     "usage: orvek-screenshot-check SHOT.png WINDOW_X WINDOW_Y [PICTURE.png]\n");
        return 2;
    }
    const QImage shot(QString::fromLocal8Bit(argv[1]));
    const int x0 = std::atoi(argv[2]);
    const int y0 = std::atoi(argv[3]);
    if (shot.isNull() || shot.width() < x0 + 1250 || shot.height() < y0 + 650) {
        std::fprintf(stderr, "no screenshot holding a 1250x650 window at %d,%d\n", x0, y0);
        return 1;
    }
    // The lamp column (x 30..50 of the window) from the top down: rows with lit pixels, in runs.
    std::vector<std::pair<int, int>> runs;
    for (int y = y0; y < y0 + 650; ++y) {
        int lit = 0;
        for (int x = x0 + 30; x < x0 + 50; ++x) lit += lampYellow(shot.pixel(x, y)) ? 1 : 0;
        if (lit < 4) continue;
        if (!runs.empty() && runs.back().second == y - 1) {
            runs.back().second = y;
        } else {
            runs.emplace_back(y, y);
        }
    }
    // A lamp is a disc some rows high; the orange heading text above the lamps is thinner.
    std::vector<std::pair<int, int>> lamps;
    for (const auto& r : runs) {
        if (r.second - r.first + 1 >= 8) lamps.push_back(r);
    }
    runs = lamps;
    for (const auto& r : runs) std::printf("lit lamp rows %d..%d\n", r.first - y0, r.second - y0);
    // USB and ESC lit, 30 pixels apart; the program-card lamp below them dark.
    const bool twoLamps = runs.size() == 2 && std::abs((runs[1].first - runs[0].first) - 30) <= 2;
    // Something of the window besides the lamps is drawn: the black ground and the logo.
    int nonBlack = 0;
    for (int y = y0; y < y0 + 100; ++y) {
        for (int x = x0; x < x0 + 250; ++x) nonBlack += (shot.pixel(x, y) & 0xFFFFFF) != 0 ? 1 : 0;
    }
    std::printf("non-black pixels in the logo corner: %d\n", nonBlack);
    if (!twoLamps || nonBlack < 500) {
        std::fprintf(stderr, "the window or its lit USB and ESC lamps are not on the screen\n");
        return 1;
    }
    std::printf("window found with the USB and ESC lamps lit\n");
    if (argc == 5) {
        const QImage picture(QString::fromLocal8Bit(argv[4]));
        if (picture.isNull() || !showsPicture(shot, picture, x0, y0)) {
            std::fprintf(stderr, "the window does not show %s\n", argv[4]);
            return 1;
        }
    }
    return 0;
}
