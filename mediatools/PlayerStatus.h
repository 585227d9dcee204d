// The playback tool's protocol: WM_COPYDATA commands to the tool (1021) and events from it
// (1020), each event carrying the tool's status record. Both sides use these structs, so the
// layouts are fixed here with fixed-width fields and checked below; a 64-bit build speaks the
// same bytes. Bytes named Tool... belong to the tool and are kept unread.
#pragma once

#include <windows.h>
#include <cstddef>
#include <cstdint>
#include <cstring>

// dwData of the WM_COPYDATA messages.
const ULONG_PTR PLAYER_MSG_EVENT = 1020;
const ULONG_PTR PLAYER_MSG_COMMAND = 1021;

// Restart marker of a session while the tool is being restarted at its position.
const int PLAYER_RESTART_MARKER = 1030;

// Command codes at offset 8 of a command block.
enum PlayerCommand : int32_t {
    PLAYER_CMD_TOGGLE_PAUSE = 10,
    PLAYER_CMD_STOP = 20,
    PLAYER_CMD_SEEK = 50,   // first argument microseconds, second 0 absolute / 1 relative
    PLAYER_CMD_MUTE = 200,  // first argument 1 on, 0 off
    PLAYER_CMD_VOLUME = 201 // first argument 0 to 100
};

// Event codes at offset 8 of an event block.
enum PlayerEvent : int32_t {
    PLAYER_EVENT_STARTED = 10,
    PLAYER_EVENT_STOPPING = 20,
    PLAYER_EVENT_PLAYING = 30,
    PLAYER_EVENT_MEDIA_OPENED = 31,
    PLAYER_EVENT_PROGRESS = 35,
    PLAYER_EVENT_PAUSE_CHANGED = 40,
    PLAYER_EVENT_END_OF_MEDIA = 50,
    PLAYER_EVENT_FINISHED = 100
};

// The tool's view of one playback, sent with every event.
struct PlayerStatus {
    uint8_t Tool0[16];
    uint64_t OwnerObject;  // set by the host before every run
    uint64_t OwnerWindow;  // set by the host before every run; passed as "-owner_window"
    uint64_t ToolContext;  // echoed in every command block
    uint64_t ToolWindow;   // receives the commands; 0 until the tool reports it
    uint8_t Tool1[88];
    int64_t DurationInUs;
    uint8_t Tool2[88];
    int64_t PositionInUs;
    uint8_t Tool3[12];
    int32_t VideoStreamIndex;
    uint8_t Tool4[316];
    int32_t VideoWidth;
    int32_t VideoHeight;
    uint8_t Tool5[92];
    int32_t DisplayWidth;
    int32_t DisplayHeight;
    uint8_t Tool6[20];
    int32_t AudioStreamIndex;
    uint8_t Tool7[436];
    int32_t SubtitleStreamIndex;
    uint8_t Tool8[428];
    int32_t FourthStreamIndex;
    uint8_t Tool9[424];

    void Reset()
    {
        memset(this, 0, sizeof(*this));
        VideoStreamIndex = -1;
        AudioStreamIndex = -1;
        SubtitleStreamIndex = -1;
        FourthStreamIndex = -1;
    }
};

struct PlayerCommandBlock {
    uint64_t ToolContext;  // from the status record
    int32_t Command;       // a PlayerCommand
    int32_t Zero;
    int64_t Argument1;
    int64_t Argument2;
    char Text[2048];       // optional NUL-terminated 8-bit text
};

struct PlayerEventBlock {
    uint64_t Context;      // the value given as "-callback_context"
    int32_t Event;         // a PlayerEvent
    uint8_t Tool0[4];
    int32_t Flag;          // of the media-opened and pause-changed events
    uint8_t Tool1[2060];
    PlayerStatus Status;
};

static_assert(sizeof(PlayerStatus) == 2000, "PlayerStatus is 2000 bytes");
static_assert(offsetof(PlayerStatus, OwnerObject) == 16, "owner object at 16");
static_assert(offsetof(PlayerStatus, OwnerWindow) == 24, "owner window at 24");
static_assert(offsetof(PlayerStatus, ToolContext) == 32, "tool context at 32");
static_assert(offsetof(PlayerStatus, ToolWindow) == 40, "tool window at 40");
static_assert(offsetof(PlayerStatus, DurationInUs) == 136, "duration at 136");
static_assert(offsetof(PlayerStatus, PositionInUs) == 232, "position at 232");
static_assert(offsetof(PlayerStatus, VideoStreamIndex) == 252, "video stream at 252");
static_assert(offsetof(PlayerStatus, VideoWidth) == 572, "video width at 572");
static_assert(offsetof(PlayerStatus, VideoHeight) == 576, "video height at 576");
static_assert(offsetof(PlayerStatus, DisplayWidth) == 672, "display width at 672");
static_assert(offsetof(PlayerStatus, DisplayHeight) == 676, "display height at 676");
static_assert(offsetof(PlayerStatus, AudioStreamIndex) == 700, "audio stream at 700");
static_assert(offsetof(PlayerStatus, SubtitleStreamIndex) == 1140, "subtitle stream at 1140");
static_assert(offsetof(PlayerStatus, FourthStreamIndex) == 1572, "fourth stream at 1572");

static_assert(sizeof(PlayerCommandBlock) == 2080, "the command block is 2080 bytes");
static_assert(offsetof(PlayerCommandBlock, ToolContext) == 0, "tool context at 0");
static_assert(offsetof(PlayerCommandBlock, Command) == 8, "command at 8");
static_assert(offsetof(PlayerCommandBlock, Zero) == 12, "zero at 12");
static_assert(offsetof(PlayerCommandBlock, Argument1) == 16, "first argument at 16");
static_assert(offsetof(PlayerCommandBlock, Argument2) == 24, "second argument at 24");
static_assert(offsetof(PlayerCommandBlock, Text) == 32, "text at 32");

static_assert(sizeof(PlayerEventBlock) == 4080, "the event block is 4080 bytes");
static_assert(offsetof(PlayerEventBlock, Context) == 0, "context at 0");
static_assert(offsetof(PlayerEventBlock, Event) == 8, "event at 8");
static_assert(offsetof(PlayerEventBlock, Flag) == 16, "flag at 16");
static_assert(offsetof(PlayerEventBlock, Status) == 2080, "status at 2080");
