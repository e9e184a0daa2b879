#!/usr/bin/env node
// A page's first frame in headless Chromium: the time from the start of the
// page's navigation to the first canvas with anything drawn on it (a pixel
// unlike the others, looked for at every animation frame), and what the page
// had downloaded by then: bytes as served, and gzip -9 as a server that
// compresses would send them. Best of RUNS, each in a fresh tab.
//   node tests/web/firstframe.mjs DIR PAGE [RUNS]
// Prints "PAGE: first frame N ms, B bytes (G gzip -9) in F files"; exit code 1
// when no frame came within 30 s. firstFrame() is the same for run.mjs.
import fs from 'node:fs';
import path from 'node:path';
import zlib from 'node:zlib';
import { fileURLToPath } from 'node:url';
import { startServer, launchBrowser } from './page.mjs';

const watch = `(() => {
  const look = () => {
    const c = document.getElementById('canvas');
    if (c && c.width && c.height) {
      const d = new Uint32Array(c.getContext('2d').getImageData(0, 0, c.width, c.height).data.buffer);
      for (let i = 1; i < d.length; i++)
        if (d[i] !== d[0]) { window.dgFirstFrame = performance.now(); return; }
    }
    requestAnimationFrame(look);
  };
  requestAnimationFrame(look);
})()`;

// {ms, bytes, gzip, files: [{url, bytes, gzip}]} of the page at url, its
// files read from dir (the server's root at url's origin), in a new tab of
// browser (or of a browser context). With complete,
// the files are all it downloads until the network is quiet for half a
// second after the first frame, not only those before it.
export async function firstFrame(browser, dir, url, complete = false) {
  const page = await browser.newPage();
  const seen = [];
  page.on('requestfinished', r => seen.push(r.url()));
  await page.evaluateOnNewDocument(watch);
  try {
    await page.goto(url, { waitUntil: 'load' });
    await page.waitForFunction('window.dgFirstFrame !== undefined', { timeout: 30000, polling: 20 });
    const ms = await page.evaluate('window.dgFirstFrame');
    if (complete) await page.waitForNetworkIdle({ idleTime: 500, timeout: 20000 });
    const until = await page.evaluate(`performance.getEntriesByType('resource')
      .filter(e => ${complete} || e.responseEnd <= window.dgFirstFrame).map(e => e.name)`);
    const files = [];
    for (const u of [url, ...until]) {
      const rel = decodeURIComponent(new URL(u).pathname);
      const file = path.join(dir, rel);
      if (!u.startsWith(new URL(url).origin) || !fs.existsSync(file) || files.some(f => f.url === rel)) continue;
      const body = fs.readFileSync(file);
      files.push({ url: rel, bytes: body.length, gzip: zlib.gzipSync(body, { level: 9 }).length });
    }
    const sum = k => files.reduce((n, f) => n + f[k], 0);
    return { ms, bytes: sum('bytes'), gzip: sum('gzip'), files };
  } finally {
    await page.close();
  }
}

if (process.argv[1] === fileURLToPath(import.meta.url)) {
  const [dir, rel, runs = '3'] = process.argv.slice(2);
  const server = await startServer(dir);
  const browser = await launchBrowser();
  let best = null, code = 0;
  try {
    for (let i = 0; i < +runs; i++) {
      const r = await firstFrame(browser, dir, server.url + rel);
      if (!best || r.ms < best.ms) best = r;
    }
    console.log(`${rel}: first frame ${Math.round(best.ms)} ms, ${best.bytes} bytes (${best.gzip} gzip -9) in ${best.files.length} files`);
    for (const f of best.files) console.log(`  ${f.url} ${f.bytes} (${f.gzip})`);
  } catch (e) {
    console.log(`${rel}: no first frame (${e.message})`);
    code = 1;
  } finally {
    await browser.close();
    await server.close();
  }
  process.exit(code);
}
