// Which key runs which tool.
#include "capture/capture.h"
#include "capture/gif.h"
#include "capture/screenshot.h"
#include "check/record.h"

int dg_toolkey(HWND hwnd, unsigned vk) {
    switch (vk) {
    case VK_F9:
        return dgtools::togglegif(hwnd);
    case VK_F8:
        return dgtools::togglerecording(hwnd);
    case VK_F12:
        if (!dgtools::recordframe(hwnd)) dgtools::screenshot(hwnd);
        return 1;
    }
    return 0;
}
