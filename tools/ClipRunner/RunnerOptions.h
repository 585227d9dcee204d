// The playback tool's command line, as the player writes it. Unknown options are skipped, and
// so is any stray word after them; a known option without its value is ignored.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// How an audio-only file is drawn: bars across the window. A value of 0 (-1 for the space)
// means the tool's default.
struct WaveformStyle {
    int effect = 0;      // 0 bars mirrored around the middle line, 1 bars standing on the bottom
    int blockSize = 0;   // bar width in pixels
    int blockSpace = -1; // gap between bars in pixels
    int gradient = 0;    // above 0: bars shade from colour 1 at their root to colour 2 at the tip
    int color1 = 0, color2 = 0, color3 = 0;  // COLORREF values: bar, tip, background
};

struct RunnerOptions {
    bool autoExit = false;
    int exitDelayMs = 0;     // above 0: the window stays this long after the end of the media
    int threads = 0;         // decoder threads, 0 automatic
    bool frameDrop = false;
    bool seekToAny = false;
    int64_t startUs = 0;
    int64_t lengthUs = -1;   // -1 to the end
    std::wstring input;
    // File stream indexes (the command line counts from 1); -1 the tool's choice.
    int videoStream = -1, audioStream = -1, subtitleStream = -1;
    bool noVideo = false, noAudio = false, noSubtitles = false;
    std::wstring sync;
    std::wstring videoFilters, audioFilters;
    bool mute = false;
    int volume = 100;        // 0 to 100
    WaveformStyle waveform;
    uint64_t ownerWindow = 0;
    uint64_t callbackContext = 0;
};

RunnerOptions ParseRunnerOptions(const std::vector<std::wstring>& args);

// "H:MM:SS.mmm", "M:SS.mmm" or seconds, into microseconds; false for anything else.
bool ParseToolTime(const std::wstring& text, int64_t& us);

// How fast a filter chain plays the media: the setpts factor of a video chain ("setpts=0.5*PTS"
// plays twice as fast), the product of the atempo factors of an audio chain; 1 otherwise.
double VideoChainSpeed(const std::wstring& chain);
double AudioChainSpeed(const std::wstring& chain);
