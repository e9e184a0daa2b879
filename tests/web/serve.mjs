#!/usr/bin/env node
// Serves the web build on 127.0.0.1 and prints the address of each page:
//   node tests/web/serve.mjs BUILD [PORT]     (build.sh web; Ctrl-C stops it)
// Pages must come over http (a file:// page cannot load its .wasm).
import fs from 'node:fs';
import path from 'node:path';
import { startServer } from './page.mjs';

const [build, port] = process.argv.slice(2);
if (!build) { console.error('usage: serve.mjs BUILD [PORT]'); process.exit(2); }
const server = await startServer(build, port ? +port : 0);
console.log(`dg's pages at ${server.url}`);
for (const dir of ['demo', 'examples']) {
  const d = path.join(build, dir);
  if (!fs.existsSync(d)) continue;
  for (const f of fs.readdirSync(d).filter(f => f.endsWith('.html')).sort()) console.log(`  ${server.url}${dir}/${f}`);
}
console.log('(Ctrl-C stops the server)');
