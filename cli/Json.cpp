#include "Json.h"

namespace orvek::cli {

std::string jsonText(const Json& document) {
    // The replacing handler never throws.
    return document.dump(-1, ' ', false, Json::error_handler_t::replace);
}

}  // namespace orvek::cli
