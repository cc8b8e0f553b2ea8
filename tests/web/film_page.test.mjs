// The browser build played in Debian's Chromium: the page loads and starts on a click, the title
// shows the frame rate, the show keys and the controls over the picture print the program's
// lines, the music element stays at the film's time through every action, a phone's touch
// screen works every control, a browser without WebGL2 is told so, and frames at film seconds
// look like the native program's there.
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

// Opens the page with `query` at `viewport`, collecting its console lines; resolves once the
// panel `until` shows. `missing` files are answered 404 until the test empties the list.
async function openPage(query, viewport = { width: 640, height: 360 }, until = '#start', missing = []) {
  const page = await browser.newPage();
  await page.setViewport(viewport);
  const lines = [];
  page.on('console', (message) => lines.push(message.text()));
  page.on('pageerror', (error) => lines.push('page error: ' + error.message));
  await page.setRequestInterception(true);
  page.on('request', (request) => missing.some((name) => request.url().endsWith('/' + name))
    ? request.respond({ status: 404, body: '' }) : request.continue());
  const opened = Date.now();
  await page.goto(`${server.address}/${query}`);
  await page.waitForSelector(`${until}:not([hidden])`, { timeout: 60000 });
  return { page, lines, opened };
}

// The music element is within 50 ms of the film once it sounds: read every tenth of a second for
// at most 3 s, until it is. A browser on a busy machine starts and moves its sound late, and lets
// it slip by 80 ms now and then; the page brings it back within a second or so.
async function expectMusicWithTheFilm(page, after) {
  await page.waitForFunction(() => Module.music && !Module.music.paused && !Module.music.seeking &&
                             !Module.music.joinFilm && Module.filmNow() !== null, { timeout: 30000, polling: 50 });
  let offset = Infinity;
  for (let i = 0; i < 30 && Math.abs(offset) > 0.05; ++i) {
    const now = await page.evaluate(() => Module.music.currentTime - Module.filmNow());
    if (Math.abs(now) < Math.abs(offset)) offset = now;
    await new Promise((resolve) => setTimeout(resolve, 100));
  }
  console.log(`music after ${after}: ${(offset * 1000).toFixed(0)} ms`);
  assert.ok(Math.abs(offset) <= 0.05, `the music is ${(offset * 1000).toFixed(0)} ms off the film after ${after}`);
}

// A film that stands still is drawn no more, a couple of frames after it stopped.
async function expectNothingDrawn(page, what) {
  await waitFrames(page, 3);
  const drawn = await page.evaluate(() => Module.framesDrawn);
  await waitFrames(page, 3);
  assert.equal(await page.evaluate(() => Module.framesDrawn), drawn, `${what} is drawn once`);
}

// Presses `key` (or runs `act`) and waits for a console line matching `pattern`.
async function actFor(page, lines, act, pattern) {
  const before = lines.length;
  await (typeof act === 'string' ? page.keyboard.press(act) : act());
  await waitLine(lines, before, pattern, String(pattern));
  return lines.slice(before).find((line) => pattern.test(line));
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

test('the page plays from a shared link, by keyboard and by its controls, the music with the film', async () => {
  // A link as shared on the web: parameters the page does not know are left alone.
  const { page, lines, opened } = await openPage('?utm_source=x&fbclid=y');
  assert.match(await page.$eval('#start', (panel) => panel.textContent), /Play/);
  // A lone Shift or Alt does not start the film.
  await page.keyboard.press('Shift');
  await page.keyboard.press('Alt');
  assert.equal(await page.$eval('#start', (panel) => panel.hidden), false, 'Shift and Alt leave the start screen');
  await page.click('#start button');
  await waitFrames(page, 1);
  console.log(`page load to first frame: ${((Date.now() - opened) / 1000).toFixed(2)} s`);
  await page.waitForFunction(() => /^Lumenvale \d+ FPS \| \d+\.\d\d ms$/.test(document.title),
                             { timeout: 30000 });
  await waitLine(lines, 0, /^Music playback started$/, 'the music starting');
  await expectMusicWithTheFilm(page, 'the start');

  // Each key acts once per press, with the line the native program prints, whatever the frame
  // rate: two quick presses of N in one frame act twice.
  const keys = [
    { key: 'KeyM', line: /^Music muted$/, musicPaused: true, times: 2 },
    { key: 'KeyM', line: /^Music unmuted$/, musicPaused: false, times: 2 },
    { key: 'KeyN', line: /^Sun\/Moon swap toggled\. Drawing sun\? 1$/, presses: 2 },
    { key: 'KeyR', line: /^Sun rotation toggled: 0$/ },
    { key: 'KeyP', line: /^---- CAMERA SNAPSHOT ----/ },
  ];
  for (const { key, line, musicPaused, times, presses } of keys) {
    const before = lines.length;
    for (let i = 0; i < (presses ?? 1); ++i) await page.keyboard.press(key);
    await waitLine(lines, before, line, key);
    await waitFrames(page, 1);
    // The mute key's line comes twice, from the keyboard and from the music player.
    assert.equal(lines.slice(before).filter((text) => line.test(text)).length, times ?? 1,
                 `${key} acts once per press`);
    if (musicPaused !== undefined) {
      assert.equal(await page.evaluate(() => Module.music.paused), musicPaused, `music after ${key}`);
    }
  }
  await expectMusicWithTheFilm(page, 'the unmute');

  // The control bar drives the same pause: a pause mark while paused, the music where the film is.
  await actFor(page, lines, () => page.click('#play'), /^Film paused at /);
  await page.waitForSelector('#pausemark:not([hidden])');
  await expectNothingDrawn(page, 'a paused film');
  assert.deepEqual(await page.$eval('#play', (button) => [button.getAttribute('aria-label'),
    button.querySelector('.when-paused').hasAttribute('hidden')]), ['Play', false], 'the play button says play');
  await actFor(page, lines, () => page.click('#play'), /^Film resumed at /);
  await expectMusicWithTheFilm(page, 'the resume');
  // C flies, C starts the film again from its beginning, music and all.
  await actFor(page, lines, 'KeyC', /^Auto camera stopped - music stopped$/);
  await actFor(page, lines, 'KeyC', /^Auto camera started - music playing$/);
  await expectMusicWithTheFilm(page, 'C');
  // F, and a double click on the picture, take the page full screen and back.
  await page.keyboard.press('KeyF');
  await page.waitForFunction(() => document.fullscreenElement?.id === 'player');
  await page.mouse.click(320, 150, { clickCount: 2 });
  await page.waitForFunction(() => !document.fullscreenElement);
  assert.deepEqual(lines.filter((line) => /error|GL_INVALID|WebGL/i.test(line)), [], 'no errors on the console');
  await page.close();
});

test('on a phone, touch alone starts, pauses, seeks, mutes, goes full screen and replays', async () => {
  // A missing data package is said in words, and Retry loads the page again.
  const missing = ['index.data'];
  const phone = { width: 390, height: 844, deviceScaleFactor: 2, isMobile: true, hasTouch: true };
  const { page, lines } = await openPage('', phone, '#failure', missing);
  assert.match(await page.$eval('#failure', (panel) => panel.textContent), /data could not be downloaded.*Retry/s);
  missing.length = lines.length = 0;
  await page.tap('#failure button');
  await page.waitForSelector('#start:not([hidden])', { timeout: 60000 });
  assert.ok(await page.$eval('#poster', (poster) => !poster.hidden && poster.naturalWidth > 0), 'a poster behind Play');

  await page.tap('#start button');
  await waitFrames(page, 1);
  await waitLine(lines, 0, /^Music playback started$/, 'the music starting');
  // The canvas draws at the size it is shown at, in the screen's pixels.
  assert.deepEqual(await page.$eval('#canvas', (canvas) => [canvas.width, canvas.height]), [780, 439]);
  // A control is reached by a tap; while the controls are hidden, a tap on the picture shows them.
  const tap = async (selector, x = 0.5) => {
    if (await page.$eval('#frame', (frame) => frame.classList.contains('idle'))) {
      await page.tap('#canvas');
      await page.waitForFunction(() => !document.getElementById('frame').classList.contains('idle'));
    }
    const box = await (await page.$(selector)).boundingBox();
    await page.touchscreen.tap(box.x + box.width * x, box.y + box.height / 2);
  };
  await actFor(page, lines, () => tap('#play'), /^Film paused at /);
  await actFor(page, lines, () => tap('#canvas'), /^Film resumed at /);
  // A tap on the seek bar moves the film there: halfway, then nearly to its end.
  const seekBy = async (share) => {
    const line = await actFor(page, lines, () => tap('#seekbar', share), /^Film position: /);
    const position = Number(/([\d.]+) s/.exec(line)[1]);
    assert.ok(Math.abs(position - share * 129) < 8, `a tap at ${share} of the bar: ${line}`);
  };
  await seekBy(0.5);
  await expectMusicWithTheFilm(page, 'a seek');
  await actFor(page, lines, () => tap('#mute'), /^Music muted$/);
  await actFor(page, lines, () => tap('#mute'), /^Music unmuted$/);
  await expectMusicWithTheFilm(page, 'the unmute');
  await tap('#fullscreen');
  await page.waitForFunction(() => document.fullscreenElement?.id === 'player');
  await tap('#fullscreen');
  await page.waitForFunction(() => !document.fullscreenElement);
  await seekBy(0.97);
  // At the end, the black screen draws nothing new and offers Replay.
  await waitLine(lines, 0, /^Sequence complete - music paused/, 'the end of the film');
  await page.waitForSelector('#replay:not([hidden])');
  await expectNothingDrawn(page, 'the black screen');
  await actFor(page, lines, () => tap('#replay'), /^Restarting camera sequence from beginning$/);
  await expectMusicWithTheFilm(page, 'the replay');
  assert.deepEqual(lines.filter((line) => /error|GL_INVALID|WebGL/i.test(line)), [], 'no errors on the console');
  await page.close();
});

// The film at each second, next to the native frame of the same second (region means): ?at=S
// shows second S, and the seek bar moves on to the next.
const moments = [
  { second: 40, look: 'noon: a blue sky above', check: (top) => top[2] > top[0] + 20 && luminance(top) > 90 },
  { second: 60, look: 'afternoon by the water', check: (top) => luminance(top) > 60 },
  { second: 80, look: 'night: dark', check: (_top, whole) => luminance(whole) < 48 },
];

test('a browser without WebGL2 is told so before any of the film is downloaded', async () => {
  const plain = await launchChromium(['--disable-webgl2']);
  try {
    const page = await plain.newPage();
    const requested = [];
    page.on('request', (request) => requested.push(new URL(request.url()).pathname));
    await page.goto(`${server.address}/`);
    await page.waitForSelector('#nowebgl:not([hidden])', { timeout: 60000 });
    assert.deepEqual(requested.filter((name) => /index\.(js|wasm|data)/.test(name)), [],
                     'nothing of the film is downloaded');
  } finally {
    await plain.close();
  }
});

test('frames at film seconds look like the native frames there', async () => {
  const nativeDir = fs.mkdtempSync(path.join(os.tmpdir(), 'lumenvale-native-'));
  execFileSync(captureTool, [nativeDir, ...moments.map((moment) => String(moment.second))],
               { cwd: root, stdio: 'inherit' });
  const { page, lines } = await openPage(`?at=${moments[0].second}&render-scale=0.5`);
  await page.click('#start button');
  const canvas = await page.$('#canvas');
  for (const { second, look, check } of moments) {
    if (second !== moments[0].second) {
      await actFor(page, lines, () => page.evaluate((at) => { Module.seekRequest = at; }, second),
                   new RegExp(`^Film position: ${second}\\.00 s$`));
    }
    // Two frames at the second, since the sun's cover test answers a frame late.
    await waitFrames(page, 2);
    // The controls hide after a few seconds of playing, and leave the picture whole.
    await page.waitForFunction(() => getComputedStyle(document.getElementById('controls')).opacity === '0');
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
