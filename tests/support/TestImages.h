#pragma once
// Firmware images written for a test: a small ESC image in the Intel HEX record layout.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace orvek::testing {

// `records` data records of 16 bytes and the end record, at `folder` / name.kfw (the temporary
// folder, with the process id in the name, when no folder is given).
inline std::filesystem::path writeKfwImage(const std::string& name, int records,
                                           const std::filesystem::path& folder = {}) {
    const auto path = folder.empty() ? std::filesystem::temp_directory_path() /
                                           (name + "-" + std::to_string(::getpid()) + ".kfw")
                                     : folder / (name + ".kfw");
    std::ofstream out(path, std::ios::binary);
    for (int r = 0; r < records; ++r) {
        std::vector<std::uint8_t> rec = {16, static_cast<std::uint8_t>(r >> 4),
                                         static_cast<std::uint8_t>((r & 0x0F) << 4), 0x00};
        for (int i = 0; i < 16; ++i) rec.push_back(static_cast<std::uint8_t>(r * 16 + i));
        unsigned sum = 0;
        for (auto b : rec) sum += b;
        rec.push_back(static_cast<std::uint8_t>(-sum));
        out << ':';
        for (auto b : rec) {
            char hex[3];
            std::snprintf(hex, sizeof hex, "%02X", b);
            out << hex;
        }
        out << "\r\n";
    }
    out << ":00000001FF\r\n";
    return path;
}

}  // namespace orvek::testing
