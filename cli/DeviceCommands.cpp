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
    j.beginObject().key("ports").beginArray();
    for (const SerialAdapter& a : ports) {
        const bool selected = a.devicePath == chosen;
        console.out(std::string(selected ? "* " : "  ") + a.devicePath + "  " + a.vendorId + ":" +
                    a.productId + (a.serial.empty() ? "" : "  serial " + a.serial) +
                    (a.isOrvekAdapter() ? "" : "  (not an ORVEK adapter)"));
        j.beginObject()
            .key("path")
            .value(a.devicePath)
            .key("vendor")
            .value(a.vendorId)
            .key("product")
            .value(a.productId)
            .key("serial")
            .value(a.serial)
            .key("adapter")
            .value(a.isOrvekAdapter())
            .key("selected")
            .value(selected)
            .endObject();
    }
    j.endArray();
    j.key("selected");
    if (chosen.empty()) {
        j.null();
    } else {
        j.value(chosen);
    }
    j.endObject();
    if (ports.empty()) console.out("no USB serial adapters found");
    if (!chosen.empty() && (ports.empty() || chosen != discovery.findAdapterPort())) {
        console.out("* " + chosen + "  (given)");
    }
    console.document(j.text());
    return kExitOk;
}

int runInfo(const GlobalOptions& global, const Console& console, bool card) {
    Session session(global, console);
    if (const int code = session.openLink()) return code;
    Json j;
    j.beginObject().key("port").value(session.portPath());
    if (card) {
        EscInfo info{};
        FirmwareIdentity words;
        if (const int code = session.identifyCard(info, words)) return code;
        console.out("device:   program card");
        console.out("model:    " + words.cardModelName());
        console.out("firmware: " + words.cardFirmware());
        j.key("device")
            .value("card")
            .key("model")
            .value(words.cardModelName())
            .key("firmware")
            .value(words.cardFirmware());
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
        j.key("device")
            .value("esc")
            .key("model")
            .value(id.words.escModelName())
            .key("hardwareVersion")
            .value(id.words.escHardwareVersion())
            .key("firmware")
            .value(id.words.escFirmware())
            .key("family")
            .value(escFamilyName(id.family))
            .key("typeCode")
            .value(static_cast<int>(id.info[kEscInfoTypeCode]))
            .key("version")
            .value(id.versionText);
    }
    j.endObject();
    console.document(j.text());
    return kExitOk;
}

}  // namespace orvek::cli
