#include "series/SeriesReport.h"

#include <cstdio>

#include "platform/AsciiCase.h"
#include "platform/FileReplace.h"

namespace orvek {

namespace {

// A CSV field: quoted, its quotes doubled, where it holds a separator, a quote or a line end.
std::string csvField(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + "\"";
}

std::string jsonString(const std::string& text) {
    std::string out = "\"";
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
            out += escaped;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

std::string shown(const std::string& text) { return text.empty() ? "(none)" : text; }

}  // namespace

std::string infoBytesText(const EscInfo& info) {
    std::string text;
    for (std::uint8_t byte : info) {
        char hex[4];
        std::snprintf(hex, sizeof hex, "%s%02X", text.empty() ? "" : " ", byte);
        text += hex;
    }
    return text;
}

std::string changesText(const std::vector<SeriesChange>& changes) {
    std::string text;
    for (const SeriesChange& change : changes) {
        if (!text.empty()) text += "; ";
        text += change.key + ": " + shown(change.from) + " -> " + shown(change.to);
    }
    return text;
}

std::string seriesReportCsv(const SeriesSnapshot& series) {
    std::string csv = "number,time,model,firmware,info,changes,result,reason\r\n";
    for (const SeriesRow& row : series.rows) {
        csv += std::to_string(row.number) + "," + csvField(row.time) + "," + csvField(row.model) +
               "," + csvField(row.firmware) + "," + infoBytesText(row.info) + "," +
               csvField(changesText(row.changes)) + "," + seriesResultName(row.result) + "," +
               csvField(row.reason) + "\r\n";
    }
    return csv;
}

std::string seriesReportJson(const SeriesSnapshot& series) {
    std::string json = "{\n  \"name\": " + jsonString(series.name) +
                       ",\n  \"values\": " + jsonString(series.values) + ",\n  \"escs\": [";
    bool first = true;
    for (const SeriesRow& row : series.rows) {
        json += first ? "\n" : ",\n";
        first = false;
        json += "    {\"number\": " + std::to_string(row.number) +
                ", \"time\": " + jsonString(row.time) + ", \"model\": " + jsonString(row.model) +
                ", \"firmware\": " + jsonString(row.firmware) +
                ", \"info\": " + jsonString(infoBytesText(row.info)) + ", \"changes\": [";
        for (std::size_t i = 0; i < row.changes.size(); ++i) {
            const SeriesChange& c = row.changes[i];
            json += (i ? ", " : "") + std::string("{\"key\": ") + jsonString(c.key) +
                    ", \"from\": " + jsonString(c.from) + ", \"to\": " + jsonString(c.to) + "}";
        }
        json += "], \"result\": " + jsonString(seriesResultName(row.result)) +
                ", \"reason\": " + jsonString(row.reason) + "}";
    }
    json += first ? "]\n}\n" : "\n  ]\n}\n";
    return json;
}

SeriesReportStatus saveSeriesReport(const SeriesSnapshot& series, const std::filesystem::path& file,
                                    std::error_code* reason) {
    const std::string name = file.filename().string();
    std::string bytes;
    if (endsWithIgnoringCase(name, ".csv")) {
        bytes = seriesReportCsv(series);
    } else if (endsWithIgnoringCase(name, ".json")) {
        bytes = seriesReportJson(series);
    } else {
        return SeriesReportStatus::UnknownKind;
    }
    const std::error_code error = replaceFile(file, bytes);
    if (reason) *reason = error;
    return error ? SeriesReportStatus::WriteFailed : SeriesReportStatus::Ok;
}

}  // namespace orvek
