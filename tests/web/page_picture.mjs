// Makes the README's picture of the page: build/web/ in Debian's headless Chromium at 1280x720,
// the film held at a second (default 44) with its controls and the line of keys showing, saved as
// a JPEG.
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
  await page.setViewport({ width: 1280, height: 720 });
  await page.goto(`${server.address}/?at=${second}`);
  await page.waitForSelector('#start:not([hidden])', { timeout: 60000 });
  await page.click('#start button');
  await page.waitForFunction(() => (Module.framesShown ?? 0) >= 3, { timeout: 60000 });
  // The film is held at its second, paused: the picture shows it as if it played on.
  await page.addStyleTag({ content: '#pausemark { display: none !important; }' });
  await page.mouse.move(640, 300);
  await page.mouse.move(660, 320);
  await page.waitForFunction(() => getComputedStyle(document.getElementById('controls')).opacity > 0.95);
  await page.screenshot({ path: output, type: 'jpeg', quality: 85 });
} finally {
  await browser.close();
  await server.close();
}
