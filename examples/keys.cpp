// keys: a keyboard explorer. Press a key and see the code that getch returns
// for it, in decimal, in hexadecimal and as eight lamps, one per bit.
//
// getch knows letters (always lower case), digits, Space, the four arrows and
// Enter. The arrows give the second byte of the old PC extended key codes:
// up 72, down 80, left 75, right 77.
//
// Keys: q ends the program; Esc asks whether to quit.
#include "dg.h"

#include <cstdio>

// The eight lamps of the code, most significant bit first.
static const int LAMPX = 40, LAMPY = 84, LAMPW = 24, LAMPH = 16, LAMPSTEP = 32;

// A name for each code getch can return.
static void keyname(int code, char *name, int size) {
    if (code >= 'a' && code <= 'z')
        std::snprintf(name, size, "%c", code - 'a' + 'A');
    else if (code >= '0' && code <= '9')
        std::snprintf(name, size, "%c", code);
    else if (code == 32)
        std::snprintf(name, size, "スペース");
    else if (code == 72)
        std::snprintf(name, size, "↑ 上");
    else if (code == 80)
        std::snprintf(name, size, "↓ 下");
    else if (code == 75)
        std::snprintf(name, size, "← 左");
    else if (code == 77)
        std::snprintf(name, size, "→ 右");
    else if (code == 13)
        std::snprintf(name, size, "Enter");
    else
        std::snprintf(name, size, "?");
}

// Shows one code. Every line is printed at its full width (%-10s pads with
// spaces), so the black cells of the new text cover the old text.
static void show(int code) {
    char name[32];
    keyname(code, name, sizeof name);
    dg_printf(40, 48, 14, "キー  : %-10s", name);
    dg_printf(40, 60, 10, "コード: %3d  (16進 %02X)", code, code);
    for (int bit = 0; bit < 8; bit++) {
        int on = (code >> (7 - bit)) & 1;
        dg_box(gvram, LAMPX + bit * LAMPSTEP, LAMPY, LAMPW, LAMPH, 1, on ? 12 : 8);
    }
}

int Main(void) {
    dg_setvideomode(19);
    dg_setscreen(0, 0, 320, 200, 1, "キー");
    // Answer what the window has waiting (an early Esc, say) before drawing.
    ML();

    dg_printf(40, 4, 15, "キーボード探検: getch が返すコード");
    dg_printf(40, 20, 7, "文字・数字・スペース・矢印・Enter を押してみましょう");
    dg_printf(40, 30, 7, "q で終了、Esc で終了の確認");
    for (int bit = 0; bit < 8; bit++) // the value of each lamp, under it
        dg_printf(LAMPX + bit * LAMPSTEP + 4, LAMPY + LAMPH + 4, 7, "%3d", 1 << (7 - bit));
    show(0);
    dg_printf(40, 132, 11, "これまで:");

    int history[12] = {0}, count = 0;
    for (;;) {
        // Wait for a key; ML keeps the window answering meanwhile.
        while (!kbhit()) {
            ML();
            wait(5 * 100000);
        }
        int code = getch();
        if (code == 'q') break;
        show(code);

        // The last twelve codes, the newest first.
        for (int i = 11; i > 0; i--) history[i] = history[i - 1];
        history[0] = code;
        if (count < 12) count++;
        for (int i = 0; i < count; i++)
            dg_printf(40 + (i % 6) * 20, 144 + (i / 6) * 10, 11, "%3d", history[i]);

        // getch keeps returning a key while it is held: wait until it is let go.
        while (kbhit()) {
            ML();
            wait(5 * 100000);
        }
    }
    return 0; // the runtime ends the program (exit code 1)
}
