// Uploads a 64 KiB-class .kfw image and a 64 KiB .xup image to the simulator paced at 19200
// baud and prints each upload's time as a ratio to its wire-time limit: every byte the upload
// puts on the line and gets back at 10 bits a byte, plus the pauses the protocol requires.
#include <unistd.h>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "sim/Simulator.h"
#include "update/FirmwareUpdate.h"
#include "update/HeadlessUpdateHost.h"

namespace {

using namespace orvek;
constexpr double kLimit = 1.03;

struct Measured {
    bool ok;
    double elapsedMs;
    long long lineBytes;
};

Measured upload(sim::Peer peer, const std::filesystem::path& folder, const std::string& file,
                bool card) {
    sim::SimOptions options;
    options.peer = peer;
    options.paced = true;
    sim::Simulator sim(options);
    if (!sim.start()) return {false, 0, 0};
    UsbUart link;
    link.setPortOverride(sim.devicePath());
    if (link.openPort() != 0) return {false, 0, 0};
    link.setUsbState(UsbState::PortOpen);
    HeadlessUpdateHost host;
    host.fix = true;
    host.card = CardState::Identified;
    UpdateJob job{host, link, folder / "Firmware" / file};
    const auto start = std::chrono::steady_clock::now();
    const UpdateResult r = card ? CardFirmwareUpdate(job) : EscFirmwareUpdate(job);
    const double ms =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    if (r.outcome != UpdateOutcome::Finished) {
        std::fprintf(stderr, "upload failed: %s\n", r.message.c_str());
        return {false, ms, 0};
    }
    return {true, ms, sim.bytesEmitted()};
}

bool report(const char* what, const Measured& m, double pausesMs, double byteMs) {
    const double limitMs = static_cast<double>(m.lineBytes) * byteMs + pausesMs;
    const double ratio = m.elapsedMs / limitMs;
    std::printf(
        "%s: %lld bytes on the line, pauses %.0f ms, limit %.1f ms, took %.1f ms, "
        "ratio %.4f (target %.2f): %s\n",
        what, m.lineBytes, pausesMs, limitMs, m.elapsedMs, ratio, kLimit,
        ratio <= kLimit ? "within" : "OVER");
    return ratio <= kLimit;
}

}  // namespace

int main() {
    const auto folder =
        std::filesystem::temp_directory_path() / ("orvek-bench-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder / "Firmware");
    std::mt19937 random(42);

    // 64 KiB of code as Intel HEX records, the way a build tool writes them.
    {
        std::ofstream bin(folder / "image.bin", std::ios::binary);
        for (int i = 0; i < 64 * 1024; ++i) bin.put(static_cast<char>(random() & 0xFF));
    }
    const std::string objcopy = "objcopy -I binary -O ihex '" + (folder / "image.bin").string() +
                                "' '" + (folder / "Firmware" / "bench.kfw").string() + "'";
    if (std::system(objcopy.c_str()) != 0) {
        std::fprintf(stderr, "objcopy failed\n");
        return 1;
    }
    // 64 KiB of card image in blocks of 256 payload bytes (the last one shorter).
    int blocks = 0;
    {
        std::ofstream xup(folder / "Firmware" / "bench.xup", std::ios::binary);
        std::size_t left = 65536;
        char hex[3];
        while (left > 2) {
            const std::size_t payload = std::min<std::size_t>(256, left - 2);
            std::snprintf(hex, sizeof hex, "%02X", static_cast<unsigned>(payload >> 8));
            xup << hex;
            std::snprintf(hex, sizeof hex, "%02X", static_cast<unsigned>(payload & 0xFF));
            xup << hex;
            for (std::size_t i = 0; i < payload; ++i) {
                std::snprintf(hex, sizeof hex, "%02X", static_cast<unsigned>(random() & 0xFF));
                xup << hex;
            }
            left -= payload + 2;
            ++blocks;
        }
    }

    const double byteMs = 10.0 * 1000.0 / 19200.0;
    bool ok = true;
    const Measured esc = upload(sim::Peer::EscBootloader, folder, "bench.kfw", false);
    ok = esc.ok && report("ESC .kfw upload", esc, 1000.0, byteMs) && ok;
    const Measured card = upload(sim::Peer::CardBootloader, folder, "bench.xup", true);
    ok = card.ok && report("card .xup upload", card, 1000.0 + 5.0 * blocks, byteMs) && ok;
    std::filesystem::remove_all(folder);
    return ok ? 0 : 1;
}
