#include "platform/SystemName.h"

#include <sys/utsname.h>

#include <fstream>

namespace orvek {
namespace {

// PRETTY_NAME of os-release, without its quotes; empty when the file or the key is missing.
std::string releaseName() {
    for (const char* file : {"/etc/os-release", "/usr/lib/os-release"}) {
        std::ifstream in(file);
        for (std::string line; std::getline(in, line);) {
            const std::string key = "PRETTY_NAME=";
            if (line.compare(0, key.size(), key) != 0) continue;
            std::string value = line.substr(key.size());
            if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
                value.back() == value.front()) {
                value = value.substr(1, value.size() - 2);
            }
            return value;
        }
    }
    return {};
}

}  // namespace

std::string systemDescription() {
    std::string text = releaseName();
    utsname names{};
    if (::uname(&names) == 0) {
        if (!text.empty()) text += "; ";
        text += std::string(names.sysname) + " " + names.release + " " + names.machine;
    }
    return text;
}

}  // namespace orvek
