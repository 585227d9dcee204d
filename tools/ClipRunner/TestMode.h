// Misbehaviour on request, so that tests can force what a real tool may do:
//   KAVRI_TOOL_MODE=fail   the media cannot be opened;
//   KAVRI_TOOL_MODE=hang   stop commands and stop replies are ignored, and the tool stays after
//                          the end of the media, until it is killed or its owner window goes;
//   KAVRI_TOOL_MODE=crash  dies of an access violation right after reporting that it started;
//   KAVRI_TOOL_SPEED=N     the clock runs N times as fast (sound then plays by the clock only);
//   KAVRI_TOOL_FRAMES=DIR  every time the subtitles on screen change, the window's picture with
//                          them goes to DIR as "<media time in ms>.bmp".
#pragma once

#include <string>

enum class ToolMode { Normal, Fail, Hang, Crash };

struct TestMode {
    ToolMode mode = ToolMode::Normal;
    double speed = 1;
    std::wstring framesFolder;
};

TestMode ReadTestMode();
