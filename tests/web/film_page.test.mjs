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

// Opens the page with `query` at `viewport`, collecting its console lines (and, apart, those of
// the warning and error levels); resolves once the panel `until` shows. `missing` files are
// answered 404 until the test empties the list.
async function openPage(query, viewport = { width: 640, height: 360 }, until = '#start', missing = []) {
  const page = await browser.newPage();
  await page.setViewport(viewport);
  const lines = [];
  const problems = [];
  page.on('console', (message) => {
    lines.push(message.text());
    if (['error', 'warn', 'warning', 'assert'].includes(message.type())) problems.push(message.text());
  });
  page.on('pageerror', (error) => problems.push('page error: ' + error.message));
  // Files answered 404 must not come from the page's service worker.
  if (missing.length) {
    await page.setBypassServiceWorker(true);
    await page.setRequestInterception(true);
    page.on('request', (request) => missing.some((name) => request.url().endsWith('/' + name))
      ? request.respond({ status: 404, body: '' }) : request.continue());
  }
  const opened = Date.now();
  await page.goto(`${server.address}/${query}`);
  await page.waitForSelector(`${until}:not([hidden])`, { timeout: 60000 });
  if (until === '#start') await page.evaluate(listenToMusic);
  return { page, lines, problems, opened };
}

// What axe-core finds serious or critical on the page as it stands.
async function seriousAccessibilityFaults(page) {
  await page.addScriptTag({ path: path.join(root, 'tests/web/node_modules/axe-core/axe.min.js') });
  return page.evaluate(async () => (await axe.run(document)).violations
    .filter((fault) => ['serious', 'critical'].includes(fault.impact))
    .map((fault) => `${fault.id}: ${fault.nodes.map((node) => node.target.join(' ')).join(', ')}`));
}

// In the page: keeps the last 3 s of the music's output (what the page sends to the speakers,
// recorded on the audio thread, each sample with its moment of the audio clock).
async function listenToMusic() {
  const { context, output } = Module.music;
  const recorder = `registerProcessor('recorder', class extends AudioWorkletProcessor {
    constructor() {
      super();
      this.kept = new Float32Array(3 * sampleRate);
      this.written = 0;
      this.port.onmessage = () => {
        const size = this.kept.length, end = this.written % size;
        let samples = this.kept.slice(0, end);
        if (this.written >= size) {
          samples = new Float32Array(size);
          samples.set(this.kept.subarray(end));
          samples.set(this.kept.subarray(0, end), size - end);
        }
        this.port.postMessage({ samples, first: currentTime - samples.length / sampleRate });
      };
    }
    process([input]) {
      const left = input[0] ?? new Float32Array(128);
      for (let i = 0; i < left.length; ++i) this.kept[(this.written + i) % this.kept.length] = left[i];
      this.written += left.length;
      return true;
    }
  });`;
  await context.audioWorklet.addModule(URL.createObjectURL(new Blob([recorder], { type: 'text/javascript' })));
  const node = new AudioWorkletNode(context, 'recorder');
  const silent = context.createGain();
  silent.gain.value = 0;
  output.connect(node).connect(silent).connect(context.destination);
  window.musicOutput = () => new Promise((resolve) => {
    node.port.onmessage = (event) => resolve(event.data);
    node.port.postMessage('send');
  });
}

// In the page: how far the recorded music is ahead of the film (seconds; the film playing from
// `position` at the page clock's `at`) at its first audible sample from the audio clock's moment
// `from` on, and `later` seconds after that. The track's
// second is found by matching 2048 samples against the decoded track within 0.2 s of where the
// film is when they are heard (the browser's output timestamp gives that moment).
async function musicOffFilmInPage(from, later, film = Module.film) {
  const { context, buffer } = Module.music;
  const { samples, first } = await window.musicOutput();
  const rate = context.sampleRate, track = buffer.getChannelData(0), size = 2048, reach = Math.round(0.2 * rate);
  const stamp = context.getOutputTimestamp();
  const heardAt = (when) => stamp.performanceTime + (when - stamp.contextTime) * 1000;
  let start = Math.max(0, Math.ceil((from - first) * rate));
  while (start < samples.length && Math.abs(samples[start]) < 1e-3) ++start;
  const offsets = [];
  for (const index of [start, start + Math.round(later * rate)]) {
    if (index + size > samples.length) return { error: `no music recorded ${((index - start) / rate).toFixed(2)} s after it began` };
    const second = film.position + (heardAt(first + index / rate) - film.at) / 1000;
    const expected = Math.round((second % buffer.duration) * rate);
    let best = -Infinity, bestLag = 0;
    for (let lag = -reach; lag <= reach; ++lag) {
      const at = expected + lag;
      if (at < 0 || at + size > track.length) continue;
      let product = 0, energy = 0;
      for (let i = 0; i < size; ++i) {
        product += samples[index + i] * track[at + i];
        energy += track[at + i] * track[at + i];
      }
      const match = product / Math.sqrt(energy + 1e-12);
      if (match > best) [best, bestLag] = [match, lag];
    }
    offsets.push(bestLag / rate);
  }
  return { offsets };
}

// The music heard is within 20 ms of the film from its first sample after the action (which
// started a sound at the audio clock's moment `from`) and half a second later.
async function expectMusicWithTheFilm(page, after, from) {
  await page.waitForFunction(() => Module.music.mode === 1 && Module.music.starts.length && Module.filmNow() !== null,
                             { timeout: 30000, polling: 50 });
  from ??= await page.evaluate(() => Module.music.starts.at(-1).when);
  // Until the start and half a second after it are heard.
  await page.waitForFunction((at) => Module.music.context.currentTime > at + 0.8, { polling: 50 }, from);
  const result = await page.evaluate(musicOffFilmInPage, from, 0.5);
  assert.ok(result.offsets, `${after}: ${result.error}`);
  const [first, later] = result.offsets.map((offset) => Math.round(offset * 1000));
  console.log(`music after ${after}: ${first} ms at its first sample, ${later} ms 0.5 s later`);
  assert.ok(Math.abs(first) <= 20 && Math.abs(later) <= 20, `the music is ${first} ms, then ${later} ms off the film after ${after}`);
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
  const { page, lines, problems, opened } = await openPage('?utm_source=x&fbclid=y');
  assert.match(await page.$eval('#start', (panel) => panel.textContent), /Play/);
  // A lone Shift or Alt does not start the film.
  await page.keyboard.press('Shift');
  await page.keyboard.press('Alt');
  assert.equal(await page.$eval('#start', (panel) => panel.hidden), false, 'Shift and Alt leave the start screen');
  assert.deepEqual(await seriousAccessibilityFaults(page), [], 'axe-core before the start');
  await page.click('#start button');
  await waitFrames(page, 1);
  console.log(`page load to first frame: ${((Date.now() - opened) / 1000).toFixed(2)} s`);
  await page.waitForFunction(() => /^Lumenvale \d+ FPS \| \d+\.\d\d ms$/.test(document.title),
                             { timeout: 30000 });
  await waitLine(lines, 0, /^Music playback started$/, 'the music starting');
  await expectMusicWithTheFilm(page, 'the start');
  assert.deepEqual(await seriousAccessibilityFaults(page), [], 'axe-core after the start');
  // Tab moves on from the picture through the controls, and back.
  const focused = () => page.evaluate(() => document.activeElement.id);
  await page.keyboard.press('Tab');
  assert.equal(await focused(), 'play', 'Tab from the picture');
  await page.keyboard.press('Tab');
  assert.equal(await focused(), 'seekbar', 'Tab from the play button');
  await page.keyboard.down('Shift');
  await page.keyboard.press('Tab');
  await page.keyboard.up('Shift');
  assert.equal(await focused(), 'play', 'Shift+Tab');
  await page.focus('#canvas');

  // Each key acts once per press, with the line the native program prints, whatever the frame
  // rate: two quick presses of N in one frame act twice. K, the digits and Home are the page's.
  const keys = [
    { key: 'KeyM', line: /^Music muted$/, musicMode: 2, times: 2 },
    { key: 'KeyM', line: /^Music unmuted$/, musicMode: 1, times: 2 },
    { key: 'KeyN', line: /^Sun\/Moon swap toggled\. Drawing sun\? 1$/, presses: 2 },
    { key: 'KeyR', line: /^Sun rotation toggled: 0$/ },
    { key: 'KeyP', line: /^---- CAMERA SNAPSHOT ----/ },
    { key: 'KeyK', line: /^Film paused at /, musicMode: 2 },
    { key: 'Digit5', line: /^Film position: 64\.50 s$/ },
    { key: 'Home', line: /^Film position: 0\.00 s$/ },
    { key: 'KeyK', line: /^Film resumed at 0\.00 s$/, musicMode: 1 },
  ];
  for (const { key, line, musicMode, times, presses } of keys) {
    const before = lines.length;
    for (let i = 0; i < (presses ?? 1); ++i) await page.keyboard.press(key);
    await waitLine(lines, before, line, key);
    await waitFrames(page, 1);
    // The mute key's line comes twice, from the keyboard and from the music player.
    assert.equal(lines.slice(before).filter((text) => line.test(text)).length, times ?? 1,
                 `${key} acts once per press`);
    if (musicMode !== undefined) assert.equal(await page.evaluate(() => Module.music.mode), musicMode, `music after ${key}`);
  }
  await expectMusicWithTheFilm(page, 'the resume by K');
  // ? lists the keys; Escape closes the list.
  await page.keyboard.press('?');
  await page.waitForSelector('#help:not([hidden])');
  await page.keyboard.press('Escape');
  await page.waitForSelector('#help', { hidden: true });

  // The control bar drives the same pause: a pause mark while paused, the music where the film
  // is, the browser's media controls told.
  await actFor(page, lines, () => page.click('#play'), /^Film paused at /);
  await page.waitForSelector('#pausemark:not([hidden])');
  await expectNothingDrawn(page, 'a paused film');
  assert.deepEqual(await page.$eval('#play', (button) => [button.getAttribute('aria-label'),
    button.querySelector('.when-paused').hasAttribute('hidden')]), ['Play', false], 'the play button says play');
  assert.deepEqual(await page.evaluate(() => [navigator.mediaSession.metadata.title, navigator.mediaSession.playbackState]),
                   ['Lumenvale', 'paused'], 'the media session');
  await actFor(page, lines, () => page.click('#play'), /^Film resumed at /);
  await expectMusicWithTheFilm(page, 'the resume');
  // The link to this moment goes to the address bar (and the clipboard, where allowed).
  await page.click('#link');
  await page.waitForSelector('#toast:not([hidden])');
  assert.match(await page.evaluate(() => location.href), /\?utm_source=x&fbclid=y#t=\d+$/, 'the link to this moment');
  // A click on the seek bar moves the film, and leaves Space to the film and the bar to hide.
  await actFor(page, lines, () => page.click('#seekbar'), /^Film position: /);
  await page.mouse.move(320, 120);
  await actFor(page, lines, 'Space', /^Film paused at /);
  await actFor(page, lines, 'Space', /^Film resumed at /);
  await expectMusicWithTheFilm(page, 'a click on the seek bar');
  await page.waitForFunction(() => document.getElementById('frame').classList.contains('idle'), { timeout: 10000 });
  // C flies, C starts the film again from its beginning, music and all.
  await actFor(page, lines, 'KeyC', /^Auto camera stopped - music stopped$/);
  await actFor(page, lines, 'KeyC', /^Auto camera started - music playing$/);
  await expectMusicWithTheFilm(page, 'C');
  // F, and a double click on the picture, take the page full screen and back.
  await page.keyboard.press('KeyF');
  await page.waitForFunction(() => document.fullscreenElement?.id === 'player');
  await page.mouse.click(320, 150, { clickCount: 2 });
  await page.waitForFunction(() => !document.fullscreenElement);
  // The volume and the mute are kept for the next visit, which a link to a moment starts there.
  await page.keyboard.press('ArrowDown');
  await actFor(page, lines, 'KeyM', /^Music muted$/);
  await waitFrames(page, 1);
  assert.deepEqual(problems, [], 'no warnings or errors on the console');
  await page.close();
  const next = await openPage('#t=75');
  await next.page.click('#start button');
  await waitLine(next.lines, 0, /^Film starts at 75\.00 s$/, 'the link to a moment');
  await waitLine(next.lines, 0, /^Music muted$/, 'the mute kept');
  assert.deepEqual(await next.page.evaluate(() => [document.getElementById('volume').value, Module.music.output.gain.value]),
                   ['0.9', 0.8999999761581421], 'the volume kept');
  await actFor(next.page, next.lines, 'KeyM', /^Music unmuted$/);
  await next.page.keyboard.press('ArrowUp');
  await expectMusicWithTheFilm(next.page, 'a link to a moment');
  assert.deepEqual(next.problems, [], 'no warnings or errors on the console');
  await next.page.close();
});

test('on a phone, touch alone starts, pauses, seeks, mutes, goes full screen and replays', async () => {
  // A missing data package is said in words, and Retry loads the page again.
  const missing = ['index.data'];
  const phone = { width: 390, height: 844, deviceScaleFactor: 2, isMobile: true, hasTouch: true };
  const { page, lines, problems } = await openPage('', phone, '#failure', missing);
  assert.match(await page.$eval('#failure', (panel) => panel.textContent), /data could not be downloaded.*Retry/s);
  missing.length = lines.length = problems.length = 0;
  await page.tap('#failure button');
  await page.waitForSelector('#start:not([hidden])', { timeout: 60000 });
  await page.evaluate(listenToMusic);
  assert.ok(await page.$eval('#poster', (poster) => !poster.hidden && poster.naturalWidth > 0), 'a poster behind Play');

  await page.tap('#start button');
  await waitFrames(page, 1);
  await waitLine(lines, 0, /^Music playback started$/, 'the music starting');
  // The canvas draws at the size it is shown at, in the screen's pixels.
  assert.deepEqual(await page.$eval('#canvas', (canvas) => [canvas.width, canvas.height]), [780, 439]);
  // Every control a finger can hit: 44 px at least, the seek bar across the screen.
  const small = await page.$$eval('#controls button, #seekbar', (targets) => targets
    .map((target) => [target.id, target.getBoundingClientRect()])
    .filter(([, box]) => box.width > 0 && (box.width < 44 || box.height < 44)).map(([id]) => id));
  assert.deepEqual(small, [], 'touch targets under 44 px');
  assert.ok(await page.$eval('#seekbar', (bar) => bar.getBoundingClientRect().width) > 340, 'the seek bar is wide');
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
  assert.equal(await page.evaluate(() => document.activeElement.closest('#controls')), null, 'a tap leaves no focus');
  await tap('#fullscreen');
  await page.waitForFunction(() => document.fullscreenElement?.id === 'player');
  await tap('#fullscreen');
  await page.waitForFunction(() => !document.fullscreenElement);
  await seekBy(0.97);
  // At the end, the black screen draws nothing new and offers Replay.
  await waitLine(lines, 0, /^Sequence complete - music paused/, 'the end of the film');
  await page.waitForSelector('#replay:not([hidden])');
  await expectNothingDrawn(page, 'the black screen');
  // M twice there sounds the paused track again, as the player does anywhere else.
  await actFor(page, lines, () => tap('#mute'), /^Music muted$/);
  await actFor(page, lines, () => tap('#mute'), /^Music resumed from pause$/);
  assert.equal(await page.evaluate(() => Module.music.mode), 1, 'M twice at the end sounds the paused track');
  await actFor(page, lines, () => tap('#replay'), /^Restarting camera sequence from beginning$/);
  await expectMusicWithTheFilm(page, 'the replay');
  // A page frozen in the background (its audio clock stopped meanwhile) comes back with its
  // music where its film is. Headless, it stays hidden and draws no more frames.
  const session = await page.target().createCDPSession();
  await session.send('Page.setWebLifecycleState', { state: 'frozen' });
  await new Promise((resolve) => setTimeout(resolve, 1000));
  await session.send('Page.setWebLifecycleState', { state: 'active' });
  // Once the browser's output has settled again.
  await new Promise((resolve) => setTimeout(resolve, 1500));
  await expectMusicWithTheFilm(page, 'a freeze');
  // Past the track's end the music goes on from its beginning: it loops under a longer film.
  const result = await page.evaluate(async (musicOffFilm) => {
    const music = Module.music;
    music.play(music.buffer.duration + 5);
    await new Promise((resolve) => setTimeout(resolve, 900));
    return eval(`(${musicOffFilm})`)(music.starts.at(-1).when, 0.5, { position: music.film.second, at: music.film.at });
  }, musicOffFilmInPage.toString());
  assert.ok(result.offsets?.every((offset) => Math.abs(offset) <= 0.02), `the music past the track's end: ${JSON.stringify(result)}`);
  assert.deepEqual(problems, [], 'no warnings or errors on the console');
  await page.close();
});

// A link the film cannot follow, a download that stops half-way and a page opened as a file are
// each said in words, with the way on.
test('the page says why it cannot play, and what to do', async () => {
  const refused = await openPage('?at=130');
  await refused.page.click('#start button');
  await refused.page.waitForSelector('#failure:not([hidden])', { timeout: 30000 });
  assert.match(await refused.page.$eval('#failure', (panel) => panel.innerText),
               /cannot be played as this link asks \(at=130\): .*end of the film.*Play from the beginning/s);
  await refused.page.close();
  server.stalled.add('index.data');
  const stalled = await browser.newPage();
  await stalled.evaluateOnNewDocument(() => { window.lumenvaleStallSeconds = 1; });
  await stalled.goto(`${server.address}/`);
  await stalled.waitForSelector('#failure:not([hidden])', { timeout: 30000 });
  assert.match(await stalled.$eval('#failure', (panel) => panel.innerText), /download stopped \(\d\.\d of \d\.\d MB.*Retry/s);
  server.stalled.clear();
  await stalled.close();
  const file = await browser.newPage();
  await file.goto(`file://${webDir}/index.html`);
  assert.match(await file.$eval('#failure', (panel) => panel.innerText), /web server.*scripts\/serve-web\.sh/s);
  await file.close();
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
  const { page, lines, problems } = await openPage(`?at=${moments[0].second}&render-scale=0.5`);
  await page.click('#start button');
  // ?at= shows its second paused there, the music with it; the title counts real frames.
  await waitLine(lines, 0, new RegExp(`^Film position: ${moments[0].second}\\.00 s$`), 'the held second');
  await page.waitForFunction(() => /^Lumenvale [1-9]\d* FPS/.test(document.title), { timeout: 30000 });
  assert.deepEqual(await page.evaluate(() => [document.getElementById('play').getAttribute('aria-label'), Module.music.mode]),
                   ['Play', 2], 'a held second: the film and its music paused');
  // The picture alone, without the controls over it.
  await page.addStyleTag({ content: '#controls, #pausemark, #keys { visibility: hidden !important; }' });
  const canvas = await page.$('#canvas');
  for (const { second, look, check } of moments) {
    if (second !== moments[0].second) {
      await actFor(page, lines, () => page.evaluate((at) => { Module.seekRequest = at; }, second),
                   new RegExp(`^Film position: ${second}\\.00 s$`));
    }
    // Two frames at the second, since the sun's cover test answers a frame late.
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
  assert.deepEqual(problems, [], 'no warnings or errors on the console');
  await page.close();
  fs.rmSync(nativeDir, { recursive: true, force: true });
});
