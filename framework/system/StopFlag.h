// The flag by which one thread stops what another runs: a tool run, a retry wait, a download.
// The values: 0 runs on, any other value stops (the tasks and sessions raise 20,
// TASK_STOP_REQUESTED and PLAYER_CMD_STOP). An atomic, so that the running thread sees the
// raise and everything written before it; volatile orders nothing between threads.
#pragma once
#include <atomic>

typedef std::atomic<int> StopFlag;

// Whether a stop was asked for; a null flag never stops.
inline bool IsStopRequested(const StopFlag* pFlag)
{
    return pFlag && pFlag->load() != 0;
}
