#include "precise_sleep.h"

#include <cerrno>
#include <ctime>

#include <sys/prctl.h>

namespace quillmoor {

void UseFineTimerSlack() {
  // One nanosecond: the smallest slack the kernel takes. A failure only costs
  // accuracy, so it is not reported.
  prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
}

void SleepMilliseconds(int milliseconds) {
  if (milliseconds <= 0) return;
  timespec wake{};
  clock_gettime(CLOCK_MONOTONIC, &wake);
  wake.tv_sec += milliseconds / 1000;
  wake.tv_nsec += static_cast<long>(milliseconds % 1000) * 1'000'000L;
  if (wake.tv_nsec >= 1'000'000'000L) {
    wake.tv_sec += 1;
    wake.tv_nsec -= 1'000'000'000L;
  }
  // An absolute deadline, so a signal does not stretch the sleep.
  while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &wake, nullptr) == EINTR) {
  }
}

}  // namespace quillmoor
