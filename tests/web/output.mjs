#!/usr/bin/env node
// A page run to its end in headless Chromium: prints what the program wrote
// (stdout and stderr) and exits with the program's exit code (124 when it
// did not end within the time).
//   node tests/web/output.mjs DIR PAGE [SECONDS]
import { startServer, launchBrowser, openPage, waitFor } from './page.mjs';

const [dir, rel, seconds = '60'] = process.argv.slice(2);
const server = await startServer(dir);
const browser = await launchBrowser();
let code = 124;
try {
  const page = await openPage(browser, server.url + rel);
  const got = await waitFor(page, 'window.dgExitCode !== undefined && String(window.dgExitCode)', +seconds * 1000)
    .catch(() => null);
  for (const l of page.dgLog) {
    const m = /^console\.(log|error): (.*)$/s.exec(l);
    if (m) (m[1] === 'log' ? process.stdout : process.stderr).write(m[2] + '\n');
    else process.stderr.write(l + '\n');
  }
  if (got !== null) code = +got;
} finally {
  await browser.close();
  await server.close();
}
process.exit(code);
