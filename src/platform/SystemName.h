#pragma once
// The operating system in words, for the header of a diagnostic log: the release as the system
// names it, the kernel and the machine.
#include <string>

namespace orvek {

// e.g. "Debian GNU/Linux 12 (bookworm); Linux 6.1.0-18-amd64 x86_64", or
// "Windows 10.0 build 19045; x64". Whatever part cannot be read is left out.
std::string systemDescription();

}  // namespace orvek
