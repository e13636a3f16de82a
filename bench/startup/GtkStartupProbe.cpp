// Start-up probe: shows a window on the GTK backend and prints "first-frame" on standard output as soon
// as its first complete frame is on the screen, then quits. The benchmark bench/GtkStartup.cpp runs it
// under Xvfb and times process start to that line.
//
//     gtk_startup_probe            the sample dialog of the controls layer, read from its layout
//     gtk_startup_probe --window   a plain framed window of the window system, painted in one colour
//     gtk_startup_probe --stay     the sample dialog, left up until it is closed (to try it by hand)

#include <cstdio>
#include <cstring>
#include <exception>

#include "platform/backend/gtk/GtkBackend.h"
#include "platform/vcl/Application.h"
#include "platform/vcl/PaintCheck.h"
#include "platform/win/Gdi.h"
#include "platform/win/Window.h"
#include "tests/support/SampleDialog.h"

namespace {

void SayFirstFrame() {
    std::printf("first-frame\n");
    std::fflush(stdout);
}

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

int RunPlainWindow() {
    bool shown = false;
    gtkbackend::SetFrameObserver([&](backend::NativeWindow*) {
        if (shown) return;
        shown = true;
        SayFirstFrame();
        win::PostQuitMessage(0);
    });
    win::WNDCLASSEX wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = ProbeProc;
    wc.lpszClassName = "KalvenorStartupProbe";
    win::RegisterClassEx(&wc);
    win::HWND h =
        win::CreateWindowEx(0, "KalvenorStartupProbe", "Kalvenor", win::WS_OVERLAPPEDWINDOW | win::WS_VISIBLE,
                            100, 100, 420, 300, nullptr, nullptr, nullptr, nullptr);
    if (!h) return 2;
    win::MSG msg;
    while (win::GetMessage(&msg, nullptr, 0, 0) > 0) {
        win::TranslateMessage(&msg);
        win::DispatchMessage(&msg);
    }
    if (win::IsWindow(h)) win::DestroyWindow(h);
    gtkbackend::SetFrameObserver(nullptr);
    return shown ? 0 : 1;
}

int RunSampleDialog(bool stay) {
    vcl::TComponentPtr<sample::TSampleForm> form(new sample::TSampleForm(vcl::Application));
    bool shown = false;
    gtkbackend::SetFrameObserver([&](backend::NativeWindow*) {
        if (shown || !form->Visible() || !vcl::NothingLeftToPaint(form.get())) return;
        shown = true;
        SayFirstFrame();
        // Wakes the loop below, which would otherwise wait for a message that never comes.
        win::PostMessage(form->Handle(), win::WM_NULL, 0, 0);
    });
    form->Show();
    while ((!shown || (stay && form->Visible())) && !vcl::Application->Terminated())
        vcl::Application->HandleMessage();
    gtkbackend::SetFrameObserver(nullptr);
    return shown ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    try {
        backend::SetBackend(gtkbackend::CreateGtkBackend());
        const char* arg = argc > 1 ? argv[1] : "";
        int rc = std::strcmp(arg, "--window") == 0 ? RunPlainWindow()
                                                   : RunSampleDialog(std::strcmp(arg, "--stay") == 0);
        backend::SetBackend(backend::CreateOffscreenBackend());
        return rc;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "startup probe: %s\n", e.what());
        return 1;
    }
}
