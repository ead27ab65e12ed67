// ports and info: which adapters there are, and what device answers.
#include <cstdio>

#include "Commands.h"
#include "ExitCodes.h"
#include "Json.h"
#include "link/AdapterDiscovery.h"

namespace orvek::cli {

int runPorts(const GlobalOptions& global, const Console& console) {
    const AdapterDiscovery discovery;
    const auto ports = discovery.listUsbSerialPorts();
    const std::string chosen = resolvePortPath(global.port, discovery);
    Json j;
    j["ports"] = Json::array();
    for (const SerialAdapter& a : ports) {
        const bool selected = a.devicePath == chosen;
        console.out(std::string(selected ? "* " : "  ") + a.devicePath + "  " + a.vendorId + ":" +
                    a.productId + (a.serial.empty() ? "" : "  serial " + a.serial) +
                    (a.isOrvekAdapter() ? "" : "  (not an ORVEK adapter)"));
        Json port;
        port["path"] = a.devicePath;
        port["vendor"] = a.vendorId;
        port["product"] = a.productId;
        port["serial"] = a.serial;
        port["adapter"] = a.isOrvekAdapter();
        port["selected"] = selected;
        j["ports"].push_back(std::move(port));
    }
    j["selected"] = chosen.empty() ? Json() : Json(chosen);
    if (ports.empty()) console.out("no USB serial adapters found");
    if (!chosen.empty() && (ports.empty() || chosen != discovery.findAdapterPort())) {
        console.out("* " + chosen + "  (given)");
    }
    console.document(j);
    return kExitOk;
}

int runInfo(const GlobalOptions& global, const Console& console, bool card) {
    Session session(global, console);
    if (const int code = session.openLink()) return code;
    Json j;
    j["port"] = session.portPath();
    if (card) {
        EscInfo info{};
        FirmwareIdentity words;
        if (const int code = session.identifyCard(info, words)) return code;
        console.out("device:   program card");
        console.out("model:    " + words.cardModelName());
        console.out("firmware: " + words.cardFirmware());
        j["device"] = "card";
        j["model"] = words.cardModelName();
        j["firmware"] = words.cardFirmware();
    } else {
        EscIdentity id;
        if (const int code = session.identifyEsc(id, true)) return code;
        char typeCode[8];
        std::snprintf(typeCode, sizeof typeCode, "0x%02X", id.info[kEscInfoTypeCode]);
        console.out("device:   ESC");
        console.out("model:    " + id.words.escModelName());
        console.out("hardware: " + id.words.escHardwareVersion());
        console.out("firmware: " + id.words.escFirmware());
        console.out(std::string("family:   ") + escFamilyName(id.family) + " (type code " +
                    typeCode + ")");
        console.out("version:  " + id.versionText);
        j["device"] = "esc";
        j["model"] = id.words.escModelName();
        j["hardwareVersion"] = id.words.escHardwareVersion();
        j["firmware"] = id.words.escFirmware();
        j["family"] = escFamilyName(id.family);
        j["typeCode"] = static_cast<int>(id.info[kEscInfoTypeCode]);
        j["version"] = id.versionText;
    }
    console.document(j);
    return kExitOk;
}

}  // namespace orvek::cli
