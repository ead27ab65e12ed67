#pragma once
// A one-page setup card: the ESC, its eighteen settings grouped as the ESC SETUP page groups
// them, the setup sheet and the team driver's notes, as a PDF (A4) or a PNG of the same page
// (1240 px wide, an A4 page at 150 dpi). Black on white, readable when printed in black and white
// and at phone size.
#include <array>
#include <filesystem>
#include <string>
#include <system_error>

#include "settings/ParamTable.h"
#include "settings/SetupSheets.h"

namespace orvek {

struct SetupCardContent {
    std::string model;     // the ESC's model name
    std::string firmware;  // its firmware text, "Expert V1.30"
    std::string family;    // "Expert", "Stock", "Blinky"; empty when not known
    std::string category;  // the sheet loaded, if any
    std::string sheetName;
    std::array<std::string, kParameterCount> values;  // option texts in key order; empty: none
    std::array<std::string, kInfoKeyCount> info;
    std::string memo;
    std::string date;  // ISO
};

// Where the card's picture is a PNG: a name ending in .png (any letter case); a PDF otherwise.
bool setupCardIsPng(const std::filesystem::path& file);
// A name ending in .pdf or .png (any letter case): the two kinds of card there are.
bool setupCardNameFits(const std::filesystem::path& file);

constexpr int kCardWidthPixels = 1240;
constexpr int kCardHeightPixels = 1754;

// Writes the card in one step (the old file, if any, is replaced only by a finished card). An
// empty error code on success.
std::error_code writeSetupCard(const SetupCardContent& content, const std::filesystem::path& file);

}  // namespace orvek
