// A static file server for the build folder on 127.0.0.1, on a free port, and the headless
// Debian Chromium the page is played in.
import http from 'node:http';
import puppeteer from 'puppeteer-core';
import fs from 'node:fs';
import path from 'node:path';

const types = {
  '.html': 'text/html; charset=utf-8',
  '.js': 'text/javascript',
  '.wasm': 'application/wasm',
  '.data': 'application/octet-stream',
  '.webmanifest': 'application/manifest+json',
  '.png': 'image/png',
};

// The files named in `stalled` send their first half, then nothing more.
export function servePage(dir) {
  const stalled = new Set();
  const server = http.createServer((request, response) => {
    const name = decodeURIComponent(new URL(request.url, 'http://localhost').pathname);
    const file = path.join(dir, name === '/' ? 'index.html' : path.normalize(name));
    if (!file.startsWith(dir + path.sep) || !fs.existsSync(file) || !fs.statSync(file).isFile()) {
      response.writeHead(404).end();
      return;
    }
    const size = fs.statSync(file).size;
    response.writeHead(200, { 'Content-Type': types[path.extname(file)] ?? 'application/octet-stream',
                              'Content-Length': size });
    if (stalled.has(path.basename(file))) {
      fs.createReadStream(file, { end: Math.floor(size / 2) }).pipe(response, { end: false });
    } else {
      fs.createReadStream(file).pipe(response);
    }
  });
  return new Promise((resolve) => {
    server.listen(0, '127.0.0.1', () => resolve({
      address: `http://127.0.0.1:${server.address().port}`,
      stalled,
      close: () => {
        server.closeAllConnections();
        return new Promise((done) => server.close(done));
      },
    }));
  });
}

// Debian's Chromium, headless, drawing WebGL2 in software and allowed to sound without a click;
// `extraArgs` add to its command line.
export function launchChromium(extraArgs = []) {
  return puppeteer.launch({
    executablePath: process.env.CHROMIUM ?? '/usr/bin/chromium',
    headless: 'new',
    args: ['--no-sandbox', '--use-angle=swiftshader', '--enable-unsafe-swiftshader',
           '--autoplay-policy=no-user-gesture-required', ...extraArgs],
  });
}
