// Start-up, the window procedure, the message pump and the one way out.
#include "host.h"

#include "capture/capture.h"

namespace {
HWND hwnd; // the program's window, made by dg_open
// WM_KEYDOWN's lParam: the key was down before (a repeat of a held key).
constexpr LPARAM keyrepeated = 0x40000000;
} // namespace

HWND dg_window(void) { return hwnd; }

void dg_open(HINSTANCE inst) {
    WNDCLASSA wc;
    wc.style = CS_VREDRAW | CS_HREDRAW;
    wc.lpfnWndProc = WndProc;
    wc.cbClsExtra = 0;
    wc.cbWndExtra = 0;
    wc.hInstance = inst;
    wc.hIcon = nullptr;
    wc.hCursor = nullptr;
    wc.hbrBackground = (HBRUSH)GetStockObject(BLACK_BRUSH);
    wc.lpszMenuName = nullptr;
    wc.lpszClassName = "WCNAME";
    RegisterClassA(&wc);
    hwnd = CreateWindowExA(WS_EX_TOPMOST, "WCNAME", titlebar, WS_VISIBLE | WS_OVERLAPPEDWINDOW, -10,
                           -10, 3, 3, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    UpdateWindow(hwnd);
    dg_setscreen(screenx, screeny, screenwidth, screenheight, bai, titlebar);
    gvram = GetDC(hwnd);
}

extern "C" int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR, int) {
    dg_open(hInstance);
    Main();
    Terminate();
    return 0;
}

// Esc and the close button ask first.
static void confirmquit(HWND hWnd) {
    if (MessageBoxA(hWnd, "本当に終了しますか？", "終了確認です", MB_YESNO | MB_ICONQUESTION) ==
        IDYES)
        Terminate();
}

extern "C" LRESULT CALLBACK WndProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
    switch (uMsg) {
    case WM_CREATE:
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT ps{};
        BeginPaint(hWnd, &ps);
        EndPaint(hWnd, &ps);
        return 0;
    }
    case WM_CLOSE:
        confirmquit(hWnd);
        return 0;
    case WM_KEYDOWN:
        // Other keys are the tools' (F12, a screenshot), once per press.
        if (wParam == VK_ESCAPE)
            confirmquit(hWnd);
        else if (!(lParam & keyrepeated))
            dg_toolkey(hWnd, (unsigned)wParam);
        return 0;
    }
    return DefWindowProcA(hWnd, uMsg, wParam, lParam);
}

extern "C" void ML(void) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

extern "C" void Terminate(void) {
    ChangeDisplaySettingsA(nullptr, 0);
    SetCursor(LoadCursorA(nullptr, IDC_ARROW));
    ReleaseDC(hwnd, gvram);
    DestroyWindow(hwnd);
    TerminateProcess(GetCurrentProcess(), 1);
    for (;;) { // TerminateProcess of the own process does not come back
    }
}
