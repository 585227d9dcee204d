// The tool's window: a child of the owner window, placed and sized only by its owner (or, run
// without an owner, a top-level window of its own). It shows the current picture scaled into
// its client area and hands its messages of interest to the handler. Window thread.
#pragma once

#include "tools/ClipRunner/FrameQueue.h"

#include <windows.h>

class VideoWindowHandler {
public:
    virtual ~VideoWindowHandler() = default;
    virtual LRESULT OnCopyData(const COPYDATASTRUCT* data) = 0;
    virtual void OnSized(int width, int height) = 0;
    virtual void OnDestroyed() = 0;
};

class VideoWindow {
public:
    explicit VideoWindow(VideoWindowHandler& handler) : m_handler(handler) {}
    VideoWindow(const VideoWindow&) = delete;
    VideoWindow& operator=(const VideoWindow&) = delete;
    ~VideoWindow() { Destroy(); }

    // A child over the owner's client area; without an owner a top-level window with a client
    // area of the given size.
    bool Create(HWND owner, int width, int height);
    HWND Handle() const { return m_window; }
    // Paints the picture now and whenever the window needs painting; it must stay alive until
    // the next call.
    void Show(const Picture* picture);
    void Destroy();

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void Paint(HWND window, HDC dc) const;

    VideoWindowHandler& m_handler;
    HWND m_window = nullptr;
    const Picture* m_picture = nullptr;
};
