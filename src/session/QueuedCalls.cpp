#include "session/QueuedCalls.h"

#include <QMetaObject>
#include <QObject>
#include <QThread>

namespace orvek {

namespace {

// One waited-for call: whether it has started, finished, or was given up by its caller.
struct Waited {
    bool started = false;
    bool finished = false;
    bool abandoned = false;
};

}  // namespace

QueuedCalls::QueuedCalls(QObject* context)
    : context_(context), shared_(std::make_shared<Shared>()) {}

void QueuedCalls::post(std::function<void()> call) const {
    std::lock_guard<std::mutex> lock(shared_->mutex);
    // Posting under the lock: close() cannot slip in between the check and the post.
    if (shared_->closed) return;
    QMetaObject::invokeMethod(context_, std::move(call), Qt::QueuedConnection);
}

bool QueuedCalls::runAndWait(std::function<void()> call) const {
    if (onContextThread()) {
        if (closed()) return false;
        call();
        return true;
    }
    auto waited = std::make_shared<Waited>();
    auto shared = shared_;
    {
        std::lock_guard<std::mutex> lock(shared->mutex);
        if (shared->closed) return false;
        QMetaObject::invokeMethod(
            context_,
            [shared, waited, call = std::move(call)] {
                {
                    std::lock_guard<std::mutex> inner(shared->mutex);
                    // The caller has gone: what the call refers to may be gone with it.
                    if (waited->abandoned) return;
                    waited->started = true;
                }
                call();
                std::lock_guard<std::mutex> inner(shared->mutex);
                waited->finished = true;
                shared->changed.notify_all();
            },
            Qt::QueuedConnection);
    }
    std::unique_lock<std::mutex> lock(shared->mutex);
    shared->changed.wait(lock,
                         [&] { return waited->finished || (shared->closed && !waited->started); });
    if (waited->finished) return true;
    waited->abandoned = true;
    return false;
}

void QueuedCalls::close() {
    std::lock_guard<std::mutex> lock(shared_->mutex);
    shared_->closed = true;
    shared_->changed.notify_all();
}

bool QueuedCalls::closed() const {
    std::lock_guard<std::mutex> lock(shared_->mutex);
    return shared_->closed;
}

bool QueuedCalls::onContextThread() const { return QThread::currentThread() == context_->thread(); }

}  // namespace orvek
