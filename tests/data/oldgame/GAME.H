// ゲームの見出し：表
#define GAME_TITLE "ゲーム表示"

#ifdef __cplusplus
extern "C" {
#endif
/* SUB/PART.C：能 */
int part_count(void);
const char *part_text(void);
#ifdef __cplusplus
}
#endif
