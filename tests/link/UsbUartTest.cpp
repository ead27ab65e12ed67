// The serial link against the simulator on a real pseudo-terminal.
#include <gtest/gtest.h>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <numeric>
#include <thread>

#include "link/CommandSet.h"
#include "platform/Clock.h"
#include "support/SimLink.h"

namespace orvek {
namespace {

using sim::Peer;
using testing::receivedBytes;
using testing::simAs;
using testing::SimLink;

std::uint32_t elapsedSince(std::uint32_t start) { return tickCount() - start; }

TEST(UsbUart, OpenIsIdempotentAndDoesNoIoWhenOpen) {
    SimLink s;
    ASSERT_TRUE(s.ok);
    EXPECT_EQ(s.link.portOpen(), 1);
    const auto before = s.link.ioCount();
    EXPECT_EQ(s.link.openPort(), 0);
    EXPECT_EQ(s.link.openPort(), 0);
    EXPECT_EQ(s.link.ioCount(), before);
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_TRUE(s.sim.received().empty());
}

TEST(UsbUart, OpenFailsWithoutAPortAndRetriesLater) {
    UsbUart link;
    link.setPortOverride("/nonexistent/ttyUSB9");
    EXPECT_EQ(link.openPort(), 1);
    EXPECT_EQ(link.portOpen(), 0);

    sim::Simulator sim;
    ASSERT_TRUE(sim.start());
    link.setPortOverride(sim.devicePath());
    EXPECT_EQ(link.openPort(), 0);  // the next attempt looks again
    EXPECT_EQ(link.portOpen(), 1);

    UsbUart second;  // another program on the same port is kept out
    second.setPortOverride(sim.devicePath());
    EXPECT_EQ(second.openPort(), 1);
}

TEST(UsbUart, OnlyATerminalOpensAndEverythingElseIsToldByItsKind) {
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("orvek-kinds-" + std::to_string(::getpid()));
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder / "folder");
    std::ofstream(folder / "file") << "x";
    ASSERT_EQ(::mkfifo((folder / "fifo").c_str(), 0600), 0);
    // A listening socket: the one kind open() itself cannot tell.
    const int sock = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::string socketPath = (folder / "socket").string();
    std::strncpy(address.sun_path, socketPath.c_str(), sizeof address.sun_path - 1);
    ASSERT_EQ(::bind(sock, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    const struct {
        std::filesystem::path path;
        SerialPort::PathKind kind;
    } refused[] = {{folder / "file", SerialPort::PathKind::RegularFile},
                   {folder / "folder", SerialPort::PathKind::Folder},
                   {folder / "fifo", SerialPort::PathKind::Pipe},
                   {folder / "socket", SerialPort::PathKind::Socket},
                   {"/dev/null", SerialPort::PathKind::OtherDevice}};
    for (const auto& r : refused) {
        SCOPED_TRACE(r.path.string());
        UsbUart link;
        link.setPortOverride(r.path.string());
        EXPECT_EQ(link.openPort(), 1);
        EXPECT_EQ(link.openFailure(), SerialPort::OpenFailure::NotATerminal);
        EXPECT_EQ(link.refusedPathKind(), r.kind);
        EXPECT_EQ(link.ioCount(), 0u);
    }
    // A link to a terminal is a terminal.
    sim::Simulator sim;
    ASSERT_TRUE(sim.start());
    std::filesystem::create_symlink(sim.devicePath(), folder / "tty");
    UsbUart link;
    link.setPortOverride((folder / "tty").string());
    EXPECT_EQ(link.openPort(), 0);
    EXPECT_EQ(link.openFailure(), SerialPort::OpenFailure::None);
    link.closePort();
    ::close(sock);
    std::filesystem::remove_all(folder);
}

TEST(UsbUart, CommandConsumesItsEchoAndReplyFollows) {
    SimLink s;
    ASSERT_TRUE(s.ok);
    EXPECT_EQ(s.link.sendCommand(0xD5), LinkStatus::Ok);
    EXPECT_EQ(s.link.rxBuffer()[0], 0xD5);  // the echo
    EXPECT_EQ(s.link.bytesWritten(), 1u);
    EXPECT_EQ(s.link.readReply(1, 150), LinkStatus::Ok);
    EXPECT_EQ(s.link.rxBuffer()[0], 0x26);
    EXPECT_EQ(s.link.bytesRead(), 1u);
    EXPECT_EQ(receivedBytes(s.sim), std::vector<std::uint8_t>{0xD5});
}

TEST(UsbUart, CommandSucceedsWithoutEchoAfterTheEchoLimit) {
    SimLink s;
    ASSERT_TRUE(s.ok);
    sim::Faults f;
    f.echo = false;
    f.silent = true;
    s.sim.setFaults(f);
    const auto start = tickCount();
    EXPECT_EQ(s.link.sendCommand(0xD5), LinkStatus::Ok);
    const auto spent = elapsedSince(start);
    EXPECT_GE(spent, 990u);
    EXPECT_LT(spent, 1500u);
}

TEST(UsbUart, ReplyStatusCodes) {
    SimLink s;
    ASSERT_TRUE(s.ok);
    // Complete 23-byte reply.
    ASSERT_EQ(s.link.sendCommand(0xD8), LinkStatus::Ok);
    EXPECT_EQ(s.link.readReply(23, 500), LinkStatus::Ok);
    EXPECT_EQ(s.link.rxBuffer()[22], 0xDD);

    // One byte short when the limit expires: 2, not 3; the buffer keeps the echo and the
    // partial reply is purged.
    sim::Faults f;
    f.shortAnswerBy = 1;
    s.sim.setFaults(f);
    ASSERT_EQ(s.link.sendCommand(0xD8), LinkStatus::Ok);
    const auto start = tickCount();
    EXPECT_EQ(s.link.readReply(23, 300), LinkStatus::Timeout);
    EXPECT_GE(elapsedSince(start), 290u);
    EXPECT_EQ(s.link.rxBuffer()[0], 0xD8);
    EXPECT_EQ(s.link.readReply(1, 50), LinkStatus::Timeout);  // nothing left over

    // The line ends in the middle of the reply: the read completes short, 3.
    ASSERT_EQ(s.link.sendCommand(0xD8), LinkStatus::Ok);
    std::thread cut([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        s.sim.dropLine();
    });
    EXPECT_EQ(s.link.readReply(23, 1000), LinkStatus::WrongCount);
    EXPECT_EQ(s.link.bytesRead(), 22u);
    cut.join();
}

TEST(UsbUart, LateAnswerBehindThePurgeIsNotTakenForTheEcho) {
    // A bootloader that answers every hello, on a line paced at 19200 baud: the answer to one
    // hello arrives just after the purge of the next.
    SimLink s(simAs(Peer::EscBootloader, true));
    ASSERT_TRUE(s.ok);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(s.link.sendCommand(0xD6), LinkStatus::Ok);
        EXPECT_EQ(s.link.rxBuffer()[0], 0xD6) << "hello " << i;
    }
    s.link.readReply(1, 1000);
    EXPECT_EQ(s.link.rxBuffer()[0], 0xD7);
    EXPECT_EQ(receivedBytes(s.sim), std::vector<std::uint8_t>(4, 0xD6));  // nothing resent
}

TEST(UsbUart, PairAcknowledgementRules) {
    SimLink s;
    ASSERT_TRUE(s.ok);
    const std::uint8_t pair[2] = {0xE2, 0x20};
    EXPECT_EQ(s.link.sendPair(pair), LinkStatus::Ok);
    EXPECT_EQ(s.sim.settings()[1], 0x20);

    sim::Faults f;
    f.nakPairIndex = 1;  // 0xE2 answered 0x00
    s.sim.setFaults(f);
    EXPECT_EQ(s.link.sendPair(pair), LinkStatus::TxFailed);

    f = {};
    f.wrongAnswer = 0x02;
    s.sim.setFaults(f);
    EXPECT_EQ(s.link.sendPair(pair), LinkStatus::TxFailed);

    f = {};
    f.silent = true;
    s.sim.setFaults(f);
    const auto start = tickCount();
    EXPECT_EQ(s.link.sendPair(pair), LinkStatus::TxFailed);
    EXPECT_GE(elapsedSince(start), 1990u);

    s.sim.setFaults({});
    EXPECT_EQ(s.link.sendPair(pair), LinkStatus::Ok);
}

TEST(UsbUart, FrameEchoSecondReadOnlyAfterAShortSuccess) {
    SimLink s(simAs(Peer::EscBootloader));
    ASSERT_TRUE(s.ok);
    const std::uint8_t frame[6] = {0x3A, 0x00, 0x00, 0x00, 0x01, 0xFF};
    EXPECT_EQ(s.link.sendFrame(frame, 6), LinkStatus::Ok);
    EXPECT_EQ(s.link.bytesRead(), 6u);
    EXPECT_EQ(0, std::memcmp(s.link.rxBuffer(), frame, 6));

    // No echo at all: the first read fails after its 200 ms and no second read follows.
    sim::Faults f;
    f.echo = false;
    s.sim.setFaults(f);
    const auto start = tickCount();
    const auto before = s.link.ioCount();
    EXPECT_EQ(s.link.sendFrame(frame, 6), LinkStatus::Ok);
    const auto spent = elapsedSince(start);
    EXPECT_EQ(s.link.ioCount() - before, 2u);  // the write and one read
    EXPECT_GE(spent, 195u);
    EXPECT_LT(spent, 290u);
}

TEST(UsbUart, FrameEchoCutShortIsReadOnceMore) {
    SimLink s(simAs(Peer::EscBootloader));
    ASSERT_TRUE(s.ok);
    const std::uint8_t frame[10] = {0x3A, 1, 2, 3, 4, 5, 6, 7, 8, 9};
    // Echo complete: one write, one read.
    auto before = s.link.ioCount();
    EXPECT_EQ(s.link.sendFrame(frame, 10), LinkStatus::Ok);
    EXPECT_EQ(s.link.ioCount() - before, 2u);

    // The line ends after half the echo: the first read succeeds short and a second read
    // goes for the rest.
    sim::Faults f;
    f.dropAfterBytes = 15;  // 10 of the frame above, then 5 of this one
    s.sim.setFaults(f);
    before = s.link.ioCount();
    EXPECT_EQ(s.link.sendFrame(frame, 10), LinkStatus::Ok);
    EXPECT_EQ(s.link.ioCount() - before, 3u);
    EXPECT_EQ(s.link.bytesRead(), 5u);  // the second read found the line gone and stored nothing
    EXPECT_EQ(0, std::memcmp(s.link.rxBuffer(), frame, 5));
}

TEST(UsbUart, LongFrameEchoIsTakenWithoutOverrun) {
    SimLink s(simAs(Peer::CardBootloader));
    ASSERT_TRUE(s.ok);
    sim::Faults quiet;
    quiet.silent = true;  // only the adapter's echo comes back
    s.sim.setFaults(quiet);
    std::vector<std::uint8_t> frame(65537);
    for (std::size_t i = 0; i < frame.size(); ++i) frame[i] = static_cast<std::uint8_t>(i * 7 + 3);
    EXPECT_EQ(s.link.sendFrame(frame.data(), static_cast<std::uint32_t>(frame.size())),
              LinkStatus::Ok);
    EXPECT_EQ(s.link.bytesRead(), 65537u);
    EXPECT_EQ(0, std::memcmp(s.link.rxBuffer(), frame.data(), kRxBufferSize));
    EXPECT_EQ(receivedBytes(s.sim), frame);
    // The line is clean afterwards: the next exchange reads its own echo.
    EXPECT_EQ(s.link.sendCommand(0xD6), LinkStatus::Ok);
    EXPECT_EQ(s.link.rxBuffer()[0], 0xD6);
}

TEST(UsbUart, LongFrameWithoutItsEchoStillCountsAsSent) {
    // As for a short frame, a missing echo is no error by itself: the device's answer decides,
    // so a silent card reads as one that did not answer, not as a frame that was not sent.
    SimLink s(simAs(Peer::CardBootloader));
    ASSERT_TRUE(s.ok);
    sim::Faults mute;
    mute.echo = false;
    mute.silent = true;
    s.sim.setFaults(mute);
    const std::vector<std::uint8_t> frame(300, 0x5A);
    EXPECT_EQ(s.link.sendFrame(frame.data(), 300), LinkStatus::Ok);
    EXPECT_EQ(s.link.bytesWritten(), 300u);
    EXPECT_FALSE(s.link.lineLost());
    EXPECT_EQ(receivedBytes(s.sim), frame);
    EXPECT_EQ(sendBlockFrame(s.link, frame.data(), 300), BlockAnswer::NoAnswer);
}

TEST(UsbUart, PulledLineFailsWritesAtOnceAndIsToldFromASilentDevice) {
    SimLink s;
    ASSERT_TRUE(s.ok);
    // A device that does not answer fails reads only: the line is still there.
    sim::Faults silent;
    silent.silent = true;
    s.sim.setFaults(silent);
    EXPECT_EQ(s.link.sendCommand(0xD5), LinkStatus::Ok);
    EXPECT_EQ(s.link.readReply(1, 100), LinkStatus::Timeout);
    EXPECT_FALSE(s.link.lineLost());

    s.sim.dropLine();
    const auto start = tickCount();
    EXPECT_EQ(s.link.sendCommand(0xD5), LinkStatus::TxFailed);
    EXPECT_TRUE(s.link.lineLost());
    const std::uint8_t pair[2] = {0xE1, 0x00};
    EXPECT_EQ(s.link.sendPair(pair), LinkStatus::TxFailed);
    EXPECT_EQ(s.link.sendFrame(pair, 2), LinkStatus::TxFailed);
    EXPECT_EQ(s.link.readReply(1, 100), LinkStatus::Timeout);
    EXPECT_LT(elapsedSince(start), 500u);
    s.link.closePort();
    EXPECT_EQ(s.link.portOpen(), 0);
    EXPECT_EQ(s.link.usbState(), UsbState::NoPort);
    EXPECT_EQ(s.link.escState(), EscState::NotProbed);
    EXPECT_TRUE(s.link.lineLost()) << "still known to whoever reports the failure";
}

TEST(UsbUart, LegacyPlatformWaitsBeforeEveryReply) {
    SimLink s;
    ASSERT_TRUE(s.ok);
    s.link.setLegacyPlatform(1);
    ASSERT_EQ(s.link.sendCommand(0xD5), LinkStatus::Ok);
    const auto start = tickCount();
    EXPECT_EQ(s.link.readReply(1, 150), LinkStatus::Ok);  // the answer was already there
    EXPECT_GE(elapsedSince(start), 100u);
    EXPECT_EQ(s.link.rxBuffer()[0], 0x26);
}

}  // namespace
}  // namespace orvek
