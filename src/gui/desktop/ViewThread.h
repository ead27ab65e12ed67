#pragma once
// The session's calls reach the window and its pages on the window's thread only. One that
// arrives on another thread is a hand-off fault: it is counted, warned about and not run, so
// that no widget is ever touched from the device thread. Tests assert the count stays 0.
#include <QObject>
#include <QThread>
#include <QtGlobal>

#include <atomic>

namespace orvek::viewThread {

inline std::atomic<int>& callsOffThread() {
    static std::atomic<int> count{0};
    return count;
}

// True when the caller runs on the thread of `view`.
inline bool onThreadOf(const QObject& view) {
    if (QThread::currentThread() == view.thread()) return true;
    ++callsOffThread();
    qWarning("a session call reached a view from another thread; ignored");
    return false;
}

}  // namespace orvek::viewThread
