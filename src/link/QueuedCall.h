#pragma once

#include <utility>

#include <QMetaObject>
#include <QObject>

// ThreadSanitizer's own hooks; Qt's event queue is built without them.
#if defined(__SANITIZE_THREAD__)
#define QMCAL_SHOW_HANDOFFS 1
#elif defined(__has_feature)
#if __has_feature(thread_sanitizer)
#define QMCAL_SHOW_HANDOFFS 1
#endif
#endif

#ifdef QMCAL_SHOW_HANDOFFS
extern "C" void __tsan_acquire(void* address);
extern "C" void __tsan_release(void* address);
#endif

namespace qmcal {

// The address ThreadSanitizer keeps the hand-offs' order at; never written.
inline constexpr char kHandOffChannel = 0;

// A queued call orders everything its caller did before the call runs, but the order lies in
// Qt's event queue, which ThreadSanitizer cannot see. These tell it where a hand-off is, and
// are nothing in other builds.
inline void HandOffSent()
{
#ifdef QMCAL_SHOW_HANDOFFS
    __tsan_release(const_cast<char*>(&kHandOffChannel));
#endif
}

inline void HandOffReceived()
{
#ifdef QMCAL_SHOW_HANDOFFS
    __tsan_acquire(const_cast<char*>(&kHandOffChannel));
#endif
}

// Tells of a queued call's hand-off from inside the call: Qt moves the call into an object it
// makes with new, and the hand-off must come after those writes, so it is told on each move.
struct HandOffMark {
    HandOffMark() = default;
    HandOffMark(const HandOffMark&) { HandOffSent(); }
    HandOffMark(HandOffMark&&) noexcept { HandOffSent(); }
    HandOffMark& operator=(const HandOffMark&) = delete;
    HandOffMark& operator=(HandOffMark&&) = delete;
    ~HandOffMark() = default;
};

// Runs call on target's thread, from its event loop, after what was queued there before.
template <typename Call>
void QueueCall(QObject* target, Call call)
{
    // The mark is captured last, so that its moves come after the call's.
    QMetaObject::invokeMethod(
        target,
        [call = std::move(call), mark = HandOffMark()]() mutable {
            HandOffReceived();
            call();
        },
        Qt::QueuedConnection);
}

} // namespace qmcal
