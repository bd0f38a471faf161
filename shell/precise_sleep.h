#pragma once

namespace quillmoor {

// Lets this thread's short sleeps end on time. Linux lets a sleeping thread
// oversleep by its timer slack, 50 microseconds by default, which turns a
// 1 ms pause into about 1.2 ms; over the thousands of chunks of a large file
// that adds up to a noticeable part of the run.
void UseFineTimerSlack();

// Sleeps the calling thread for `milliseconds`, resuming after a signal.
void SleepMilliseconds(int milliseconds);

}  // namespace quillmoor
