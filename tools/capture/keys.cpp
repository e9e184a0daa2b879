// Which key runs which tool.
#include "capture/capture.h"
#include "capture/screenshot.h"

int dg_toolkey(HWND hwnd, unsigned vk) {
    switch (vk) {
    case VK_F12:
        dgtools::screenshot(hwnd);
        return 1;
    }
    return 0;
}
