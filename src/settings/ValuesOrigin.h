#pragma once
// Where the selections of the settings lists came from: the ESC, the racer's picks, a setup
// sheet, a settings file, the factory defaults, a history record or a series (ESC after ESC).
// The settings history keeps it with each write.
#include <optional>
#include <string>
#include <string_view>

namespace orvek {

enum class ValuesSource { Unknown, Device, Page, Sheet, File, Defaults, History, Series };

// "", "device", "page", "sheet", "file", "defaults", "history", "series".
const char* valuesSourceName(ValuesSource source);
std::optional<ValuesSource> valuesSourceFromName(std::string_view name);

// What last set the lists as a whole, its detail (a sheet's "category/name", a file's path, a
// history record's "#number", a series' name) and whether single picks followed.
struct ValuesOrigin {
    ValuesSource source = ValuesSource::Unknown;
    std::string detail;
    bool edited = false;
    bool operator==(const ValuesOrigin& o) const {
        return source == o.source && detail == o.detail && edited == o.edited;
    }
    bool operator!=(const ValuesOrigin& o) const { return !(*this == o); }
};

// "sheet Team/Stock (edited)", "defaults"; "" for Unknown.
std::string originText(const ValuesOrigin& origin);

}  // namespace orvek
