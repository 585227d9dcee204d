// What this tool keeps in the status bytes that belong to it (the player leaves them unread):
// its own view of the playback, for tests and for anyone looking at the blocks.
#pragma once

#include "mediatools/PlayerStatus.h"

#include <cstdint>
#include <cstring>

struct RunnerStatus {
    int32_t Volume;         // 0 to 100
    int32_t Mute;           // 1 muted
    int32_t Paused;         // 1 paused
    int32_t FramesShown;
    int32_t FramesDropped;
    int32_t AudioDevice;    // 1 the sound goes to a waveOut device, 0 it plays by the clock
};

static_assert(sizeof(RunnerStatus) <= sizeof(PlayerStatus::Tool1), "the tool's fields fit its first free bytes");

inline void StoreRunnerStatus(PlayerStatus& status, const RunnerStatus& runner)
{
    memcpy(status.Tool1, &runner, sizeof(runner));
}

inline RunnerStatus LoadRunnerStatus(const PlayerStatus& status)
{
    RunnerStatus runner;
    memcpy(&runner, status.Tool1, sizeof(runner));
    return runner;
}
