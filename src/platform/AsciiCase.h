#pragma once
// Comparisons without regard to letter case, as names in files and folders made on Windows
// are matched: ASCII letters only, every other byte as it is.
#include <string_view>

namespace orvek {

char foldAscii(char c);
bool equalsIgnoringCase(std::string_view a, std::string_view b);
// Alphabetical order without regard to case; texts that differ only in case keep a fixed
// order (by their bytes), so that a sort is the same on every run.
bool lessIgnoringCase(std::string_view a, std::string_view b);
bool endsWithIgnoringCase(std::string_view text, std::string_view suffix);

}  // namespace orvek
