#pragma once
// The fixed texts an update shows.

namespace orvek::updateText {
constexpr const char* UsbConnection = "USB Connection Error!";
constexpr const char* EscConnection = "ESC Connection Error!";
constexpr const char* CardConnection = "Program Card Connection Error!";
constexpr const char* ReadFile = "Read File Error!";
constexpr const char* HelloTimeout = "Update Error: TX=0xd6, TX Timeover!";
constexpr const char* SyncTimeout = "Update Error: TX=0x39, TX Timeover!";
constexpr const char* StartTimeout = "Update Error: TX=0x31, TX Timeover!";
constexpr const char* ReadyTimeout = "Update Error: TX=0xd7, TX Timeover!";
constexpr const char* NoReady = "Update Error: TX=0xd7, RX!=0xd8!";
constexpr const char* NoHelloAnswer = "Update Error: TX=0xd6, RX!=0xd7!";
constexpr const char* DataTransfer = "Update Error: Data transfer error!";
constexpr const char* NoAck = "Update Error: Data transfer no ack!";
constexpr const char* Crc = "Update Error: Data transfer crc error!";
constexpr const char* RepeatOverFour = "Update Error: repeat Data transfer over four time!";
constexpr const char* ByteCount = "Update Error: transfer bytes number error!";
// Not a device failure: the update was asked to stop (UpdateJob::abortRequested).
constexpr const char* Stopped = "Update Error: stopped on request!";
}  // namespace orvek::updateText
