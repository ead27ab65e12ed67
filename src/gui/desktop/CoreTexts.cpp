// The fixed texts the core hands the window in English (boxes, the note under the page buttons,
// the series' line and rows), listed here so that lupdate puts them into the .ts files: the
// window translates each by exact match when it shows it (coreText). A part that varies (a
// number, a family, a file's name) stands as %1, %2 ...; tests/gui/desktop checks the list
// against the core's own constants.
#include "gui/desktop/Translation.h"

namespace orvek {

const std::vector<const char*>& coreTexts() {
    static const std::vector<const char*> texts = {
        // Boxes of the monitor, the settings write and the firmware updates.
        QT_TRANSLATE_NOOP("Messages", "USB Connection Error!"),
        QT_TRANSLATE_NOOP("Messages", "ESC Connection Error!"),
        QT_TRANSLATE_NOOP("Messages", "Program Card Connection Error!"),
        QT_TRANSLATE_NOOP("Messages", "Read File Error!"),
        QT_TRANSLATE_NOOP("Messages", "Write File Error!"),
        QT_TRANSLATE_NOOP("Messages", "Send fail"),
        QT_TRANSLATE_NOOP("Messages", "Send Fail"),
        QT_TRANSLATE_NOOP("Messages", "Update Error: TX=0xd6, TX Timeover!"),
        QT_TRANSLATE_NOOP("Messages", "Update Error: TX=0x39, TX Timeover!"),
        QT_TRANSLATE_NOOP("Messages", "Update Error: TX=0x31, TX Timeover!"),
        QT_TRANSLATE_NOOP("Messages", "Update Error: TX=0xd7, TX Timeover!"),
        QT_TRANSLATE_NOOP("Messages", "Update Error: TX=0xd7, RX!=0xd8!"),
        QT_TRANSLATE_NOOP("Messages", "Update Error: TX=0xd6, RX!=0xd7!"),
        QT_TRANSLATE_NOOP("Messages", "Update Error: Data transfer error!"),
        QT_TRANSLATE_NOOP("Messages", "Update Error: Data transfer no ack!"),
        QT_TRANSLATE_NOOP("Messages", "Update Error: Data transfer crc error!"),
        QT_TRANSLATE_NOOP("Messages", "Update Error: repeat Data transfer over four time!"),
        QT_TRANSLATE_NOOP("Messages", "Update Error: transfer bytes number error!"),
        QT_TRANSLATE_NOOP("Messages", "Update Error: stopped on request!"),
        // Lines of the settings files' boxes (the rest of such a box names files and settings).
        QT_TRANSLATE_NOOP("Messages", "Do you want to replace it?"),
        QT_TRANSLATE_NOOP("Messages",
                          "These settings were left unchanged: their values match no option of the "
                          "lists as they are filled now."),
        // Why Save as Setup Sheet refuses a name or a value (the dialog makes them sentences).
        QT_TRANSLATE_NOOP("Messages", "a sheet needs a name"),
        QT_TRANSLATE_NOOP("Messages",
                          "a sheet name must be UTF-8 text; this one holds bytes that are not"),
        QT_TRANSLATE_NOOP("Messages",
                          "a sheet name may not hold a tab, line break or other control character"),
        QT_TRANSLATE_NOOP("Messages",
                          "a sheet name may not hold any of : * ? \" < > | / \\ (Windows file "
                          "names cannot)"),
        QT_TRANSLATE_NOOP("Messages", "a sheet name may not be only spaces"),
        QT_TRANSLATE_NOOP("Messages", "a sheet name may not start with a dot"),
        QT_TRANSLATE_NOOP("Messages",
                          "a sheet name may not end in a dot or a space (Windows drops them from "
                          "file names)"),
        QT_TRANSLATE_NOOP("Messages",
                          "a sheet name may not be CON, PRN, AUX, NUL, COM1 to COM9 or LPT1 to "
                          "LPT9, with or without an extension (Windows keeps these names for "
                          "devices)"),
        QT_TRANSLATE_NOOP("Messages", "a sheet name may be at most 100 characters long"),
        QT_TRANSLATE_NOOP("Messages", "the memo holds a line break; a sheet keeps one line"),
        QT_TRANSLATE_NOOP("Messages", "the %1 value holds a line break; a sheet keeps one line"),
        QT_TRANSLATE_NOOP("Messages",
                          "the memo is %1 bytes long; a sheet keeps at most %2 (a plain letter "
                          "takes 1 byte, an accented one 2, a Japanese character 3)"),
        QT_TRANSLATE_NOOP("Messages",
                          "the %1 value is %2 bytes long; a sheet keeps at most %3 (a plain letter "
                          "takes 1 byte, an accented one 2, a Japanese character 3)"),
        // The write series.
        QT_TRANSLATE_NOOP("Messages", "A write series is running. End it first."),
        QT_TRANSLATE_NOOP("Messages",
                          "The page shows no ESC's settings to write. Identify an ESC or load a "
                          "setup sheet first."),
        QT_TRANSLATE_NOOP("Messages", "Plug in the next ESC"),
        QT_TRANSLATE_NOOP("Messages", "Unplug the ESC on the line (or power it off)"),
        QT_TRANSLATE_NOOP("Messages", "Unplug ESC %1 (or power it off)"),
        QT_TRANSLATE_NOOP("Messages", "Writing ESC %1\u2026"),
        QT_TRANSLATE_NOOP("Messages", "Series ended: %1 ESC"),
        QT_TRANSLATE_NOOP("Messages", "Series ended: %1 ESCs"),
        // A refused or failed ESC's reason, and where the values came from.
        QT_TRANSLATE_NOOP("Messages", "the values are for %1; this is %2"),
        QT_TRANSLATE_NOOP("Messages", "an Expert ESC"),
        QT_TRANSLATE_NOOP("Messages", "a Stock ESC"),
        QT_TRANSLATE_NOOP("Messages", "a Blinky ESC"),
        QT_TRANSLATE_NOOP("Messages", "an Unlisted ESC"),
        QT_TRANSLATE_NOOP("Messages", "unknown ESC type code %1"),
        QT_TRANSLATE_NOOP("Messages", "its settings could not be read"),
        QT_TRANSLATE_NOOP("Messages", "the values could not be read: %1"),
        QT_TRANSLATE_NOOP("Messages", "%1: \"%2\" matches no option on this ESC"),
        QT_TRANSLATE_NOOP("Messages",
                          "Send fail (pair %1 of %2, register %3, was not acknowledged)"),
        QT_TRANSLATE_NOOP("Messages", "Send Fail (the commit byte could not be sent)"),
        QT_TRANSLATE_NOOP("Messages",
                          "write stopped after %1 of %2 pairs: the ESC holds an unfinished write, "
                          "not committed, until the settings are written again or it is powered "
                          "off"),
        QT_TRANSLATE_NOOP("Messages",
                          "the settings were sent but could not be read back to verify them"),
        QT_TRANSLATE_NOOP("Messages", "verification failed: %1"),
        QT_TRANSLATE_NOOP("Messages", "setup sheet %1"),
        QT_TRANSLATE_NOOP("Messages", "settings file %1"),
        QT_TRANSLATE_NOOP("Messages", "record #%1"),
        QT_TRANSLATE_NOOP("Messages", "written and verified"),
        QT_TRANSLATE_NOOP("Messages", "already equal"),
        QT_TRANSLATE_NOOP("Messages", "refused"),
        QT_TRANSLATE_NOOP("Messages", "failed"),
        // What a history record holds, in the history dialog's Kind column.
        QT_TRANSLATE_NOOP("Messages", "read"),
        QT_TRANSLATE_NOOP("Messages", "write"),
        QT_TRANSLATE_NOOP("Messages", "defaults"),
        QT_TRANSLATE_NOOP("Messages", "backup"),
        QT_TRANSLATE_NOOP("Messages", "update"),
        // Where a record's values came from, in the history dialog's Source column.
        QT_TRANSLATE_NOOP("Messages", "device"),
        QT_TRANSLATE_NOOP("Messages", "page"),
        QT_TRANSLATE_NOOP("Messages", "sheet"),
        QT_TRANSLATE_NOOP("Messages", "file"),
        QT_TRANSLATE_NOOP("Messages", "history"),
        QT_TRANSLATE_NOOP("Messages", "series"),
        // The settings history's notices (those naming a file or an error stay as they come).
        QT_TRANSLATE_NOOP("Messages",
                          "The settings history is locked by another program; this was not "
                          "recorded."),
        QT_TRANSLATE_NOOP("Messages",
                          "The settings history cannot grow: the disk is full; this was not "
                          "recorded."),
        QT_TRANSLATE_NOOP("Messages",
                          "The settings history was written by a newer version of the program; it "
                          "is left as it is and nothing is recorded."),
        QT_TRANSLATE_NOOP("Messages", "No such record in the settings history."),
        // The note under the page buttons.
        QT_TRANSLATE_NOOP("Messages",
                          "No permission to open the adapter's port. Install the ORVEK Link udev "
                          "rule (the package does) and plug the adapter in again, or join the "
                          "dialout group and log in again."),
        QT_TRANSLATE_NOOP("Messages",
                          "Windows refused the adapter's COM port. Close any other program that "
                          "uses it, or plug the adapter in again and check its CP210x driver in "
                          "the Device Manager."),
    };
    return texts;
}

// The buttons of Qt's own boxes and dialogs (OK, Yes, No ...), which Qt asks for under this
// context: our .qm files carry them, so that no other translation needs to be installed.
const std::vector<const char*>& standardButtonTexts() {
    static const std::vector<const char*> texts = {
        QT_TRANSLATE_NOOP("QPlatformTheme", "OK"),    QT_TRANSLATE_NOOP("QPlatformTheme", "&Yes"),
        QT_TRANSLATE_NOOP("QPlatformTheme", "&No"),   QT_TRANSLATE_NOOP("QPlatformTheme", "Cancel"),
        QT_TRANSLATE_NOOP("QPlatformTheme", "Close"), QT_TRANSLATE_NOOP("QPlatformTheme", "Save"),
        QT_TRANSLATE_NOOP("QPlatformTheme", "Open"),
    };
    return texts;
}

// The eighteen settings' names (the files' keys) and the setup sheets' info fields, for lupdate:
// shown translated on screen, written in English into every file.
const std::vector<const char*>& settingNames() {
    static const std::vector<const char*> names = {
        QT_TRANSLATE_NOOP("SettingName", "Operation Mode"),
        QT_TRANSLATE_NOOP("SettingName", "Reverse Speed"),
        QT_TRANSLATE_NOOP("SettingName", "Low Volt Cut"),
        QT_TRANSLATE_NOOP("SettingName", "Drag Brake"),
        QT_TRANSLATE_NOOP("SettingName", "Initial Brake"),
        QT_TRANSLATE_NOOP("SettingName", "Full Brake"),
        QT_TRANSLATE_NOOP("SettingName", "Brake Frequency"),
        QT_TRANSLATE_NOOP("SettingName", "Power Profile"),
        QT_TRANSLATE_NOOP("SettingName", "Drive Frequency"),
        QT_TRANSLATE_NOOP("SettingName", "Neutral DeadBand"),
        QT_TRANSLATE_NOOP("SettingName", "Temp Cut Set"),
        QT_TRANSLATE_NOOP("SettingName", "Boost Timing"),
        QT_TRANSLATE_NOOP("SettingName", "Boost RPM"),
        QT_TRANSLATE_NOOP("SettingName", "Boost ACC"),
        QT_TRANSLATE_NOOP("SettingName", "Turbo Timing"),
        QT_TRANSLATE_NOOP("SettingName", "Turbo Slope"),
        QT_TRANSLATE_NOOP("SettingName", "Turbo Delay"),
        QT_TRANSLATE_NOOP("SettingName", "Rotation Mode"),
        QT_TRANSLATE_NOOP("SettingName", "Driver"),
        QT_TRANSLATE_NOOP("SettingName", "Date"),
        QT_TRANSLATE_NOOP("SettingName", "Event"),
        QT_TRANSLATE_NOOP("SettingName", "Firmware"),
        QT_TRANSLATE_NOOP("SettingName", "Motor"),
        QT_TRANSLATE_NOOP("SettingName", "Gear Ratio"),
        QT_TRANSLATE_NOOP("SettingName", "Timing"),
        QT_TRANSLATE_NOOP("SettingName", "Rotor"),
        QT_TRANSLATE_NOOP("SettingName", "Track Name"),
        QT_TRANSLATE_NOOP("SettingName", "Track Type"),
        QT_TRANSLATE_NOOP("SettingName", "Track Design"),
        QT_TRANSLATE_NOOP("SettingName", "Traction Level"),
        QT_TRANSLATE_NOOP("SettingName", "Temp Track"),
    };
    return names;
}

}  // namespace orvek
