// The links page: its five areas strictly inside their rectangles, only a plain left press
// opening a link, and the links and text size read from config.ini.
#include <QMouseEvent>

#include <cstdlib>
#include <fstream>
#include <iterator>

#include "config/AppConfig.h"
#include "gui/desktop/UrlOpener.h"
#include "gui/pages/links/CUserDlg.h"
#include "support/WindowRig.h"

namespace orvek {
namespace {

using testing::RecordingUrlOpener;

void press(QWidget& page, QPoint at, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
           Qt::MouseButton button = Qt::LeftButton) {
    QMouseEvent event(QEvent::MouseButtonPress, at, page.mapToGlobal(at), button, button,
                      modifiers);
    QCoreApplication::sendEvent(&page, &event);
}

TEST(LinksPage, OnlyAPlainLeftPressStrictlyInsideAnAreaOpensItsLink) {
    testing::TempFolder program;
    RecordingUrlOpener opener;
    CUserDlg page(opener, program.path());
    page.resize(985, 570);

    // ORVEK-ARC's area is 700,60 250x100: its edge pixels open nothing, one pixel in opens.
    for (QPoint edge : {QPoint(700, 100), QPoint(950, 100), QPoint(800, 60), QPoint(800, 160)})
        press(page, edge);
    EXPECT_TRUE(opener.opened.empty());
    press(page, QPoint(701, 61));
    press(page, QPoint(949, 159));
    EXPECT_EQ(opener.opened,
              (std::vector<std::string>(2, "http://www.orvek.example/product/ORVEK-ARC/")));

    opener.opened.clear();
    press(page, QPoint(800, 100), Qt::ShiftModifier);
    press(page, QPoint(800, 100), Qt::ControlModifier);
    press(page, QPoint(800, 100), Qt::NoModifier, Qt::RightButton);
    EXPECT_TRUE(opener.opened.empty());

    // Each area opens its own link; the homepage one opens the bare host.
    press(page, QPoint(575, 530));
    press(page, QPoint(800, 230));
    press(page, QPoint(800, 350));
    press(page, QPoint(800, 470));
    EXPECT_EQ(opener.opened,
              (std::vector<std::string>{"www.orvek.example",
                                        "http://www.orvek.example/product/ORVEK-BASIS/",
                                        "http://www.orvek.example/product/ORVEK-ZETA/",
                                        "http://www.orvek.example/product/ORVEK-QLX/"}));
    // Between the product areas nothing opens.
    opener.opened.clear();
    press(page, QPoint(800, 170));
    EXPECT_TRUE(opener.opened.empty());
}

TEST(LinksPage, HandCursorOnlyStrictlyInsideAnArea) {
    testing::TempFolder program;
    RecordingUrlOpener opener;
    CUserDlg page(opener, program.path());
    auto move = [&](QPoint at) {
        QMouseEvent event(QEvent::MouseMove, at, page.mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                          Qt::NoModifier);
        QCoreApplication::sendEvent(&page, &event);
        return page.cursor().shape();
    };
    EXPECT_EQ(move(QPoint(701, 61)), Qt::PointingHandCursor);
    EXPECT_EQ(move(QPoint(700, 61)), Qt::ArrowCursor);
    EXPECT_EQ(move(QPoint(649, 559)), Qt::PointingHandCursor);
    EXPECT_EQ(move(QPoint(650, 559)), Qt::ArrowCursor);
}

TEST(LinksPage, LinksComeFromConfigIniKeyByKeyCutTo259Characters) {
    testing::TempFolder program;
    const std::string longLink = "http://x.example/" + std::string(300, 'a');
    program.write(
        "config.ini",
        "[Product Link]\r\norvek-zeta = \"https://zeta.example/\"\r\nMAIN=\r\nORVEK-QLX=" +
            longLink + "\r\n");
    const auto links = ReadProductLinks(program.path());
    EXPECT_EQ(links[static_cast<std::size_t>(ProductLink::Zeta)], "https://zeta.example/");
    EXPECT_EQ(links[static_cast<std::size_t>(ProductLink::Homepage)], "")
        << "an empty MAIN stays empty";
    EXPECT_EQ(links[static_cast<std::size_t>(ProductLink::Qlx)], longLink.substr(0, 259));
    EXPECT_EQ(links[static_cast<std::size_t>(ProductLink::Arc)],
              "http://www.orvek.example/product/ORVEK-ARC/");

    RecordingUrlOpener opener;
    CUserDlg page(opener, program.path());
    press(page, QPoint(575, 530));
    EXPECT_EQ(opener.opened, std::vector<std::string>{""}) << "the empty text is passed on";
}

TEST(ConfigIni, TheUsersFileIsReadFirstKeyByKeyAndNeitherIsWritten) {
    testing::TempFolder program;
    testing::TempFolder configHome;  // as $XDG_CONFIG_HOME
    const std::filesystem::path user = configHome.path() / "orvek-link";
    const std::string installed =
        "[TEXT INFO]\r\nsize=120\r\n[PRODUCT LINK]\r\nORVEK-ARC=http://installed.example/arc/\r\n"
        "ORVEK-ZETA=http://installed.example/zeta/\r\n";
    const std::string own = "[product link]\r\norvek-arc=http://mine.example/arc/\r\nMAIN=\r\n";
    program.write("config.ini", installed);
    configHome.write("orvek-link/config.ini", own);

    const auto links = ReadProductLinks(program.path(), user);
    EXPECT_EQ(links[static_cast<std::size_t>(ProductLink::Arc)], "http://mine.example/arc/");
    EXPECT_EQ(links[static_cast<std::size_t>(ProductLink::Zeta)], "http://installed.example/zeta/");
    EXPECT_EQ(links[static_cast<std::size_t>(ProductLink::Homepage)], "")
        << "an empty value in the user's file is given";
    EXPECT_EQ(links[static_cast<std::size_t>(ProductLink::Qlx)],
              "http://www.orvek.example/product/ORVEK-QLX/");
    EXPECT_EQ(readTextSize(program.path(), user), 120) << "a key the user's file lacks";
    testing::TempFolder none;
    EXPECT_EQ(readTextSize(program.path(), none.path()), 120) << "no user file";

    // The page finds the user's file through $XDG_CONFIG_HOME, and writes neither file.
    setenv("XDG_CONFIG_HOME", configHome.path().c_str(), 1);
    RecordingUrlOpener opener;
    CUserDlg page(opener, program.path());
    unsetenv("XDG_CONFIG_HOME");
    press(page, QPoint(800, 100));
    EXPECT_EQ(opener.opened, std::vector<std::string>{"http://mine.example/arc/"});
    const auto bytes = [](const std::filesystem::path& file) {
        std::ifstream in(file, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    };
    EXPECT_EQ(bytes(program.path() / "config.ini"), installed);
    EXPECT_EQ(bytes(user / "config.ini"), own);
}

TEST(LinkAddress, BareHostOpensAsAPlainWebAddress) {
    EXPECT_EQ(urlForLink("www.orvek.example").toString(), "http://www.orvek.example");
    EXPECT_EQ(urlForLink("https://zeta.example/a").toString(), "https://zeta.example/a");
    EXPECT_TRUE(urlForLink("").isEmpty());
}

TEST(ConfigIni, TextSizeIsTheLeadingNumberAndTooSmallASizeReadsAsNinePoint) {
    struct Case {
        const char* stored;
        int size;
    };
    const Case cases[] = {{"120", 120}, {" 100pt", 100}, {"abc", 0},
                          {"-5", -5},   {"", 0},         {"99999999999", INT_MAX}};
    for (const Case& c : cases) {
        testing::TempFolder program;
        program.write("config.ini", std::string("[TEXT INFO]\r\nsize=") + c.stored + "\r\n");
        EXPECT_EQ(readTextSize(program.path()), c.size) << c.stored;
    }
    testing::TempFolder none;
    EXPECT_EQ(readTextSize(none.path()), 90) << "no config.ini";
    EXPECT_EQ(readableTextSize(0), 90);
    EXPECT_EQ(readableTextSize(10), 90) << "never a 1-pt font";
    EXPECT_EQ(readableTextSize(60), 60);
    EXPECT_EQ(readableTextSize(120), 120);
}

}  // namespace
}  // namespace orvek
