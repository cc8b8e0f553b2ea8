// Makes the README's picture of the page: build/web/ in Debian's headless Chromium at 1280x720,
// the film held at a second (default 44) with the line of keys showing, saved as a JPEG.
//   node tests/web/page_picture.mjs docs/web_page.jpg [second]
import path from 'node:path';
import { servePage, launchChromium } from './page_server.mjs';

const [output, second = '44'] = process.argv.slice(2);
if (!output) {
  console.error('usage: node tests/web/page_picture.mjs OUTPUT.jpg [second]');
  process.exit(2);
}
const root = path.resolve(path.dirname(new URL(import.meta.url).pathname), '../..');
const server = await servePage(path.join(root, 'build/web'));
const browser = await launchChromium();
try {
  const page = await browser.newPage();
  await page.setViewport({ width: 1280, height: 800 });
  await page.goto(`${server.address}/?at=0`);
  await page.waitForSelector('#start:not([hidden])', { timeout: 60000 });
  await page.click('#start button');
  // One frame a second up to the moment, so that every shot starts on time.
  for (let at = 1; at <= Number(second); ++at) {
    const shown = await page.evaluate((value) => { Module.filmAt = value; return Module.framesShown ?? 0; }, at);
    await page.waitForFunction((n) => (Module.framesShown ?? 0) > n, { timeout: 60000 }, shown);
  }
  const shown = await page.evaluate(() => Module.framesShown);
  await page.waitForFunction((n) => Module.framesShown >= n + 2, { timeout: 60000 }, shown);
  await page.mouse.move(640, 400);
  await page.waitForFunction(() => getComputedStyle(document.getElementById('keys')).opacity > 0.85);
  await page.screenshot({ path: output, type: 'jpeg', quality: 85 });
} finally {
  await browser.close();
  await server.close();
}
