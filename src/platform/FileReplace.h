#pragma once
// Replacing a file the user named, without destroying what they did not ask to replace: the
// new bytes go to a short temporary name in the same folder and are renamed over the file in
// one step, so a failure leaves the old file as it was and no temporary file behind.
#include <filesystem>
#include <string_view>
#include <system_error>

namespace orvek {

// The file `file` names once every symbolic link is followed, also a link whose target does
// not exist yet (writing through it creates the target). `file` itself when it is no link or
// the links go round in a loop.
std::filesystem::path followLinks(const std::filesystem::path& file);

// Writes `bytes` as the file's new content. Links are followed (followLinks). An existing file
// keeps its permissions and, where the process may give them, its owner and group. Refused,
// with the file untouched: a folder (is_a_directory), anything else that is not a regular file
// (invalid_argument), and a file this user may not write (permission_denied), even where the
// folder would let a rename replace it. An empty error code on success.
std::error_code replaceFile(const std::filesystem::path& file, std::string_view bytes);

}  // namespace orvek
