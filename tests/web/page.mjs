// Pages in Debian's headless Chromium (puppeteer-core), served from a folder
// on 127.0.0.1: the server, the browser, a page with its log, evaluation
// without a user gesture, waiting, canvas pixels and the CPU an idle page uses.
// run.mjs (the page checks) uses it; the server is tools/serve.mjs's.
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import puppeteer from 'puppeteer-core';

export { startServer } from '../../tools/serve.mjs';

// Debian's chromium, headless, with a fresh profile that is removed on close.
export async function launchBrowser() {
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'dg-chromium-'));
  const browser = await puppeteer.launch({
    executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
    headless: true,
    userDataDir: profile,
    args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
           '--disable-background-networking', '--disable-component-update', '--disable-sync',
           '--force-device-scale-factor=1'],
    defaultViewport: { width: 1024, height: 768, deviceScaleFactor: 1 },
  });
  const close = browser.close.bind(browser);
  browser.close = async () => { await close(); fs.rmSync(profile, { recursive: true, force: true }); };
  return browser;
}

// A page with its console and errors collected in page.dgLog; dialogs are
// answered as `dialog` says ('accept', 'dismiss', a function, or 'none': left open);
// viewport: puppeteer's {width, height, deviceScaleFactor}.
export async function openPage(browser, url, { dialog = 'dismiss', viewport } = {}) {
  const page = await browser.newPage();
  if (viewport) await page.setViewport(viewport);
  page.dgLog = [];
  page.dgDialogs = [];
  page.on('console', m => page.dgLog.push(`console.${m.type()}: ${m.text()}`));
  page.on('pageerror', e => page.dgLog.push(`pageerror: ${e.message}`));
  if (dialog !== 'none') page.on('dialog', async d => {
    page.dgDialogs.push({ type: d.type(), message: d.message() });
    if (typeof dialog === 'function') await dialog(d);
    else if (dialog === 'accept') await d.accept();
    else await d.dismiss();
  });
  await page.goto(url, { waitUntil: 'load' });
  return page;
}

// The value of a JS expression in the page (awaited if a promise), evaluated
// WITHOUT a user gesture: puppeteer's own page.evaluate/waitForFunction pass
// userGesture: true, which hands the page transient activation and lets
// requestFullscreen() and the like through where a real page would refuse.
export async function pageEval(page, expr) {
  if (!page.dgCdp) page.dgCdp = await page.createCDPSession();
  const r = await page.dgCdp.send('Runtime.evaluate', {
    expression: expr, returnByValue: true, awaitPromise: true, userGesture: false });
  if (r.exceptionDetails) throw new Error(r.exceptionDetails.exception?.description || r.exceptionDetails.text);
  return r.result.value;
}

// Waits until expr is truthy in the page (polled every 20 ms); its value, or throws.
export async function waitFor(page, expr, timeout = 10000) {
  const end = Date.now() + timeout;
  for (;;) {
    const v = await pageEval(page, expr);
    if (v) return v;
    if (Date.now() > end) throw new Error(`timed out waiting for ${expr}`);
    await new Promise(r => setTimeout(r, 20));
  }
}

// Canvas pixels as 'RRGGBB' strings (alpha must be 255), from the canvas's own
// 2d context (the one Emscripten's SDL port draws into with putImageData).
export function readPixels(page, points, selector = '#canvas') {
  return pageEval(page, `(() => {
    const c = document.querySelector(${JSON.stringify(selector)});
    const ctx = c && c.getContext('2d');
    return ${JSON.stringify(points)}.map(([x, y]) => {
      if (!ctx) return 'no 2d context';
      const d = ctx.getImageData(x, y, 1, 1).data;
      const hex = [0, 1, 2].map(i => d[i].toString(16).padStart(2, '0')).join('').toUpperCase();
      return d[3] === 255 ? hex : hex + '/a=' + d[3];
    });
  })()`);
}

// CPU spent while the page idles for `seconds`: the page's main-thread task
// and script time (CDP Performance.getMetrics) and the CPU time of every
// Chromium process (CDP SystemInfo.getProcessInfo), as fractions of one core.
export async function idleCpu(browser, page, seconds) {
  const cdp = await page.createCDPSession();
  await cdp.send('Performance.enable');
  const sys = await browser.target().createCDPSession();
  const metrics = async () => Object.fromEntries((await cdp.send('Performance.getMetrics')).metrics
    .map(m => [m.name, m.value]));
  const procs = async () => (await sys.send('SystemInfo.getProcessInfo')).processInfo;
  const [m0, p0, t0] = [await metrics(), await procs(), performance.now()];
  await new Promise(r => setTimeout(r, seconds * 1000));
  const [m1, p1, t1] = [await metrics(), await procs(), performance.now()];
  const wall = (t1 - t0) / 1000;
  const byType = {};
  for (const p of p1) {
    const before = p0.find(q => q.id === p.id);
    byType[p.type] = (byType[p.type] || 0) + (p.cpuTime - (before ? before.cpuTime : 0)) / wall;
  }
  await cdp.detach();
  await sys.detach();
  return {
    seconds: wall,
    task: (m1.TaskDuration - m0.TaskDuration) / wall,
    script: (m1.ScriptDuration - m0.ScriptDuration) / wall,
    processes: byType,
  };
}
