// The tool's side of the protocol with its owner window: reads the owner's command blocks
// (WM_COPYDATA 1021) into calls on the playback, and sends the playback's events with its state
// (WM_COPYDATA 1020, the 4080-byte event block). The playback itself knows no wire block.
// Window thread.
#pragma once

#include "mediatools/PlayerStatus.h"
#include "common/ToolLog.h"

#include <windows.h>
#include <cstdint>

// What the owner sees of a playback in every event.
struct PlaybackState {
    HWND Window = nullptr;
    int64_t DurationUs = 0;
    int64_t PositionUs = 0;
    int32_t VideoIndex = -1, AudioIndex = -1, SubtitleIndex = -1;
    int32_t VideoWidth = 0, VideoHeight = 0, DisplayWidth = 0, DisplayHeight = 0;
    int32_t Volume = 100;
    bool Mute = false, Paused = false, AudioDevice = false;
    int32_t FramesShown = 0, FramesDropped = 0;
};

// What the owner may ask of a playback: requests are recorded and taken on the playback's next
// step, outside the owner's call.
class PlaybackControl {
public:
    virtual ~PlaybackControl() = default;
    virtual void RequestPauseToggle() = 0;
    virtual void RequestStop() = 0;
    // From the start, or relative to the position (or to a seek still pending).
    virtual void RequestSeek(int64_t offsetUs, bool relative) = 0;
    virtual void SetMute(bool mute) = 0;
    virtual void SetVolume(int volume) = 0;  // 0 to 100
    virtual PlaybackState State() const = 0;
};

class OwnerLink {
public:
    // The owner window as "-owner_window" gave it; without one events go nowhere.
    OwnerLink(uint64_t ownerWindow, uint64_t callbackContext, PlaybackControl& control, const ToolLog& log);

    // The value the owner must put into its command blocks: differs from run to run.
    uint64_t ToolContext() const { return m_toolContext; }
    bool OwnerGone() const { return m_owner && !IsWindow(m_owner); }

    // A WM_COPYDATA that reached the tool's window: 0 for a command taken, -1 for anything else.
    LRESULT Receive(const COPYDATASTRUCT* data);
    // Sends the event with the playback's state now; an owner that answers "stop" asks for a stop.
    void Report(int32_t event, int32_t flag = 0);

private:
    LRESULT Obey(const PlayerCommandBlock& command);
    PlayerStatus StatusOf(const PlaybackState& state) const;

    uint64_t m_ownerWindow;
    HWND m_owner;
    uint64_t m_callbackContext;
    uint64_t m_toolContext;
    PlaybackControl& m_control;
    const ToolLog& m_log;
};
