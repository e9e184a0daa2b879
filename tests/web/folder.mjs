#!/usr/bin/env node
// A page that `dg web` made of a folder, in headless Chromium: the canvas
// shows the pixels listed in PIXELS ("x y #RRGGBB" lines), then Space ends
// the program with exit code 1.
//   node tests/web/folder.mjs URL PIXELS [SCREENSHOT]
import fs from 'node:fs';
import { launchBrowser, openPage, readPixels, waitFor } from './page.mjs';

const [url, pixels, shot] = process.argv.slice(2);
if (!url || !pixels) { console.error('usage: folder.mjs URL PIXELS [SCREENSHOT]'); process.exit(2); }
const want = fs.readFileSync(pixels, 'utf8').split('\n').filter(l => /^\d/.test(l))
  .map(l => l.split(/\s+/)).map(([x, y, c]) => [+x, +y, c.slice(1).toUpperCase()]);

const browser = await launchBrowser();
let good = false;
const page = await openPage(browser, url);
try {
  await waitFor(page, 'document.getElementById("canvas").width === 640', 20000);
  let faults = [];
  for (const end = Date.now() + 10000; Date.now() < end;) {
    const got = await readPixels(page, want.map(([x, y]) => [x, y]));
    faults = want.map(([x, y, c], i) => got[i] === c ? '' : `${x},${y}: ${got[i]}, want ${c}`).filter(f => f);
    if (!faults.length) break;
    await new Promise(r => setTimeout(r, 100));
  }
  if (shot) await page.screenshot({ path: shot });
  console.log(faults.length ? `FAIL the page shows other pixels: ${faults.slice(0, 4).join('; ')}` : 'ok   the page shows its bitmaps and green lamps');
  await page.keyboard.down('Space');
  const code = await waitFor(page, 'window.dgExitCode !== undefined && String(window.dgExitCode)', 10000).catch(() => 'none');
  await page.keyboard.up('Space');
  console.log(code === '1' ? 'ok   Space ends it, exit code 1' : `FAIL exit code ${code} after Space`);
  good = !faults.length && code === '1';
} catch (e) {
  console.log(`FAIL ${e.message}`);
  page.dgLog.slice(-20).forEach(l => console.log(`       ${l}`));
} finally {
  await page.close();
  await browser.close();
}
process.exit(good ? 0 : 1);
