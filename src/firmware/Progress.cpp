#include "firmware/Progress.h"

#include <cstdio>

namespace orvek {

int progressPercent(std::int64_t sentBytes, std::int64_t totalBytes) {
    if (totalBytes <= 0) return 100;
    if (sentBytes < 0) sentBytes = 0;
    const std::int64_t percent = sentBytes * 100 / totalBytes + 1;
    return percent > 100 ? 100 : static_cast<int>(percent);
}

std::string progressCaption(int percent) {
    char text[16];
    std::snprintf(text, sizeof text, "%d%%", percent);
    return text;
}

}  // namespace orvek
