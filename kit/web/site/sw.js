// Keeps the site's own files for use without a network, under a cache named
// by the version the build stamps in: a new version served makes a new cache
// and the old one is thrown away. Nothing else is stored.
const VERSION = '@VERSION@';
const CACHE = 'rekentol-' + VERSION;
const FILES = ['./', 'index.html', 'rekentol.css', 'rekentol.js', 'rekentol.wasm', 'manifest.webmanifest',
               'icon-180.png', 'icon-192.png', 'icon-512.png'];
const KEPT = new Set(FILES.map(f => new URL(f, self.registration.scope).href));

self.addEventListener('install', event => {
  event.waitUntil(caches.open(CACHE).then(cache => cache.addAll(FILES.map(f => new Request(f, { cache: 'reload' }))))
    .then(() => self.skipWaiting()));
});

self.addEventListener('activate', event => {
  event.waitUntil(caches.keys()
    .then(keys => Promise.all(keys.filter(k => k.startsWith('rekentol-') && k !== CACHE).map(k => caches.delete(k))))
    .then(() => self.clients.claim()));
});

self.addEventListener('fetch', event => {
  const request = event.request;
  if (request.method !== 'GET') return;
  const url = new URL(request.url);
  url.search = '';
  url.hash = '';
  if (!KEPT.has(url.href)) return;
  event.respondWith(caches.open(CACHE).then(cache => cache.match(url.href))
    .then(hit => hit || fetch(request)));
});
