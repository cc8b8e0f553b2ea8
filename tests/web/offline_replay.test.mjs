// The page played again without a connection: a first visit leaves its files with the browser
// (the service worker), and with the server gone the page loads and plays the film.
//
// Needs build/web/ (scripts/build-web.sh).
import { test } from 'node:test';
import assert from 'node:assert/strict';
import path from 'node:path';
import { servePage, launchChromium } from './page_server.mjs';

const root = path.resolve(import.meta.dirname ?? path.dirname(new URL(import.meta.url).pathname), '../..');

test('a second visit plays the film with the network gone', async () => {
  const server = await servePage(path.join(root, 'build/web'));
  const browser = await launchChromium();
  try {
    const page = await browser.newPage();
    await page.goto(`${server.address}/?t=20`);
    await page.waitForSelector('#start:not([hidden])', { timeout: 60000 });
    // Every file of the page is kept once the first visit has it.
    const files = ['index.html', 'index.js', 'index.wasm', 'index.data', 'poster.jpg', 'manifest.webmanifest'];
    await page.waitForFunction(async (names) => {
      const kept = await Promise.all(names.map((name) => caches.match(new URL(name, location.href).href)));
      return kept.every(Boolean);
    }, { timeout: 30000, polling: 200 }, files);
    await server.close();

    const lines = [];
    page.on('console', (message) => lines.push(message.text()));
    await page.reload();
    await page.waitForSelector('#start:not([hidden])', { timeout: 60000 });
    await page.click('#start button');
    await page.waitForFunction(() => (Module.framesShown ?? 0) >= 1, { timeout: 60000 });
    assert.ok(lines.includes('Music playback started'), lines.join('\n'));
    assert.ok(lines.includes('Film starts at 20.00 s'), 'the link\'s moment, from the kept page');
  } finally {
    await browser.close();
    await server.close();
  }
});
