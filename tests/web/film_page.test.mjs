// The browser build played in Debian's Chromium: the page loads and starts on a click, the title
// shows the frame rate, the show keys print their lines in the console, the music element plays
// and pauses, and frames held at film seconds look like the native program's frames there.
//
// Needs build/web/ (scripts/build-web.sh) and the native capture tool (scripts/build.sh).
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { PNG } from 'pngjs';
import { servePage, launchChromium } from './page_server.mjs';
import { regionMeans, meanOf, luminance } from './picture_regions.mjs';

const root = path.resolve(import.meta.dirname ?? path.dirname(new URL(import.meta.url).pathname), '../..');
const webDir = path.join(root, 'build/web');
const captureTool = path.join(root, 'build/tools/capture/lumenvale_capture');

let server;
let browser;

before(async () => {
  assert.ok(fs.existsSync(path.join(webDir, 'index.html')), 'build/web/index.html: run scripts/build-web.sh');
  server = await servePage(webDir);
  browser = await launchChromium(['--window-size=640,360']);
});

after(async () => {
  await browser?.close();
  await server?.close();
});

// Opens the page with `query`, collecting its console lines; resolves once the start panel shows.
async function openPage(query) {
  const page = await browser.newPage();
  await page.setViewport({ width: 640, height: 360 });
  const lines = [];
  page.on('console', (message) => lines.push(message.text()));
  page.on('pageerror', (error) => lines.push('page error: ' + error.message));
  const opened = Date.now();
  await page.goto(`${server.address}/${query}`);
  await page.waitForSelector('#start:not([hidden])', { timeout: 60000 });
  return { page, lines, opened };
}

async function framesShown(page) {
  return page.evaluate(() => Module.framesShown ?? 0);
}

// Waits until the page has shown `count` more frames than now.
async function waitFrames(page, count) {
  const target = (await framesShown(page)) + count;
  await page.waitForFunction((n) => (Module.framesShown ?? 0) >= n, { timeout: 120000, polling: 50 }, target);
}

// Waits for a console line matching `pattern` among those from index `from` on.
async function waitLine(lines, from, pattern, what) {
  const deadline = Date.now() + 30000;
  while (Date.now() < deadline) {
    if (lines.slice(from).some((line) => pattern.test(line))) return;
    await new Promise((resolve) => setTimeout(resolve, 50));
  }
  assert.fail(`no console line for ${what}; the console said:\n${lines.join('\n')}`);
}

test('the page starts on a click, shows its frame rate and plays its music', async () => {
  const { page, lines, opened } = await openPage('');
  assert.match(await page.$eval('#start', (panel) => panel.textContent), /Click to start/);
  await page.click('#start button');
  await waitFrames(page, 1);
  console.log(`page load to first frame: ${((Date.now() - opened) / 1000).toFixed(2)} s`);
  await page.waitForFunction(() => /^Lumenvale \d+ FPS \| \d+\.\d\d ms$/.test(document.title),
                             { timeout: 30000 });
  await waitLine(lines, 0, /^Music playback started$/, 'the music starting');
  assert.equal(await page.evaluate(() => Module.music.paused), false, 'the music element plays');

  // Each key acts once, with the line the native program prints, whatever the frame rate.
  const keys = [
    { key: 'KeyM', line: /^Music muted$/, musicPaused: true, times: 2 },
    { key: 'KeyM', line: /^Music unmuted$/, musicPaused: false, times: 2 },
    { key: 'KeyN', line: /^Sun\/Moon swap toggled\. Drawing sun\? 0$/ },
    { key: 'KeyR', line: /^Sun rotation toggled: 0$/ },
    { key: 'KeyP', line: /^---- CAMERA SNAPSHOT ----/ },
  ];
  for (const { key, line, musicPaused, times } of keys) {
    const before = lines.length;
    await page.keyboard.press(key);
    await waitLine(lines, before, line, key);
    await waitFrames(page, 1);
    // The mute key's line comes twice, from the keyboard and from the music player.
    assert.equal(lines.slice(before).filter((text) => line.test(text)).length, times ?? 1,
                 `${key} acts once`);
    if (musicPaused !== undefined) {
      assert.equal(await page.evaluate(() => Module.music.paused), musicPaused, `music after ${key}`);
    }
  }
  assert.deepEqual(lines.filter((line) => /error|GL_INVALID|WebGL/i.test(line)), [], 'no errors on the console');
  await page.close();
});

// The film held at each second, next to the native frame of the same second (region means).
const moments = [
  { second: 40, look: 'noon: a blue sky above', check: (top) => top[2] > top[0] + 20 && luminance(top) > 90 },
  { second: 60, look: 'afternoon by the water', check: (top) => luminance(top) > 60 },
  { second: 80, look: 'night: dark', check: (_top, whole) => luminance(whole) < 40 },
];

test('frames at film seconds look like the native frames there', async () => {
  const nativeDir = fs.mkdtempSync(path.join(os.tmpdir(), 'lumenvale-native-'));
  execFileSync(captureTool, [nativeDir, ...moments.map((moment) => String(moment.second))],
               { cwd: root, stdio: 'inherit' });
  const { page, lines } = await openPage('?at=0&render-scale=0.5');
  await page.click('#start button');
  await waitFrames(page, 2);
  const canvas = await page.$('#canvas');
  const kStep = 1;
  let heldSecond = 0;
  for (const { second, look, check } of moments) {
    // The film moves on a clock of one frame a second, as a very slow machine would play it:
    // every shot starts on a whole second, so none starts late. Then two frames at the second,
    // since the sun's cover test answers a frame late.
    for (let at = Math.min(heldSecond + kStep, second); at <= second; at = Math.min(at + kStep, second)) {
      await page.evaluate((value) => { Module.filmAt = value; }, at);
      await waitFrames(page, 1);
      heldSecond = at;
      if (at === second) break;
    }
    await waitFrames(page, 2);
    const web = PNG.sync.read(await canvas.screenshot());
    const native = PNG.sync.read(fs.readFileSync(path.join(nativeDir, `frame_${second.toFixed(2).padStart(6, '0')}.png`)));
    const webRegions = regionMeans(web, 4, 3);
    const nativeRegions = regionMeans(native, 4, 3);
    webRegions.forEach((mean, i) => {
      const worst = Math.max(...mean.map((value, c) => Math.abs(value - nativeRegions[i][c])));
      assert.ok(worst <= 16, `second ${second}, region ${i}: web ${mean.map(Math.round)} ` +
                             `against native ${nativeRegions[i].map(Math.round)}`);
    });
    const top = meanOf(webRegions.slice(0, 4));
    assert.ok(check(top, meanOf(webRegions)), `second ${second} should show ${look}`);
  }
  assert.deepEqual(lines.filter((line) => /error|GL_INVALID|WebGL/i.test(line)), [], 'no errors on the console');
  await page.close();
  fs.rmSync(nativeDir, { recursive: true, force: true });
});
