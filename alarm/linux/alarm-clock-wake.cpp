// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// Holds the alarm clock's wake timer: a timer on CLOCK_REALTIME_ALARM, which
// the kernel programs into the real-time clock when the computer suspends, so
// that the computer wakes for it. Each line on standard input is a moment, in
// seconds since the epoch, for which the timer is set (or moved). The end of
// the input ends it, and so does a line that is not a moment of the next two
// days. Setting such a timer needs CAP_WAKE_ALARM, the one privilege kept.
#include "WakeHelper.h"

#include <linux/capability.h>
#include <poll.h>
#include <sys/prctl.h>
#include <sys/syscall.h>
#include <sys/timerfd.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <csignal>
#include <cstdint>
#include <ctime>
#include <optional>
#include <string_view>

using namespace wakehelper;

namespace {

constexpr time_t LatestAhead = 2 * 24 * 60 * 60;
constexpr size_t LongestLine = 20;

// Drops every capability but CAP_WAKE_ALARM, and that one too where it is not permitted.
void keepOnlyWakeAlarm()
{
    __user_cap_header_struct header{ _LINUX_CAPABILITY_VERSION_3, 0 };
    __user_cap_data_struct caps[_LINUX_CAPABILITY_U32S_3]{};
    if (syscall(SYS_capget, &header, caps) != 0)
        return;
    const uint32_t wake = CAP_TO_MASK(CAP_WAKE_ALARM) & caps[CAP_TO_INDEX(CAP_WAKE_ALARM)].permitted;
    for (__user_cap_data_struct &set : caps)
        set = {};
    caps[CAP_TO_INDEX(CAP_WAKE_ALARM)] = { wake, wake, 0 };
    syscall(SYS_capset, &header, caps);
}

std::optional<time_t> momentToCome(std::string_view line)
{
    time_t moment = 0;
    const char *end = line.data() + line.size();
    const auto [stop, error] = std::from_chars(line.data(), end, moment);
    const time_t now = time(nullptr);
    if (line.empty() || line[0] == '-' || error != std::errc() || stop != end || moment < now
        || moment > now + LatestAhead)
        return std::nullopt;
    return moment;
}

Status failure()
{
    return errno == EPERM ? NoCapability : Failed;
}

} // namespace

int main()
{
    prctl(PR_SET_PDEATHSIG, SIGTERM); // besides the end of the input, should the program die
    prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0);
    keepOnlyWakeAlarm();
    const int timer = timerfd_create(CLOCK_REALTIME_ALARM, TFD_CLOEXEC);
    if (timer < 0)
        return failure();

    pollfd watched[2] = { { STDIN_FILENO, POLLIN, 0 }, { timer, POLLIN, 0 } };
    char line[LongestLine];
    size_t length = 0;
    for (;;) {
        if (poll(watched, 2, -1) < 0) {
            if (errno == EINTR)
                continue;
            return Failed;
        }
        // It fired: the computer is awake, and the program rings by its own clock.
        uint64_t expirations = 0;
        if (watched[1].revents & POLLIN)
            (void)!read(timer, &expirations, sizeof expirations);
        if (!watched[0].revents)
            continue;
        char chunk[64];
        const ssize_t got = read(STDIN_FILENO, chunk, sizeof chunk);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return got == 0 ? InputEnded : Failed;
        for (const char c : std::string_view(chunk, size_t(got))) {
            if (c != '\n') {
                if (length == LongestLine)
                    return NotAMoment;
                line[length++] = c;
                continue;
            }
            const std::optional<time_t> due = momentToCome({ line, length });
            length = 0;
            if (!due)
                return NotAMoment;
            const itimerspec at{ { 0, 0 }, { *due, 0 } };
            if (timerfd_settime(timer, TFD_TIMER_ABSTIME, &at, nullptr) != 0)
                return failure();
        }
    }
}
