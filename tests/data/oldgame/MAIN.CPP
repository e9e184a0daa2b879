// 古いプログラム：Shift_JIS と CRLF のまま、Windows の名前でビットマップを読む。ソ
// 字の二バイト目が 0x5C の字（ソ 表 能 予 十）が行末にも文字列にもある。
#include "dg.h"
#include "GAME.H"

#include <string.h>

static const char soft[] = "ソフト";
static const char hyou[] = "表示";
static const char nou[] = "能力";
static const char yo[] = "予定";
static const char juu[] = "十分";

// 一つの確かめごとに一つのランプ：緑は良し、赤は駄目。
static int lamp = 0;
static void check(int good) {
    dg_box(gvram, 10 + lamp * 10, 30, 8, 8, 1, good ? 2 : 4);
    lamp++;
}

int Main(void) {
    int lines = 0;
    HDC ship, picture, wide;
    ML();
    dg_setvideomode(19);
    // 行末の字が次の行を飲み込まないこと：ソ
    lines++;
    // 表
    lines++;
    // 能
    lines++;
    // 予
    lines++;
    // 十
    lines++;
    check(lines == 5);
    check(strcmp(soft, "\x83\x5c\x83\x74\x83\x67") == 0);
    check(strcmp(hyou, "\x95\x5c\x8e\xa6") == 0);
    check(strcmp(nou, "\x94\x5c\x97\xcd") == 0);
    check(strcmp(yo, "\x97\x5c\x92\xe8") == 0);
    check(strcmp(juu, "\x8f\x5c\x95\xaa") == 0);
    check(strcmp(GAME_TITLE, "\x83\x51\x81\x5b\x83\x80\x95\x5c\x8e\xa6") == 0);
    check(part_count() == 2);
    check(strcmp(part_text(), "\x97\x5c\x8e\x5a\x8f\x5c\x95\xaa") == 0);

    // Windows の名前：逆斜線、大文字と小文字、フォルダの名前も日本語。
    ship = dg_loadbmp("DATA\\SHIP.BMP");
    picture = dg_loadbmp("画像\\絵.BMP");
    wide = dg_loadbmp("画像\\Ｅ.bmp");
    dg_drawbmp(gvram, 10, 10, 8, 8, ship);
    dg_drawbmp(gvram, 30, 10, 8, 8, picture);
    dg_drawbmp(gvram, 50, 10, 8, 8, wide);
    dg_printf(10, 50, 15, "%s：%s", GAME_TITLE, soft);
    getch();
    return 0;
}
