// japanese: a page of Japanese text.
//
// The source is compiled with -fexec-charset=CP932, so every string literal
// below is stored in code page 932 (Shift_JIS), the code page the runtime's
// texts use. A full-width character (kanji, hiragana, katakana) takes two
// bytes and two character cells; a half-width one (ASCII, half-width
// katakana) one byte and one cell. With mode 19 at the normal scale a cell is
// 4 x 8 logical pixels.
//
// Keys: any letter, digit, Space, arrow or Enter ends the program;
//       Esc asks whether to quit.
#include "dg.h"

int Main(void) {
    dg_setvideomode(19);
    dg_setscreen(0, 0, 320, 200, 1, "日本語");
    // Answer what the window has waiting (an early Esc, say) before drawing.
    ML();

    dg_printf(16, 8, 14, "日本語のページ");

    // A haiku by Matsuo Basho (1686), one phrase to a line.
    dg_printf(32, 28, 15, "古池や");
    dg_printf(48, 40, 15, "蛙飛び込む");
    dg_printf(64, 52, 15, "水の音");
    dg_printf(104, 64, 7, "松尾芭蕉");

    dg_printf(16, 88, 10, "ひらがな: あいうえお かきくけこ");
    dg_printf(16, 100, 11, "カタカナ: アイウエオ カキクケコ");
    dg_printf(16, 112, 13, "半角カナ: ｱｲｳｴｵ ｶｷｸｹｺ");
    dg_printf(16, 124, 12, "全角英数: ＡＢＣ１２３  ASCII: ABC123");

    dg_printf(16, 176, 9, "キーを押すと終わります");

    // Wait for a key; ML keeps the window answering meanwhile.
    while (!kbhit()) {
        ML();
        wait(10 * 100000);
    }
    return 0; // the runtime ends the program (exit code 1)
}
