#include "profiles/file_lock.h"

#include <pthread.h>
#include <signal.h>
#include <sys/file.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <thread>

namespace {

// Interrupts this thread's blocking lock request now and then, so the deadline can be looked at again: a
// timer aimed at this thread alone raises SIGURG, whose handler does nothing and is installed without
// SA_RESTART, so the request returns EINTR. SIGURG is ignored by default, so one still pending after the
// old handler is back does no harm.
class LockWaitTimer {
public:
    LockWaitTimer() {
        struct sigaction action {};
        action.sa_handler = [](int) {};
        sigemptyset(&action.sa_mask);
        installed_ = ::sigaction(SIGURG, &action, &previousAction_) == 0;
        sigset_t urgent;
        sigemptyset(&urgent);
        sigaddset(&urgent, SIGURG);
        unblocked_ = ::pthread_sigmask(SIG_UNBLOCK, &urgent, &previousMask_) == 0;

        sigevent event{};
        event.sigev_notify = SIGEV_THREAD_ID;
        event.sigev_signo = SIGURG;
        event._sigev_un._tid = ::gettid();
        created_ = installed_ && unblocked_ && ::timer_create(CLOCK_MONOTONIC, &event, &timer_) == 0;
        const itimerspec period{{0, kTickNanoseconds}, {0, kTickNanoseconds}};
        armed_ = created_ && ::timer_settime(timer_, 0, &period, nullptr) == 0;
    }
    ~LockWaitTimer() {
        if (created_) ::timer_delete(timer_);
        if (unblocked_) ::pthread_sigmask(SIG_SETMASK, &previousMask_, nullptr);
        if (installed_) ::sigaction(SIGURG, &previousAction_, nullptr);
    }
    LockWaitTimer(const LockWaitTimer&) = delete;
    LockWaitTimer& operator=(const LockWaitTimer&) = delete;

    bool armed() const { return armed_; }

private:
    static constexpr long kTickNanoseconds = 50'000'000;  // 0.05 s between looks at the deadline

    struct sigaction previousAction_ {};
    sigset_t previousMask_{};
    timer_t timer_{};
    bool installed_ = false;
    bool unblocked_ = false;
    bool created_ = false;
    bool armed_ = false;
};

}  // namespace

bool lockFileWithin(int fd, int operation, double seconds) {
    if (::flock(fd, operation | LOCK_NB) == 0) return true;
    if (errno != EWOULDBLOCK && errno != EINTR) return true;

    const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    LockWaitTimer timer;
    // Without the timer the wait falls back to polling, which a busy holder can starve until the deadline.
    const int request = timer.armed() ? operation : operation | LOCK_NB;
    for (;;) {
        if (::flock(fd, request) == 0) return true;
        if (errno != EWOULDBLOCK && errno != EINTR) return true;
        if (std::chrono::steady_clock::now() >= deadline) return false;
        if (!timer.armed()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}
