#!/usr/bin/env node
// Serves a folder of pages on 127.0.0.1 and prints the address of each:
//   node tools/serve.mjs DIR [PORT]     (dg web, build.sh web; Ctrl-C stops it)
// Pages must come over http (a file:// page cannot load its .wasm). The page
// checks (tests/web) serve their pages with startServer too.
import http from 'node:http';
import fs from 'node:fs';
import path from 'node:path';
import { pathToFileURL } from 'node:url';

const types = {
  '.html': 'text/html; charset=utf-8', '.js': 'text/javascript', '.mjs': 'text/javascript',
  '.wasm': 'application/wasm', '.data': 'application/octet-stream', '.css': 'text/css',
  '.png': 'image/png', '.ttf': 'font/ttf', '.json': 'application/json', '.txt': 'text/plain',
};

// A static server for dir on 127.0.0.1 at port (0: a free one). Resolves to
// {url, close, served}: served lists each answer, {path, status}.
export function startServer(dir, port = 0) {
  const served = [];
  const root = path.resolve(dir);
  const server = http.createServer((req, res) => {
    let rel;
    try { rel = decodeURIComponent(new URL(req.url, 'http://x').pathname); } catch { rel = '/'; }
    const file = path.join(root, rel.endsWith('/') ? rel + 'index.html' : rel);
    if (!file.startsWith(root + path.sep)) { res.writeHead(403).end(); return; }
    // Kept by the browser, asked again at every use: a rebuilt page is seen at
    // once, an unchanged file (the face's pieces a site's pages share) costs
    // no bytes again.
    const answer = status => { served.push({ path: rel, status }); return res.writeHead(status); };
    fs.stat(file, (err, st) => {
      if (err || !st.isFile()) { answer(404).end(); return; }
      const modified = new Date(Math.floor(st.mtimeMs / 1000) * 1000);
      const since = Date.parse(req.headers['if-modified-since'] || '');
      if (since >= modified.getTime()) { answer(304).end(); return; }
      fs.readFile(file, (err2, body) => {
        if (err2) { answer(404).end(); return; }
        served.push({ path: rel, status: 200 });
        res.writeHead(200, { 'Content-Type': types[path.extname(file)] || 'application/octet-stream',
                             'Cache-Control': 'no-cache', 'Last-Modified': modified.toUTCString() });
        res.end(body);
      });
    });
  });
  return new Promise((resolve, reject) => {
    server.on('error', reject);
    server.listen(port, '127.0.0.1', () => resolve({
      url: `http://127.0.0.1:${server.address().port}/`, served,
      close: () => new Promise(r => server.close(r)),
    }));
  });
}

// The pages in dir and in its folders one level down (not the build's own).
function pages(dir) {
  const found = [];
  const html = (d, rel) => fs.readdirSync(d).filter(f => f.endsWith('.html') && f !== 'index.html')
    .sort().forEach(f => found.push(rel + f));
  html(dir, '');
  for (const sub of fs.readdirSync(dir, { withFileTypes: true }).filter(e => e.isDirectory()).map(e => e.name).sort()) {
    if (sub === 'CMakeFiles' || sub === 'node_modules' || sub.startsWith('.')) continue;
    html(path.join(dir, sub), sub + '/');
  }
  return found;
}

if (process.argv[1] && import.meta.url === pathToFileURL(path.resolve(process.argv[1])).href) {
  const [dir, port] = process.argv.slice(2);
  if (!dir) { console.error('usage: serve.mjs DIR [PORT]'); process.exit(2); }
  let server;
  try {
    server = await startServer(dir, port ? +port : 0);
  } catch (e) {
    console.error(`serve.mjs: cannot serve on 127.0.0.1:${port || 0}: ${e.message}`);
    process.exit(2);
  }
  console.log(`pages at ${server.url}`);
  for (const p of pages(dir)) console.log(`  ${server.url}${p}`);
  console.log('(Ctrl-C stops the server)');
}
