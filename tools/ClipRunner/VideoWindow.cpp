#include "tools/ClipRunner/VideoWindow.h"

#include "common/OwnedHandle.h"

#include <cstring>

namespace {

const wchar_t kClassName[] = L"KavriClipRunnerVideo";

bool RegisterWindowClass(WNDPROC procedure)
{
    WNDCLASSEXW windowClass = {};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = kClassName;
    return RegisterClassExW(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

// The picture's rectangle in the client area: as large as fits, centred, its shape kept.
RECT PictureRect(const RECT& client, int width, int height)
{
    int boxWidth = client.right - client.left, boxHeight = client.bottom - client.top;
    int fitWidth = boxWidth, fitHeight = boxHeight;
    if (static_cast<int64_t>(boxWidth) * height <= static_cast<int64_t>(boxHeight) * width)
        fitHeight = static_cast<int>(static_cast<int64_t>(boxWidth) * height / width);
    else
        fitWidth = static_cast<int>(static_cast<int64_t>(boxHeight) * width / height);
    int left = client.left + (boxWidth - fitWidth) / 2, top = client.top + (boxHeight - fitHeight) / 2;
    return RECT{left, top, left + fitWidth, top + fitHeight};
}

// A 32-bit BMP file of the canvas, top row first.
bool WriteBitmapFile(const std::wstring& path, const MemoryCanvas& canvas)
{
    BITMAPINFOHEADER info = TopDownBitmapHeader(canvas.Width(), canvas.Height());
    DWORD pixelBytes = static_cast<DWORD>(canvas.Width()) * canvas.Height() * 4;
    BITMAPFILEHEADER header = {};
    header.bfType = 0x4D42;  // "BM"
    header.bfOffBits = sizeof(header) + sizeof(info);
    header.bfSize = header.bfOffBits + pixelBytes;
    OwnedFileHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    DWORD written = 0;
    return file.IsValid() && WriteFile(file.Get(), &header, sizeof(header), &written, nullptr) &&
           WriteFile(file.Get(), &info, sizeof(info), &written, nullptr) &&
           WriteFile(file.Get(), canvas.Pixels(), pixelBytes, &written, nullptr) && written == pixelBytes;
}

}  // namespace

bool VideoWindow::Create(HWND owner, int width, int height)
{
    if (!RegisterWindowClass(Procedure))
        return false;
    DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
    RECT area = {0, 0, width, height};
    if (owner) {
        GetClientRect(owner, &area);
    } else {
        style = WS_OVERLAPPEDWINDOW | WS_VISIBLE;
        AdjustWindowRect(&area, style, FALSE);
    }
    int x = owner ? 0 : CW_USEDEFAULT, y = owner ? 0 : CW_USEDEFAULT;
    m_window = CreateWindowExW(0, kClassName, L"ClipRunner", style, x, y, area.right - area.left,
                               area.bottom - area.top, owner, nullptr, GetModuleHandleW(nullptr), this);
    return m_window != nullptr;
}

void VideoWindow::Destroy()
{
    if (m_window) {
        HWND window = m_window;
        m_window = nullptr;
        DestroyWindow(window);
    }
}

void VideoWindow::Show(const Picture* picture)
{
    m_picture = picture;
    if (!m_window)
        return;
    HDC dc = GetDC(m_window);
    Paint(m_window, dc);
    ReleaseDC(m_window, dc);
}

bool VideoWindow::HasPicture() const
{
    return m_picture && m_picture->width > 0 && m_picture->height > 0;
}

void VideoWindow::StretchPicture(HDC dc, const RECT& target) const
{
    BITMAPINFO info = {};
    info.bmiHeader = TopDownBitmapHeader(m_picture->width, m_picture->height);
    SetStretchBltMode(dc, COLORONCOLOR);
    StretchDIBits(dc, target.left, target.top, target.right - target.left, target.bottom - target.top, 0, 0,
                  m_picture->width, m_picture->height, m_picture->bits.data(), &info, DIB_RGB_COLORS, SRCCOPY);
}

// The part `area` of the window, where the picture fills `target`, with the subtitles over it.
// A picture already at the window's scale is copied row by row: GDI would go through all of it.
bool VideoWindow::Compose(MemoryCanvas& canvas, const RECT& target, const RECT& area) const
{
    if (!canvas.Valid())
        return false;
    RECT onCanvas = {target.left - area.left, target.top - area.top, target.right - area.left,
                     target.bottom - area.top};
    if (target.right - target.left == m_picture->width && target.bottom - target.top == m_picture->height) {
        size_t left = area.left - target.left, top = area.top - target.top;
        for (int y = 0; y < canvas.Height(); ++y) {
            const uint8_t* row = m_picture->bits.data() + ((top + y) * m_picture->width + left) * 4;
            memcpy(canvas.Pixels() + static_cast<size_t>(y) * canvas.Width(), row, canvas.Width() * 4);
        }
    } else {
        StretchPicture(canvas.Dc(), onCanvas);
    }
    m_subtitles.Paint(canvas, onCanvas);
    return true;
}

// Where subtitles lie, the picture and they are put together off screen, so that they never
// flicker; the rest of the picture goes to the window directly.
void VideoWindow::PaintPicture(HDC dc, const RECT& target) const
{
    RECT covered = m_subtitles.Area(target), area;
    if (IntersectRect(&area, &target, &covered)) {
        MemoryCanvas canvas(dc, area.right - area.left, area.bottom - area.top);
        if (Compose(canvas, target, area)) {
            int saved = SaveDC(dc);
            ExcludeClipRect(dc, area.left, area.top, area.right, area.bottom);
            StretchPicture(dc, target);
            RestoreDC(dc, saved);
            BitBlt(dc, area.left, area.top, canvas.Width(), canvas.Height(), canvas.Dc(), 0, 0, SRCCOPY);
            return;
        }
    }
    StretchPicture(dc, target);
}

void VideoWindow::Paint(HWND window, HDC dc) const
{
    RECT client;
    GetClientRect(window, &client);
    int saved = SaveDC(dc);
    if (HasPicture() && client.right > 0 && client.bottom > 0) {
        RECT target = PictureRect(client, m_picture->width, m_picture->height);
        PaintPicture(dc, target);
        ExcludeClipRect(dc, target.left, target.top, target.right, target.bottom);
    }
    FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    RestoreDC(dc, saved);
}

bool VideoWindow::SaveFrame(const std::wstring& path) const
{
    RECT client;
    if (!m_window || !HasPicture() || !GetClientRect(m_window, &client) || client.right <= 0 || client.bottom <= 0)
        return false;
    RECT target = PictureRect(client, m_picture->width, m_picture->height);
    HDC screen = GetDC(m_window);
    MemoryCanvas canvas(screen, target.right - target.left, target.bottom - target.top);
    bool composed = Compose(canvas, target, target);
    ReleaseDC(m_window, screen);
    return composed && WriteBitmapFile(path, canvas);
}

LRESULT CALLBACK VideoWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<VideoWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self)
        return DefWindowProcW(window, message, wParam, lParam);
    return self->Handle(window, message, wParam, lParam);
}

LRESULT VideoWindow::Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COPYDATA:
        return m_handler.OnCopyData(reinterpret_cast<const COPYDATASTRUCT*>(lParam));
    case WM_SIZE:
        m_handler.OnSized(LOWORD(lParam), HIWORD(lParam));
        return 0;
    case WM_ERASEBKGND:
        return TRUE;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        Paint(window, dc);
        EndPaint(window, &paint);
        return 0;
    }
    case WM_DESTROY:
        // Also when the owner window goes, taking its children along.
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        m_window = nullptr;
        m_handler.OnDestroyed();
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}
