#pragma once
// Runs the calling thread's events until a condition holds, for tests, picture tools and
// benchmarks that drive a session without its timers. The program itself never pumps events.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

#include <functional>

namespace orvek::driving {

// Runs the events until `done` holds or `ms` have passed; the result of `done`.
inline bool pumpUntil(const std::function<bool()>& done, int ms = 20000) {
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < ms) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        if (!done()) QThread::msleep(1);
    }
    return done();
}

}  // namespace orvek::driving
