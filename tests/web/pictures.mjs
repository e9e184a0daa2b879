// What the examples' pictures must be, pixel for pixel where the picture is
// exact: the same rules the desktop end-to-end checks (tests/e2e) apply to a
// screenshot, applied to a page's canvas. A picture is {w, h, at(x, y)} with
// colours as '#RRGGBB'. Each check returns a list of faults (empty: good).

const hex2 = v => v.toString(16).toUpperCase().padStart(2, '0');
const rgb = (r, g, b) => '#' + hex2(r * 4) + hex2(g * 4) + hex2(b * 4);

// The VGA default palette, as '#RRGGBB'.
export const vga = (() => {
  const v = [];
  const low = ['0,0,0', '0,0,42', '0,42,0', '0,42,42', '42,0,0', '42,0,42', '42,21,0', '42,42,42',
    '21,21,21', '21,21,63', '21,63,21', '21,63,63', '63,21,21', '63,21,63', '63,63,21', '63,63,63'];
  for (const c of low) v.push(rgb(...c.split(',').map(Number)));
  for (const g of [0, 5, 8, 11, 14, 17, 20, 24, 28, 32, 36, 40, 45, 50, 56, 63]) v.push(rgb(g, g, g));
  const rings = ['0,16,31,47,63', '31,39,47,55,63', '45,49,54,58,63', '0,7,14,21,28', '14,17,21,24,28',
    '20,22,24,26,28', '0,4,8,12,16', '8,10,12,14,16', '11,12,13,15,16'];
  const ring = '004 104 204 304 404 403 402 401 400 410 420 430 440 340 240 140 040 041 042 043 044 034 024 014'.split(' ');
  for (const r of rings) {
    const lv = r.split(',').map(Number);
    for (const j of ring) v.push(rgb(lv[+j[0]], lv[+j[1]], lv[+j[2]]));
  }
  for (let i = 248; i < 256; i++) v.push('#000000');
  return v;
})();

// Character cells a text takes in code page 932: one for ASCII and
// half-width kana, two for everything else.
export const cells = s => [...s].reduce((n, c) => {
  const u = c.codePointAt(0);
  return n + (u < 0x80 || (u >= 0xFF61 && u <= 0xFF9F) ? 1 : 2);
}, 0);

// Every pixel of a box's colour lies in one of the boxes of that colour, each
// box holds some of it, and its rightmost pixel lies in its last two cells.
// Boxes: [colour, x, y, cells] in logical pixels, cells of 4 x 8.
export function textcheck(pic, boxes, rows = [0, pic.h]) {
  const faults = [];
  const b = boxes.map(([col, x, y, n]) => ({ col, x: x * 2, y: y * 2, w: n * 8, ink: 0, right: -1 }));
  const known = new Set(boxes.map(x => x[0]));
  for (let y = rows[0]; y < rows[1]; y++)
    for (let x = 0; x < pic.w; x++) {
      const c = pic.at(x, y);
      if (!known.has(c)) continue;
      const hit = b.find(k => k.col === c && x >= k.x && x < k.x + k.w && y >= k.y && y < k.y + 16);
      if (!hit) { if (faults.length < 4) faults.push(`${c} outside its text at ${x},${y}`); continue; }
      hit.ink++;
      hit.right = Math.max(hit.right, x);
    }
  for (const k of b) {
    if (k.ink < 10) faults.push(`text missing in ${k.col} at ${k.x},${k.y}`);
    else if (k.right < k.x + k.w - 16) faults.push(`text in ${k.col} at ${k.x},${k.y} ends at ${k.right}`);
  }
  return faults;
}

// palette: every box of the chart in its VGA colour, the panel around them,
// and the title line.
export function palette(pic) {
  const faults = [], seen = new Array(256).fill(0);
  for (let py = 0; py < pic.h; py++)
    for (let px = 0; px < pic.w; px++) {
      const x = px >> 1, y = py >> 1;
      if (x < 22 || x >= 312 || y < 18 || y >= 197) continue;
      const c = Math.floor((x - 24) / 18), r = Math.floor((y - 20) / 11);
      const inbox = x >= 24 && y >= 20 && r < 16 && c < 16 && (x - 24) % 18 < 16 && (y - 20) % 11 < 10;
      const want = inbox ? vga[r * 16 + c] : '#383838';
      const got = pic.at(px, py);
      if (got !== want) { if (faults.length < 4) faults.push(`${got} at ${px},${py}, want ${want}`); }
      else if (inbox) seen[r * 16 + c]++;
    }
  seen.forEach((n, i) => { if (n !== 640 && faults.length < 8) faults.push(`colour ${i}: ${n} of 640 pixels`); });
  return faults.concat(textcheck(pic, [['#FCFCFC', 8, 0, cells('VGA 256色パレット')],
    ['#A8A8A8', 256, 0, cells('番号 = 行 + 列')]], [0, 16]));
}

// bounce: the white frame, the blue field and one whole ball in it; the
// ball's centre (logical), or the faults.
export function ball(pic) {
  let area = 0;
  for (let dy = -8; dy <= 8; dy++) { let w = 0; while ((w + 1) * (w + 1) + dy * dy <= 64) w++; area += 2 * w + 1; }
  const faults = [];
  let n = 0, shine = 0, x0 = 1e9, x1 = -1, y0 = 1e9, y1 = -1;
  for (let py = 24; py < pic.h; py++)
    for (let px = 0; px < pic.w; px++) {
      const x = px >> 1, y = py >> 1, c = pic.at(px, py);
      const frame = ((x === 8 || x === 311) && y >= 16 && y <= 191) || ((y === 16 || y === 191) && x >= 8 && x <= 311);
      if (frame) { if (c !== '#FCFCFC' && faults.length < 4) faults.push(`frame ${c} at ${px},${py}`); continue; }
      if (c === '#0000A8') continue;
      if (c === '#FCFC54' || c === '#FCFCFC') {
        n++; if (c === '#FCFCFC') shine++;
        x0 = Math.min(x0, px); x1 = Math.max(x1, px); y0 = Math.min(y0, py); y1 = Math.max(y1, py);
        continue;
      }
      if (faults.length < 4) faults.push(`stray ${c} at ${px},${py}`);
    }
  if (n !== area * 4 || shine !== 16 || x1 - x0 !== 33 || y1 - y0 !== 33)
    faults.push(`ball: ${n} pixels (${shine} shine), ${x1 - x0 + 1}x${y1 - y0 + 1}; want ${area * 4} (16), 34x34`);
  else if ((x0 / 2 + 8) % 2) faults.push(`ball centre at odd x ${x0 / 2 + 8}`);
  return faults.length ? { faults } : { faults, at: `${x0 / 2 + 8},${y0 / 2 + 8}` };
}

// sprite: the face at logical (fx, fy) over the chequered floor, which shows
// through its transparent corners.
export function face(pic, fx, fy) {
  const art = ('.....YYYYYY..... ...YYYYYYYYYY... ..YYYYYYYYYYYY.. .YYYYYYYYYYYYYY. .YYYYKKYYKKYYYY. ' +
    'YYYYYKKYYKKYYYYY YYYYYKKYYKKYYYYY YYYYYYYYYYYYYYYY YYYYYYYYYYYYYYYY YYYRYYYYYYYYRYYY ' +
    'YYYYRYYYYYYRYYYY .YYYYRRRRRRYYYY. .YYYYYYYYYYYYYY. ..YYYYYYYYYYYY.. ...YYYYYYYYYY... .....YYYYYY.....').split(' ');
  const paint = { Y: '#FCFC54', K: '#000000', R: '#A80000' };
  const faults = [];
  for (let py = 16; py < pic.h; py++)
    for (let px = 0; px < pic.w; px++) {
      const x = px >> 1, y = py >> 1;
      let want = (Math.floor(x / 16) + Math.floor(y / 16)) % 2 ? '#000070' : '#0000A8';
      if (x >= fx && x < fx + 16 && y >= fy && y < fy + 16) {
        const a = art[y - fy][x - fx];
        if (a !== '.') want = paint[a];
      }
      const got = pic.at(px, py);
      if (got !== want && faults.length < 4) faults.push(`${got} at ${px},${py}, want ${want}`);
    }
  return faults;
}

// keys: the code the eight lamps show, or the faults.
export function lamps(pic) {
  const on = new Array(8).fill(0), off = new Array(8).fill(0), faults = [];
  for (let py = 168; py < 200; py++)
    for (let px = 80; px < 80 + 8 * 64; px++) {
      const b = Math.floor((px - 80) / 64);
      if (px >= 128 + b * 64) continue;
      const c = pic.at(px, py);
      if (c === '#FC5454') on[b]++; else if (c === '#545454') off[b]++;
      else if (faults.length < 4) faults.push(`lamp ${b}: ${c} at ${px},${py}`);
    }
  let code = 0;
  for (let b = 0; b < 8; b++) {
    if (on[b] === 48 * 32) code += 2 ** (7 - b);
    else if (off[b] !== 48 * 32) faults.push(`lamp ${b}: neither on nor off`);
  }
  return faults.length ? { faults } : { faults, code };
}

// japanese: each line in its colour, in its place, at its length in cells.
export function japanese(pic) {
  return textcheck(pic, [
    ['#FCFC54', 16, 8, cells('日本語のページ')],
    ['#FCFCFC', 32, 28, cells('古池や')],
    ['#FCFCFC', 48, 40, cells('蛙飛び込む')],
    ['#FCFCFC', 64, 52, cells('水の音')],
    ['#A8A8A8', 104, 64, cells('松尾芭蕉')],
    ['#54FC54', 16, 88, cells('ひらがな: あいうえお かきくけこ')],
    ['#54FCFC', 16, 100, cells('カタカナ: アイウエオ カキクケコ')],
    ['#FC54FC', 16, 112, cells('半角カナ: ｱｲｳｴｵ ｶｷｸｹｺ')],
    ['#FC5454', 16, 124, cells('全角英数: ＡＢＣ１２３  ASCII: ABC123')],
    ['#5454FC', 16, 176, cells('キーを押すと終わります')],
  ]);
}
