// Keeps the page's files in the browser, so that the film plays again without a connection:
// every file of the page is fetched from the network first (a changed page is never hidden
// behind an old copy) and kept; without a network the kept copy answers.
const keep = 'lumenvale';

// What the page fetched before this worker took over: the page itself, its poster and its
// manifest, with the manifest's icons.
const early = ['index.html', 'poster.jpg', 'manifest.webmanifest', 'icon-192.png', 'icon-512.png'];

self.addEventListener('install', (event) => {
  self.skipWaiting();
  event.waitUntil(caches.open(keep).then((cache) => Promise.all(
    early.map((name) => cache.add(new URL(name, self.registration.scope)).catch(() => {})))));
});
self.addEventListener('activate', (event) => event.waitUntil(self.clients.claim()));

self.addEventListener('fetch', (event) => {
  const request = event.request;
  const url = new URL(request.url);
  if (request.method !== 'GET' || url.origin !== self.location.origin) return;
  // One copy of each file, whatever the link's parameters.
  url.search = '';
  url.hash = '';
  const key = url.pathname.endsWith('/') ? url.href + 'index.html' : url.href;
  event.respondWith(fetch(request).then((response) => {
    if (response.ok && response.status === 200) {
      const copy = response.clone();
      event.waitUntil(caches.open(keep).then((cache) => cache.put(key, copy)));
    }
    return response;
  }, async (error) => {
    const kept = await caches.match(key);
    if (kept) return kept;
    throw error;
  }));
});
