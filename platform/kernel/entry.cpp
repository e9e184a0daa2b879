// The process entry: main hands over to WinMain with the standard arguments.
#include "win32.h"

int main(int, char **) {
    char empty[1] = {0};
    return WinMain(GetModuleHandleA(nullptr), nullptr, empty, 1);
}
