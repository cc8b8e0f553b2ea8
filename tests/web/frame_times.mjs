// Measures the browser build's frame time at film moments in Debian's headless Chromium: the film
// is held at each second (reached one frame a second, so that every shot starts on time), then the
// intervals between the next frames are timed; prints their medians in ms. Compare with
// build/tools/bench/lumenvale_bench at the same seconds.
//   node tests/web/frame_times.mjs [--render-scale S] [seconds...]   (default 12 40 74 100)
import path from 'node:path';
import { servePage, launchChromium } from './page_server.mjs';

const args = process.argv.slice(2);
let query = '?render-scale=1';
const scaleAt = args.indexOf('--render-scale');
if (scaleAt >= 0) query = `?render-scale=${args.splice(scaleAt, 2)[1]}`;
const moments = (args.length ? args : ['12', '40', '74', '100']).map(Number);
const frames = 7;

const root = path.resolve(path.dirname(new URL(import.meta.url).pathname), '../..');
const server = await servePage(path.join(root, 'build/web'));
const browser = await launchChromium();
const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];
try {
  const page = await browser.newPage();
  await page.setViewport({ width: 1280, height: 720 });
  await page.goto(`${server.address}/${query}`);
  await page.waitForSelector('#start:not([hidden])', { timeout: 60000 });
  await page.click('#start button');
  let held = 0;
  for (const second of moments) {
    for (let at = held + 1; at <= second; ++at) {
      const shown = await page.evaluate((value) => { Module.filmAt = value; return Module.framesShown ?? 0; }, at);
      await page.waitForFunction((n) => (Module.framesShown ?? 0) > n, { timeout: 60000 }, shown);
    }
    held = second;
    const times = await page.evaluate((count) => new Promise((resolve) => {
      const stamps = [];
      let last = Module.framesShown;
      const watch = () => {
        if (Module.framesShown !== last) {
          last = Module.framesShown;
          stamps.push(performance.now());
        }
        if (stamps.length > count) resolve(stamps.slice(1).map((t, i) => t - stamps[i]));
        else requestAnimationFrame(watch);
      };
      requestAnimationFrame(watch);
    }), frames);
    console.log(`${second} s: median ${median(times).toFixed(1)} ms over ${frames} frames`);
  }
} finally {
  await browser.close();
  await server.close();
}
