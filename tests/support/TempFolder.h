#pragma once
// A fresh folder under the system's temporary folder for one test, removed with everything in
// it when the test ends; and byte-exact file helpers to fill it and read it back.
#include <cstdlib>
#include <filesystem>
#ifdef _WIN32
#include <random>
#endif
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

namespace orvek::testing {

class TempFolder {
public:
    TempFolder() {
#ifdef _WIN32
        // No mkdtemp: a random name, made only if it is new.
        std::random_device random;
        for (int attempt = 0; attempt < 100 && path_.empty(); ++attempt) {
            const auto candidate =
                std::filesystem::temp_directory_path() / ("orvek-test-" + std::to_string(random()));
            std::error_code error;
            if (std::filesystem::create_directory(candidate, error)) path_ = candidate;
        }
        if (path_.empty()) std::abort();
#else
        std::string pattern =
            (std::filesystem::temp_directory_path() / "orvek-test-XXXXXX").string();
        char* made = ::mkdtemp(pattern.data());
        if (made == nullptr) std::abort();  // never fall back to the working folder
        path_ = made;
#endif
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

    // Writes `content` byte for byte (no line-end translation) to `relative`, making folders.
    std::filesystem::path write(const std::filesystem::path& relative,
                                std::string_view content) const;

private:
    std::filesystem::path path_;
};

inline void writeBytes(const std::filesystem::path& file, std::string_view bytes) {
    std::filesystem::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline std::string readBytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

inline std::filesystem::path TempFolder::write(const std::filesystem::path& relative,
                                               std::string_view content) const {
    const std::filesystem::path file = path_ / relative;
    writeBytes(file, content);
    return file;
}

// UTF-16 little-endian bytes of ASCII text, for building test files.
inline std::string utf16Le(const std::string& ascii) {
    std::string out;
    for (char c : ascii) {
        out += c;
        out += '\0';
    }
    return out;
}

}  // namespace orvek::testing
