// The setup card: every value, the model, the firmware and each non-empty note can be read out
// of the PDF; a setting without a selection shows a dash; an empty note is left out; the PNG is
// an A4 page at 150 dpi. A sample PNG goes to the test artefacts for a look.
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QImage>

#include <array>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "card/SetupCard.h"
#include "support/TempFolder.h"

namespace orvek {
namespace {

namespace fs = std::filesystem;

QGuiApplication& application() {
    static int argc = 1;
    static char name[] = "test";
    static char* argv[] = {name, nullptr};
    // Never destroyed: at exit, after Qt's own statics are gone, a static Qt (Windows) crashed
    // in its destructor.
    static QGuiApplication* const app = new QGuiApplication(argc, argv);
    return *app;
}

// pdftotext, which reads the PDF back, is a Linux program: on Windows the cases write their PDF
// and stop there.
#ifdef _WIN32
constexpr bool kReadsPdfs = false;
#else
constexpr bool kReadsPdfs = true;
#endif

// The PDF's text as pdftotext reads it, on one line per line of the page.
std::string pdfText(const fs::path& pdf) {
    const std::string command = "pdftotext -layout '" + pdf.string() + "' -";
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(::popen(command.c_str(), "r"), ::pclose);
    std::string text;
    if (!pipe) return text;
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe.get())) > 0;)
        text.append(buffer, n);
    return text;
}

SetupCardContent sampleCard() {
    SetupCardContent card;
    card.model = "ORVEK ARC";
    card.firmware = "Expert V1.30";
    card.family = "Expert";
    card.category = "Modify Touring";
    card.sheetName = "Nationals A-Main";
    card.values = {"For/Brake",   "25%",     "3.0 V/cell", "5%",          "=Drag Brake",
                   "90%",         "4KHz",    "Level 10",   "8KHz",        "6%",
                   "off",         "45 deg",  "5000",       "650 RPM/deg", "20 deg",
                   "18 deg/0.1s", "0.20sec", "Normal"};
    card.info = {"J. Carver", "2026-05-12", "Nationals", "Expert V1.30", "13.5T", "4.2", "30 deg",
                 "12.3mm",    "Riverside",  "Carpet",    "Flowing",      "",      "28C"};
    card.memo = "Smooth punch out of the hairpin; drag brake kept low for the flowing infield.";
    card.date = "2026-12-08";
    return card;
}

TEST(SetupCard, ThePdfHoldsEveryValueTheEscAndEachNonEmptyNote) {
    application();
    testing::TempFolder folder;
    SetupCardContent card = sampleCard();
    card.values[static_cast<std::size_t>(key::TurboDelay)].clear();  // a list without selection
    const fs::path pdf = folder.path() / "card.pdf";
    ASSERT_FALSE(writeSetupCard(card, pdf));
    if (!kReadsPdfs) GTEST_SKIP() << "no pdftotext here to read the PDF back";
    const std::string text = pdfText(pdf);
    ASSERT_FALSE(text.empty()) << "pdftotext read nothing";
    for (const std::string& value : card.values) {
        if (value.empty()) continue;
        EXPECT_NE(text.find(value), std::string::npos) << value;
    }
    for (const char* expected : {"ORVEK ARC", "Expert V1.30", "Basic setup", "Technical setup",
                                 "Drag Brake", "Turbo Delay", "Nationals A-Main", "Modify Touring",
                                 "J. Carver", "Riverside", "Temp Track", "\u2014"}) {
        EXPECT_NE(text.find(expected), std::string::npos) << expected;
    }
    EXPECT_EQ(text.find("Traction Level"), std::string::npos) << "an empty note is left out";
    EXPECT_NE(text.find("hairpin"), std::string::npos);
}

TEST(SetupCard, ThePngIsAnA4PageAt150DpiAndAFailedWriteSaysWhy) {
    application();
    testing::TempFolder folder;
    const fs::path png = folder.path() / "card.PNG";
    ASSERT_FALSE(writeSetupCard(sampleCard(), png));
    const QImage image(QString::fromStdString(png.string()));
    EXPECT_GE(image.width(), 1240);
    EXPECT_EQ(image.height(), kCardHeightPixels);
    // Ink on white: dark text pixels and a white page.
    int dark = 0;
    for (int y = 0; y < image.height(); y += 4) {
        for (int x = 0; x < image.width(); x += 4) dark += qGray(image.pixel(x, y)) < 80 ? 1 : 0;
    }
    EXPECT_GT(dark, 500);
    EXPECT_EQ(image.pixel(5, 5), qRgb(255, 255, 255));

    std::error_code error;
    fs::create_directories(ORVEK_ARTIFACTS_DIR, error);
    EXPECT_FALSE(writeSetupCard(sampleCard(), fs::path(ORVEK_ARTIFACTS_DIR) / "setup-card.png"));

    EXPECT_TRUE(writeSetupCard(sampleCard(), folder.path() / "no-such-folder" / "card.pdf"));
    EXPECT_TRUE(writeSetupCard(sampleCard(), folder.path()));
}

// The text without blanks or line breaks: a value the card wraps is one run of characters again.
std::string withoutBlanks(const std::string& text) {
    std::string packed;
    for (char c : text)
        if (c != ' ' && c != '\n' && c != '\f') packed += c;
    return packed;
}

// Long notes: 40 characters in every info field, and a 300-character memo with a word longer
// than a line of the page.
SetupCardContent longNotesCard() {
    SetupCardContent card = sampleCard();
    for (std::size_t k = 0; k < kInfoKeyCount; ++k) {
        // 40 characters: the umlaut takes two bytes.
        std::string value = "Maximilian Schneider-Oberh\u00E4user " + std::to_string(k) + " ";
        while (value.size() < 41) value += static_cast<char>('a' + static_cast<int>(k));
        card.info[k] = value.substr(0, 41);
    }
    std::string word;
    for (int i = 0; word.size() < 110; ++i) word += "Wheelspin" + std::to_string(i);
    card.memo = "Punchy out of the hairpin, " + word + " then calm: ";
    while (card.memo.size() < 300) card.memo += "drag brake low, ";
    card.memo.resize(300);
    card.memo.back() = 'Z';
    return card;
}

// Whether the page has ink right of its text column (the margin), where nothing may run.
bool inkInRightMargin(const QImage& image) {
    for (int y = 0; y < image.height(); ++y) {
        for (int x = kCardWidthPixels - 80; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 200) return true;
    }
    return false;
}

TEST(SetupCard, LongNotesAndTheMemoAreWrappedAndReadBackWhole) {
    application();
    testing::TempFolder folder;
    const SetupCardContent card = longNotesCard();
    const fs::path pdf = folder.path() / "card.pdf";
    ASSERT_FALSE(writeSetupCard(card, pdf));
    if (!kReadsPdfs) GTEST_SKIP() << "no pdftotext here to read the PDF back";
    const std::string text = withoutBlanks(pdfText(pdf));
    for (const std::string& info : card.info)
        EXPECT_NE(text.find(withoutBlanks(info)), std::string::npos) << info << "\n" << text;
    EXPECT_NE(text.find(withoutBlanks(card.memo)), std::string::npos) << card.memo << "\n" << text;
    EXPECT_EQ(text.find("\u2026"), std::string::npos) << "nothing needed eliding";
    for (const std::string& value : card.values)
        EXPECT_NE(text.find(withoutBlanks(value)), std::string::npos) << value;

    const fs::path png = folder.path() / "card.png";
    ASSERT_FALSE(writeSetupCard(card, png));
    EXPECT_FALSE(inkInRightMargin(QImage(QString::fromStdString(png.string()))));
    std::error_code error;
    fs::create_directories(ORVEK_ARTIFACTS_DIR, error);
    EXPECT_FALSE(writeSetupCard(card, fs::path(ORVEK_ARTIFACTS_DIR) / "setup-card-long.png"));
}

TEST(SetupCard, WhatCannotFitIsElidedAndNothingRunsOffThePage) {
    application();
    testing::TempFolder folder;
    SetupCardContent card = longNotesCard();
    card.firmware = "Expert V1.30 " + std::string(200, 'F');
    for (std::string& info : card.info) info = std::string(259, 'N');
    card.memo = std::string(3000, 'M');  // one word, longer than the page holds
    const fs::path png = folder.path() / "card.png";
    ASSERT_FALSE(writeSetupCard(card, png));
    const QImage image(QString::fromStdString(png.string()));
    EXPECT_FALSE(inkInRightMargin(image));
    // Nor off the bottom: below the footer's line the page is white.
    int footerInk = 0;
    for (int y = kCardHeightPixels - 60; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) footerInk += qGray(image.pixel(x, y)) < 200;
    EXPECT_EQ(footerInk, 0);

    std::error_code error;
    fs::create_directories(ORVEK_ARTIFACTS_DIR, error);
    EXPECT_FALSE(writeSetupCard(card, fs::path(ORVEK_ARTIFACTS_DIR) / "setup-card-full.png"));

    const fs::path pdf = folder.path() / "card.pdf";
    ASSERT_FALSE(writeSetupCard(card, pdf));
    if (!kReadsPdfs) GTEST_SKIP() << "no pdftotext here to read the PDF back";
    const std::string text = pdfText(pdf);
    EXPECT_NE(text.find("FFFF\u2026"), std::string::npos) << "the firmware text, elided";
    EXPECT_NE(text.find("MMMM\u2026"), std::string::npos) << "the memo, elided";
    EXPECT_NE(text.find("NNNN\u2026"), std::string::npos) << "the notes, elided";
    EXPECT_NE(text.find("Temp Track"), std::string::npos) << "every note keeps its row";
}

}  // namespace
}  // namespace orvek
