// Opening a web address on Windows: the shell hands it to the browser the racer has chosen, as
// a double click on a link would. Its outcome is the shell's; nothing is reported back.
#include <windows.h>

#include <shellapi.h>

#include <string>

#include "gui/desktop/UrlOpener.h"

namespace orvek {

void DesktopUrlOpener::open(const std::string& link) {
    const QUrl url = urlForLink(link);
    if (!url.isValid() || url.isEmpty()) return;
    const std::wstring address = url.toString(QUrl::FullyEncoded).toStdWString();
    ::ShellExecuteW(nullptr, L"open", address.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace orvek
