#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <mutex>
#include <thread>

namespace qmcal::test {

// Runs what on this thread. One that has not returned within limit ends the test executable
// with a message naming it, instead of hanging it until the test runner gives up.
inline void FinishWithin(std::chrono::seconds limit, const char* name, const std::function<void()>& what)
{
    std::mutex mutex;
    std::condition_variable changed;
    bool finished = false;
    std::thread watchdog([&] {
        std::unique_lock<std::mutex> lock(mutex);
        if (!changed.wait_for(lock, limit, [&] { return finished; })) {
            std::fprintf(stderr, "%s did not return within %lld s\n", name, static_cast<long long>(limit.count()));
            std::abort();
        }
    });
    what();
    {
        const std::lock_guard<std::mutex> lock(mutex);
        finished = true;
    }
    changed.notify_all();
    watchdog.join();
}

} // namespace qmcal::test
