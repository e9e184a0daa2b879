#!/usr/bin/env node
// The page checks: dg's programs as web pages in headless Chromium, served
// from the web build's tree on 127.0.0.1.
//   node tests/web/run.mjs BUILD [OUT] [check...]
//   BUILD: the web build (build/web); OUT: where screenshots go (default BUILD/checks)
//   checks: demo idle examples loadbmp fullscreen screenshot suite bytes site (default: all)
// Every page starts in a fresh browser tab; keys are held (down, the effect
// awaited, up), as a person presses them. Prints one line per check and
// "N passed, N failed"; exit code 1 on any failure.
import fs from 'node:fs';
import path from 'node:path';
import { fileURLToPath } from 'node:url';
import { startServer, launchBrowser, openPage, pageEval, waitFor, idleCpu } from './page.mjs';
import * as pictures from './pictures.mjs';
import { firstFrame } from './firstframe.mjs';

const here = path.dirname(fileURLToPath(import.meta.url));
const [build, outArg, ...only] = process.argv.slice(2);
if (!build) { console.error('usage: run.mjs BUILD [OUT] [check...]'); process.exit(2); }
const out = outArg || path.join(build, 'checks');
fs.mkdirSync(out, { recursive: true });

let passed = 0, failed = 0;
const ok = (good, what, detail = []) => {
  good ? passed++ : failed++;
  console.log(`${good ? 'ok  ' : 'FAIL'} ${what}`);
  if (!good) for (const d of [].concat(detail)) console.log(`       ${d}`);
  return good;
};
const sleep = ms => new Promise(r => setTimeout(r, ms));

const server = await startServer(build);
const browser = await launchBrowser();

// A page of the build, open until fn is done; its log is shown when a check in
// it failed.
async function withPage(rel, fn, options) {
  const before = failed;
  const page = await openPage(browser, server.url + rel, options);
  try {
    await fn(page);
  } catch (e) {
    ok(false, `${rel}: ${e.message}`);
  } finally {
    if (failed > before || process.env.PAGE_TEST_LOG) page.dgLog.slice(-30).forEach(l => console.log(`       ${l}`));
    await page.close();
  }
}

// The canvas as a picture: {w, h, at(x, y) -> '#RRGGBB'}.
async function picture(page) {
  const s = await pageEval(page, `(() => {
    const c = document.getElementById('canvas'), d = c.getContext('2d').getImageData(0, 0, c.width, c.height).data;
    let s = c.width + ',' + c.height + ',';
    for (let i = 0; i < d.length; i += 4) s += ((d[i] << 16) | (d[i + 1] << 8) | d[i + 2]).toString(16).padStart(6, '0');
    return s;
  })()`);
  const [w, h, px] = s.split(',');
  return { w: +w, h: +h, at: (x, y) => '#' + px.substr((y * w + x) * 6, 6).toUpperCase() };
}

// Waits until the canvas passes a check (its faults empty); the last faults.
async function settles(page, check, timeout = 10000) {
  const end = Date.now() + timeout;
  for (;;) {
    const faults = check(await picture(page));
    if (!faults.length || Date.now() > end) return faults;
    await sleep(100);
  }
}

const started = page => waitFor(page, 'document.getElementById("canvas").width > 0 && window.dgExitCode === undefined', 20000);
const exitCode = (page, timeout = 10000) =>
  waitFor(page, 'window.dgExitCode !== undefined && String(window.dgExitCode)', timeout).catch(() => 'none (still running)');
async function hold(page, key, ms = 150) {
  await page.keyboard.down(key);
  await sleep(ms);
  await page.keyboard.up(key);
  await sleep(250);
}
// Holds a key until the program ends: its exit code.
async function holdUntilEnd(page, key) {
  await page.keyboard.down(key);
  const code = await exitCode(page);
  await page.keyboard.up(key);
  return code;
}
const titled = (page, title) =>
  waitFor(page, `document.title === ${JSON.stringify(title)}`, 5000).then(() => true, () => false);
const dialog = page => pageEval(page, `(() => { const d = document.getElementById('dgDialog');
  return d ? d.querySelector('h1').textContent + '|' + d.querySelector('p').textContent : ''; })()`);

// The demo: its three lines exactly as the native build draws them
// (tests/data/demo-text.txt), Esc doing nothing, a polled key ending it.
const demoRows = fs.readFileSync(path.join(here, '../data/demo-text.txt'), 'utf8').trim().split('\n');
const demoLines = pic => {
  const faults = [];
  const colour = { '.': '#000000', b: '#0000A8', g: '#00A800', m: '#A800A8' };
  if (pic.w !== 640 || pic.h !== 400) return [`canvas ${pic.w}x${pic.h}, want 640x400`];
  for (let y = 0; y < 400; y++)
    for (let x = 0; x < 640; x++) {
      const inText = x >= 20 && x < 60 && y >= 20 && y < 76;
      const want = inText ? colour[demoRows[y - 20][x - 20]] : '#000000';
      if (pic.at(x, y) !== want && faults.length < 5) faults.push(`${pic.at(x, y)} at ${x},${y}, want ${want}`);
    }
  return faults;
};

// The canvas scaled by the largest whole multiple that fits the page, in
// device pixels: [viewport, CSS width and height the canvas must have].
const fits = {
  a: [{ width: 1400, height: 900, deviceScaleFactor: 1 }, '1280px 800px'],
  7: [{ width: 1024, height: 768, deviceScaleFactor: 2 }, '960px 600px'],
  Space: [{ width: 800, height: 600, deviceScaleFactor: 1.5 }, '426.667px 266.667px'],
};

async function demo() {
  let first = true;
  for (const key of ['a', '7', 'Space', 'ArrowUp', 'Enter']) {
    const [viewport, size] = fits[key] || [];
    await withPage('demo/demo.html', async page => {
      await started(page);
      const faults = await settles(page, demoLines);
      if (size) {
        const got = await pageEval(page, 'canvas.style.width + " " + canvas.style.height');
        ok(got === size, `demo: at ${viewport.width}x${viewport.height}, ${viewport.deviceScaleFactor} device pixels ` +
          `a pixel, the canvas is ${got} (want ${size})`);
      }
      if (first) {
        ok(faults.length === 0, 'demo: three lines at the native build\'s device pixels', faults);
        ok(await titled(page, 'タイトルです'), 'demo: page title タイトルです');
        await page.screenshot({ path: path.join(out, 'demo.png') });
        first = false;
      }
      await hold(page, 'Escape', 300);
      await sleep(500);
      ok(await pageEval(page, 'window.dgExitCode === undefined && !document.getElementById("dgDialog")'),
        `demo: Esc does nothing while it waits (before ${key})`);
      const code = await holdUntilEnd(page, key);
      ok(code === '1', `demo: ${key} ends it, exit code ${code}`);
      ok(/ended \(exit code 1\)/.test(await pageEval(page, 'document.getElementById("status").textContent')),
        `demo: the page says the program ended (${key})`);
    }, { viewport });
  }
  // A key held from the start ends it as soon as it waits. A page learns of a
  // key only from its events: a held key's first repeat (keydown again, as
  // the keyboard repeats it) tells it. (The window is gone with the program,
  // as on the desktop: what it drew is not there to look at afterwards.)
  const page = await browser.newPage();
  page.dgLog = [];
  try {
    await page.goto(server.url + 'demo/demo.html', { waitUntil: 'domcontentloaded' });
    await page.keyboard.down('z');
    let code = 'none (still running)';
    for (let i = 0; i < 100 && !/^\d+$/.test(code); i++) {
      await sleep(100);
      await page.keyboard.down('z'); // a repeat
      code = await exitCode(page, 100);
    }
    await page.keyboard.up('z');
    ok(code === '1', `demo: z held from the start ends it, exit code ${code}`);
  } finally {
    await page.close();
  }
}

// A page left waiting in getch costs the browser almost nothing.
async function idle() {
  await withPage('demo/demo.html', async page => {
    await started(page);
    await settles(page, demoLines);
    await sleep(1500); // past the first second, when the waits grow long
    const cpu = await idleCpu(browser, page, 5);
    const pct = x => (100 * x).toFixed(1) + ' %';
    ok(cpu.task < 0.1, `idle: demo in getch for ${cpu.seconds.toFixed(1)} s: page main thread ${pct(cpu.task)}, ` +
      `script ${pct(cpu.script)} of a core (renderer process ${pct(cpu.processes.renderer || 0)})`);
    const code = await holdUntilEnd(page, 'Enter');
    ok(code === '1', `idle: a key still ends it after the wait, exit code ${code}`);
  });
}

async function examples() {
  await withPage('examples/palette.html', async page => {
    await started(page);
    ok(await titled(page, 'パレット'), 'palette: page title パレット');
    const faults = await settles(page, pictures.palette);
    ok(!faults.length, 'palette: 256 boxes in their VGA colours, the panel and the title line', faults);
    await page.screenshot({ path: path.join(out, 'example-palette.png') });
    ok(await holdUntilEnd(page, 'Enter') === '1', 'palette: Enter ends it, exit code 1');
  });
  await withPage('examples/bounce.html', async page => {
    await started(page);
    let a = await settles(page, p => pictures.ball(p).faults);
    const first = pictures.ball(await picture(page));
    await sleep(500);
    const second = pictures.ball(await picture(page));
    ok(!a.length && !first.faults.length && !second.faults.length && first.at !== second.at,
      `bounce: one whole ball in the field, at ${first.at} then at ${second.at}`, [...a, ...first.faults, ...second.faults]);
    ok(await holdUntilEnd(page, 'Space') === '1', 'bounce: Space ends it, exit code 1');
  });
  await withPage('examples/sprite.html', async page => {
    await started(page);
    let faults = await settles(page, p => pictures.face(p, 152, 92));
    ok(!faults.length, 'sprite: the face at 152,92 over the floor', faults);
    for (const k of ['ArrowRight', 'ArrowRight', 'ArrowRight', 'ArrowUp']) await hold(page, k);
    faults = await settles(page, p => pictures.face(p, 176, 84));
    ok(!faults.length, 'sprite: Right 3 times and Up: the face at 176,84', faults);
    await hold(page, 'Escape');
    const asked = await waitFor(page, 'document.getElementById("dgDialog") && 1', 5000).catch(() => 0);
    const text = asked ? await dialog(page) : '';
    ok(text === '終了確認です|本当に終了しますか？', `sprite: Esc asks "${text}" in a dialog with Yes and No`) &&
      ok(await pageEval(page, '!!document.getElementById("dgDialogYes") && !!document.getElementById("dgDialogNo")'),
        'sprite: the question has Yes and No');
    await hold(page, 'Escape'); // No
    await sleep(300);
    faults = pictures.face(await picture(page), 176, 84);
    ok(await pageEval(page, '!document.getElementById("dgDialog") && window.dgExitCode === undefined') && !faults.length,
      'sprite: Esc again answers No: the picture stays as it was', faults);
    // Yes ends it.
    await hold(page, 'Escape');
    await waitFor(page, 'document.getElementById("dgDialogYes") && 1', 5000);
    await page.click('#dgDialogYes');
    const code = await exitCode(page);
    ok(code === '1', `sprite: Yes to the question ends it, exit code ${code}`);
  });
  await withPage('examples/keys.html', async page => {
    await started(page);
    await settles(page, p => pictures.lamps(p).faults);
    for (const [key, want] of [['a', 97], ['ArrowRight', 77], ['7', 55], ['Space', 32], ['Enter', 13]]) {
      await hold(page, key);
      let got;
      await settles(page, p => ((got = pictures.lamps(p)).code === want ? [] : ['wrong']), 3000);
      ok(got.code === want, `keys: ${key} lights ${got.code} (want ${want})`, got.faults);
      const line = `コード: ${String(want).padStart(3)}  (16進 ${want.toString(16).toUpperCase().padStart(2, '0')})`;
      const faults = pictures.textcheck(await picture(page), [['#54FC54', 40, 60, pictures.cells(line)]]);
      ok(!faults.length, `keys: code line for ${want}`, faults);
    }
    ok(await holdUntilEnd(page, 'q') === '1', 'keys: q ends it, exit code 1');
  });
  await withPage('examples/japanese.html', async page => {
    await started(page);
    ok(await titled(page, '日本語'), 'japanese: page title 日本語');
    const faults = await settles(page, pictures.japanese);
    ok(!faults.length, 'japanese: ten lines in their colours and places', faults);
    await page.screenshot({ path: path.join(out, 'example-japanese.png') });
    ok(await holdUntilEnd(page, 'Enter') === '1', 'japanese: Enter ends it, exit code 1');
  });
}

// A bitmap the page brought (dg_add_program FILES) is drawn; one it lacks is
// told in a message box, and OK ends the program with exit code 1.
async function loadbmp() {
  await withPage('tests/loadbmp.html', async page => {
    await started(page);
    await waitFor(page, 'document.getElementById("dgDialog") && 1', 10000);
    const text = await dialog(page);
    ok(text === 'エラー|Bitmapロードエラー:data/none.bmp', `loadbmp: missing bitmap told: "${text}"`);
    // data/four.bmp, 4 x 2, drawn doubled at the top left.
    const want = ['#FF0000', '#00FF00', '#0000FF', '#FFFFFF', '#000000', '#FFFF00', '#00FFFF', '#FF00FF'];
    const pic = await picture(page);
    const faults = [];
    for (let i = 0; i < 8; i++)
      for (const [dx, dy] of [[0, 0], [1, 0], [0, 1], [1, 1]]) {
        const x = (i % 4) * 2 + dx, y = (i >> 2) * 2 + dy;
        if (pic.at(x, y) !== want[i]) faults.push(`${pic.at(x, y)} at ${x},${y}, want ${want[i]}`);
      }
    ok(!faults.length, 'loadbmp: the bitmap brought with the page drawn at twice its size', faults.slice(0, 4));
    ok(await pageEval(page, '!!document.getElementById("dgDialogOk") && !document.getElementById("dgDialogNo")'),
      'loadbmp: the message has OK alone');
    await page.click('#dgDialogOk');
    const code = await exitCode(page);
    ok(code === '1', `loadbmp: OK ends it, exit code ${code}`);
  });
}

// Full screen (bai 2): the page asks for the browser's full-screen mode, which
// a browser grants only in answer to the user: the next key (minus, which
// getch does not poll; a modifier alone is no answer) brings it. The canvas keeps 320 x 200 and is scaled by
// a whole multiple to the screen; the end leaves full screen.
async function fullscreen() {
  await withPage('tests/full.html', async page => {
    await started(page);
    await waitFor(page, 'canvas.width === 320 && canvas.height === 200', 5000);
    const before = await pageEval(page, '!!document.fullscreenElement');
    await hold(page, 'Minus');
    const full = await waitFor(page, 'document.fullscreenElement === document.documentElement', 5000).catch(() => false);
    ok(!before && full, `fullscreen: asked at once, granted at the next key (before ${before}, after ${!!full})`);
    const [n, m, w, h] = await pageEval(page, `[parseFloat(canvas.style.width) * devicePixelRatio / 320,
      parseFloat(canvas.style.height) * devicePixelRatio / 200, innerWidth * devicePixelRatio,
      innerHeight * devicePixelRatio]`);
    const whole = n === m && Number.isInteger(n) && n >= 1;
    const largest = 320 * n <= w && 200 * n <= h && (320 * (n + 1) > w || 200 * (n + 1) > h);
    ok(whole && largest, `fullscreen: 320 x 200 scaled ${n} x ${m} times on a screen of ${w} x ${h} device pixels`);
    const red = (await picture(page)).at(25, 15);
    ok(red === '#A80000', `fullscreen: the box drawn 1 : 1 (${red} at 25,15)`);
    const code = await holdUntilEnd(page, 'a');
    ok(code === '1' && await waitFor(page, '!document.fullscreenElement', 5000).catch(() => false),
      `fullscreen: a ends it (exit code ${code}) and the page leaves full screen`);
  });
}

// F12 while the demo waits in getch: the client area offered as a download,
// demo-YYYYMMDD-HHMMSS.png, a PNG of 640 x 400.
async function screenshot() {
  await withPage('demo/demo.html', async page => {
    await started(page);
    await settles(page, demoLines);
    const dir = fs.mkdtempSync(path.join(out, 'downloads-'));
    const cdp = await page.createCDPSession();
    await cdp.send('Browser.setDownloadBehavior', { behavior: 'allow', downloadPath: dir });
    await hold(page, 'F12');
    let files = [];
    for (const end = Date.now() + 10000; Date.now() < end && !files.length; await sleep(100))
      files = fs.readdirSync(dir).filter(f => /^demo-\d{8}-\d{6}\.png$/.test(f));
    const png = files.length ? fs.readFileSync(path.join(dir, files[0])) : Buffer.alloc(0);
    const size = png.length > 24 && png.toString('latin1', 1, 4) === 'PNG' ? `${png.readUInt32BE(16)} x ${png.readUInt32BE(20)}` : 'none';
    ok(files.length === 1 && size === '640 x 400', `screenshot: F12 offers ${files[0] || 'nothing'} (${size})`,
      fs.readdirSync(dir));
    ok(await pageEval(page, 'window.dgExitCode === undefined'), 'screenshot: F12 is no key getch returns');
    // F8, F12, F8: the keys recorded as a check script with that frame.
    await hold(page, 'F8');
    await hold(page, 'F12');
    await hold(page, 'F8');
    let scripts = [];
    for (const end = Date.now() + 10000; Date.now() < end && !scripts.length; await sleep(100))
      scripts = fs.readdirSync(dir).filter(f => /^demo-\d{8}-\d{6}(-\d+)?\.txt$/.test(f));
    const text = scripts.length ? fs.readFileSync(path.join(dir, scripts[0]), 'utf8') : '';
    ok(/^frame demo-\d{8}-\d{6}(-\d+)?$/m.test(text), `screenshot: F8, F12, F8 offer ${scripts[0] || 'no script'} with its frame`,
      [fs.readdirSync(dir).join(' '), ...text.split('\n').slice(0, 6)]);
    await cdp.detach();
    fs.rmSync(dir, { recursive: true, force: true });
  });
}

// The GoogleTest suite as a page: the tests that need no real desktop.
// (Quit.MainReturning* runs a child process; the demo's page shows the same.)
const suiteFilter = 'Palette*:Startup*:Screen*:Pixels*:Lines*:Copies*:BackBuffer*:Idioms*:Bitmaps*:' +
  'Text*:Keys*:Wait*:Hostile*:Quit*:Pump*-Quit.MainReturningEndsWithExitCodeOne';
async function suite() {
  await withPage('tests/dg_tests.html?--gtest_filter=' + encodeURIComponent(suiteFilter), async page => {
    const code = await exitCode(page, 300000);
    const log = page.dgLog.map(l => l.replace(/^console\.\w+: /, ''));
    const summary = log.filter(l => /^\[  (PASSED|FAILED|SKIPPED) +\]|^\[==========\] \d+ tests/.test(l));
    ok(code === '0' && log.some(l => /^\[  PASSED  \]/.test(l)) && !log.some(l => /^\[  FAILED  \]/.test(l)),
      `suite in the page: exit code ${code}; ${summary.join('; ')}`, log.filter(l => /FAILED|Failure|error/i.test(l)).slice(0, 30));
  });
}

// What pages download before their first frame, gzip -9 as a compressing
// server sends it: html, script, wasm and the face's pieces their text
// needs by then (README, "Size and speed").
const demoFirstFrameBudget = 400000; // bytes, gzip -9
const exampleFirstFrameBudget = 600000;
const examplePages = ['bounce', 'japanese', 'keys', 'palette', 'sprite'];
async function bytes() {
  const list = r => r.files.map(f => `${f.url} ${f.bytes} (${f.gzip})`);
  const r = await firstFrame(browser, build, server.url + 'demo/demo.html');
  ok(r.gzip <= demoFirstFrameBudget, `bytes: the demo's first frame needs ${r.gzip} bytes gzip -9 ` +
    `(${r.bytes} as served; budget ${demoFirstFrameBudget}) after ${Math.round(r.ms)} ms`, list(r));
  for (const name of examplePages) {
    const e = await firstFrame(browser, build, server.url + `examples/${name}.html`);
    ok(e.gzip <= exampleFirstFrameBudget, `bytes: ${name}'s first frame needs ${e.gzip} bytes gzip -9 ` +
      `in ${e.files.length} files (budget ${exampleFirstFrameBudget})`, list(e));
  }
}

// A site of pages: the japanese example downloads only the face's pieces its
// text needs (all it ever downloads within japaneseBudget), and the keys
// example after it gets every piece the two share from the browser's cache
// (asked again, answered 304 with no body), so it downloads only its own
// program and the pieces only it needs.
const japaneseBudget = 1500000; // bytes, gzip -9, the page complete
async function site() {
  const context = await browser.createBrowserContext(); // a cache of its own, empty
  try {
    await siteIn(context);
  } finally {
    await context.close();
  }
}
async function siteIn(context) {
  const j = await firstFrame(context, build, server.url + 'examples/japanese.html', true);
  const pieces = j.files.filter(f => f.url.startsWith('/mincho/'));
  ok(j.gzip <= japaneseBudget && pieces.length > 1 && pieces.length < 100,
    `site: japanese complete needs ${j.gzip} bytes gzip -9, ${pieces.length} of the face's pieces ` +
    `(budget ${japaneseBudget})`, j.files.map(f => `${f.url} ${f.bytes} (${f.gzip})`));
  const had = new Set(pieces.map(f => f.url));
  server.served.length = 0;
  const k = await firstFrame(context, build, server.url + 'examples/keys.html', true);
  const shared = k.files.filter(f => had.has(f.url)).map(f => f.url);
  const sent = server.served.filter(s => s.status === 200);
  ok(shared.length > 0 && !sent.some(s => had.has(s.path)),
    `site: keys shares ${shared.length} pieces with japanese, none sent again; ` +
    `${sent.length} files sent: ${sent.map(s => s.path.replace(/.*\//, '')).join(' ')}`,
    server.served.map(s => `${s.path} ${s.status}`));
}

const checks = { demo, idle, examples, loadbmp, fullscreen, screenshot, suite, bytes, site };
try {
  for (const name of only.length ? only : Object.keys(checks)) {
    if (!checks[name]) { ok(false, `no check named ${name}`); continue; }
    await checks[name]();
  }
} catch (e) {
  ok(false, `error: ${e.stack || e.message}`);
} finally {
  await browser.close();
  await server.close();
}
console.log(`${passed} passed, ${failed} failed`);
process.exit(failed ? 1 : 0);
