#!/usr/bin/env node
// Where a page spends its time: runs it to its end in headless Chromium
// under the CPU profiler and prints the 25 functions with the most time of
// their own, in per cent. A page linked with --profiling-funcs shows its
// wasm functions by name. SKIP milliseconds from the start go unprofiled
// (dg_frames: 7500 skips its bai 1 half).
//   node tests/web/profile.mjs DIR PAGE [SECONDS] [SKIP]
import { startServer, launchBrowser, waitFor } from './page.mjs';

const [dir, rel, seconds = '60', skip = '0'] = process.argv.slice(2);
const sampleus = 200;
const server = await startServer(dir);
const browser = await launchBrowser();
try {
  const page = await browser.newPage();
  const cdp = await page.createCDPSession();
  await cdp.send('Profiler.enable');
  await cdp.send('Profiler.setSamplingInterval', { interval: sampleus });
  page.goto(server.url + rel).catch(() => {});
  await new Promise(r => setTimeout(r, +skip));
  await cdp.send('Profiler.start');
  await waitFor(page, 'window.dgExitCode !== undefined && String(window.dgExitCode)', +seconds * 1000)
    .catch(() => null);
  const { profile } = await cdp.send('Profiler.stop');
  const nodes = new Map(profile.nodes.map(n => [n.id, n]));
  const own = new Map();
  let total = 0;
  profile.samples.forEach((id, i) => {
    const name = nodes.get(id).callFrame.functionName || '(anonymous)';
    const dt = profile.timeDeltas[i] || 0;
    own.set(name, (own.get(name) || 0) + dt);
    total += dt;
  });
  [...own.entries()].sort((a, b) => b[1] - a[1]).slice(0, 25)
    .forEach(([name, t]) => console.log((100 * t / total).toFixed(1).padStart(5), name));
} finally {
  await browser.close();
  await server.close();
}
