#pragma once
// --json output, through nlohmann-json. Documents keep their keys in the order they were set
// (ordered_json): scripts and people read them in that order, as orvek-cli always wrote them.
#include <nlohmann/json.hpp>
#include <string>

namespace orvek::cli {

using Json = nlohmann::ordered_json;

// The document as one line without spaces. JSON text must be Unicode: a byte that is not UTF-8
// (a path from an older system) stands as U+FFFD.
std::string jsonText(const Json& document);

}  // namespace orvek::cli
