#pragma once
// A pseudo-terminal pair owned as one object: the simulator speaks on the master end and the
// tool opens the device end by its path, exactly as it would open an adapter's tty.
#include <string>

namespace orvek::sim {

class PseudoTerminal {
public:
    PseudoTerminal() = default;
    ~PseudoTerminal();
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    bool open();
    // Closes both ends, as if the adapter's cable were pulled.
    void close();

    int masterFd() const { return master_; }
    const std::string& devicePath() const { return path_; }
    bool isOpen() const { return master_ >= 0; }

private:
    int master_ = -1;
    int slaveKeeper_ = -1;  // keeps the device end alive while the tool closes and reopens it
    std::string path_;
};

}  // namespace orvek::sim
