// The tool's window: a child of the owner window, placed and sized only by its owner (or, run
// without an owner, a top-level window of its own). It shows the current picture scaled into
// its client area, with the subtitles over it, and hands its messages of interest to the handler.
// Window thread.
#pragma once

#include "tools/ClipRunner/FrameQueue.h"
#include "tools/ClipRunner/MemoryCanvas.h"
#include "tools/ClipRunner/SubtitlePainter.h"

#include <windows.h>
#include <string>

class VideoWindowHandler {
public:
    virtual ~VideoWindowHandler() = default;
    virtual LRESULT OnCopyData(const COPYDATASTRUCT* data) = 0;
    virtual void OnSized(int width, int height) = 0;
    virtual void OnDestroyed() = 0;
};

class VideoWindow {
public:
    VideoWindow(VideoWindowHandler& handler, const SubtitlePainter& subtitles)
        : m_handler(handler), m_subtitles(subtitles)
    {}
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
    // Writes what the window shows now, without its black borders, as a 32-bit BMP file.
    bool SaveFrame(const std::wstring& path) const;
    void Destroy();

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    bool HasPicture() const;
    void StretchPicture(HDC dc, const RECT& target) const;
    bool Compose(MemoryCanvas& canvas, const RECT& target, const RECT& area) const;
    void PaintPicture(HDC dc, const RECT& target) const;
    void Paint(HWND window, HDC dc) const;

    VideoWindowHandler& m_handler;
    const SubtitlePainter& m_subtitles;
    HWND m_window = nullptr;
    const Picture* m_picture = nullptr;
};
