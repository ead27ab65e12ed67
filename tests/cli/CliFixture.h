#pragma once
// What the orvek-cli suites share: a scratch folder per test, the paths of the programs, the
// simulator's state files, and images made with objcopy.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "Process.h"

namespace orvek {

namespace fs = std::filesystem;

using testing::interruptAt;
using testing::run;
using testing::RunResult;
using testing::SimProcess;

inline const std::string kCli = ORVEK_CLI_PATH;
inline const std::string kSim = ORVEK_SIM_PATH;

// A valid Expert 1.30 block far from the simulator's defaults, with its own carried bytes.
const std::vector<int> kRaceBlock = {0x02, 0x32, 0x11, 0x20, 0x22, 0x0B, 0x64, 0x64,
                                     0x05, 0x0C, 0x3C, 0x05, 0x02, 0x3C, 0x13, 0x08,
                                     0x0D, 0x05, 0x05, 0x33, 0x44, 0x01, 0xDD};
const std::vector<int> kDefaultBlock = {0x00, 0x0A, 0x55, 0x1E, 0x66, 0x06, 0x5A, 0x19,
                                        0xC8, 0x06, 0x0A, 0x03, 0x00, 0x0A, 0x12, 0x02,
                                        0x0C, 0x02, 0x02, 0x77, 0x88, 0x00, 0xDD};

// A card image of `blocks` random blocks of 1 to `longest` bytes; `expected` gets the record lines
// the simulator writes for them.
inline std::string cardImage(int blocks, unsigned seed, unsigned longest, std::string& expected) {
    std::string xup;
    std::mt19937 random(seed);
    char b[8];
    for (int block = 0; block < blocks; ++block) {
        const unsigned length = 1 + random() % longest;
        std::snprintf(b, sizeof b, "%02X", length >> 8);
        std::string hex = b;
        std::snprintf(b, sizeof b, "%02X", length & 0xFF);
        hex += b;
        for (unsigned i = 0; i < length; ++i) {
            std::snprintf(b, sizeof b, "%02X", static_cast<unsigned>(random() & 0xFF));
            hex += b;
        }
        xup += hex;
        expected += "B " + hex + "\n";
    }
    return xup + "\n";
}

// Each test gets a fresh folder, removed afterwards.
class Cli : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("orvek-cli-" + std::to_string(::getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }

    std::string file(const std::string& name) const { return (dir / name).string(); }

    // The simulator's state files: a first line that names them, then the block in hex.
    static void writeState(const std::string& path, const std::vector<int>& block) {
        std::ofstream out(path);
        out << "# orvek-sim ESC settings\n";
        for (int b : block) {
            char hex[4];
            std::snprintf(hex, sizeof hex, "%02X ", b);
            out << hex;
        }
        out << "\n";
    }
    static std::vector<int> readState(const std::string& path) {
        std::ifstream in(path);
        std::string header;
        std::getline(in, header);
        std::vector<int> block;
        unsigned v;
        while (in >> std::hex >> v) block.push_back(static_cast<int>(v));
        return block;
    }
    static RunResult cli(const std::string& port, std::vector<std::string> args) {
        std::vector<std::string> all{kCli, "--port", port};
        all.insert(all.end(), args.begin(), args.end());
        return run(all);
    }
    static std::string lastLine(const std::string& text) {
        std::string t = text;
        while (!t.empty() && t.back() == '\n') t.pop_back();
        const auto nl = t.rfind('\n');
        return nl == std::string::npos ? t : t.substr(nl + 1);
    }
    // An ESC image of `bytes` random bytes, as objcopy writes Intel HEX records of them.
    std::string hexImage(const std::string& name, int bytes, unsigned seed) const {
        {
            std::mt19937 random(seed);
            std::ofstream bin(file(name + ".bin"), std::ios::binary);
            for (int i = 0; i < bytes; ++i) bin.put(static_cast<char>(random()));
        }
        const std::string image = file(name + ".kfw");
        EXPECT_EQ(
            std::system(("objcopy -I binary -O ihex " + file(name + ".bin") + " " + image).c_str()),
            0);
        return image;
    }
    static std::size_t lineCount(const std::string& path) {
        std::ifstream in(path);
        std::size_t lines = 0;
        for (std::string line; std::getline(in, line);) ++lines;
        return lines;
    }
    static std::vector<std::string> settingLines(const std::string& out) {
        std::vector<std::string> lines;
        std::istringstream in(out);
        for (std::string line; std::getline(in, line);) {
            if (line.find(" = ") != std::string::npos) lines.push_back(line);
        }
        return lines;
    }

    fs::path dir;
};

}  // namespace orvek
