// Start-up probe: shows a framed window of the window system on the GTK backend, paints it, and prints
// "first-frame" on standard output as soon as its first frame is on the screen, then quits. The
// benchmark bench/GtkStartup.cpp runs it under Xvfb and times process start to that line.

#include <cstdio>

#include "platform/backend/gtk/GtkBackend.h"
#include "platform/win/Gdi.h"
#include "platform/win/Window.h"

namespace {

win::LRESULT ProbeProc(win::HWND h, win::UINT msg, win::WPARAM wp, win::LPARAM lp) {
    if (msg == win::WM_PAINT) {
        win::PAINTSTRUCT ps;
        win::HDC dc = win::BeginPaint(h, &ps);
        win::RECT rc;
        win::GetClientRect(h, &rc);
        win::HBRUSH brush = win::CreateSolidBrush(win::RGB(240, 240, 240));
        win::FillRect(dc, &rc, brush);
        win::DeleteObject(brush);
        win::EndPaint(h, &ps);
        return 0;
    }
    if (msg == win::WM_DESTROY) {
        win::PostQuitMessage(0);
        return 0;
    }
    return win::DefWindowProc(h, msg, wp, lp);
}

} // namespace

int main() {
    try {
        backend::SetBackend(gtkbackend::CreateGtkBackend());
        bool shown = false;
        gtkbackend::SetFrameObserver([&](backend::NativeWindow*) {
            if (shown) return;
            shown = true;
            std::printf("first-frame\n");
            std::fflush(stdout);
            win::PostQuitMessage(0);
        });
        win::WNDCLASSEX wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = ProbeProc;
        wc.lpszClassName = "KalvenorStartupProbe";
        win::RegisterClassEx(&wc);
        win::HWND h = win::CreateWindowEx(0, "KalvenorStartupProbe", "Kalvenor",
                                          win::WS_OVERLAPPEDWINDOW | win::WS_VISIBLE, 100, 100, 420, 300,
                                          nullptr, nullptr, nullptr, nullptr);
        if (!h) return 2;
        win::MSG msg;
        while (win::GetMessage(&msg, nullptr, 0, 0) > 0) {
            win::TranslateMessage(&msg);
            win::DispatchMessage(&msg);
        }
        if (win::IsWindow(h)) win::DestroyWindow(h);
        gtkbackend::SetFrameObserver(nullptr);
        return shown ? 0 : 1;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "startup probe: %s\n", e.what());
        return 1;
    }
}
