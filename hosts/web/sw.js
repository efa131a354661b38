// The site's service worker: it keeps this release's files in a cache named for the release and
// serves them from there, so that the game loads without a network, and it lets a new release
// take over at the next load. make_page.cmake writes the release and its files in below.
'use strict';

// The version from the build and a hash of the site's files: a changed file is a new cache.
var CACHE = 'quintoz-@QUINTOZ_RELEASE@';
// The site's own files, as the page asks for them (the script and WebAssembly carry the hash).
var FILES = [@QUINTOZ_FILES@];

self.addEventListener('install', function (event) {
  event.waitUntil(caches.open(CACHE).then(function (cache) {
    // Straight from the server: an HTTP cache may still hold the previous release's page.
    return cache.addAll(FILES.map(function (file) {
      return new Request(file, { cache: 'reload' });
    }));
  }).then(function () {
    // A new release replaces the old one at once; the page it serves names its own files, so a
    // page already open keeps the files it started with from the network or the old cache.
    return self.skipWaiting();
  }));
});

self.addEventListener('activate', function (event) {
  event.waitUntil(caches.keys().then(function (names) {
    return Promise.all(names.filter(function (name) {
      return name.indexOf('quintoz-') === 0 && name !== CACHE;
    }).map(function (name) { return caches.delete(name); }));
  }).then(function () { return self.clients.claim(); }));
});

// The page itself comes from the network when there is one, so that a new release is what the
// next load runs; the files it names are the same for as long as their hash is, so they come
// from the cache first. Anything not of this site goes to the network untouched.
self.addEventListener('fetch', function (event) {
  var request = event.request;
  if (request.method !== 'GET' || new URL(request.url).origin !== self.location.origin) return;
  if (request.mode === 'navigate') {
    // Asked again of the server (a cheap "not modified" when unchanged): the browser's HTTP
    // cache may hold an old page for a while by its own reckoning.
    // (A navigation preload would start sooner, but it may be answered from that HTTP cache.)
    event.respondWith(fetch(request.url, { cache: 'no-cache' }).catch(function () {
      return caches.match('./', { cacheName: CACHE });
    }));
    return;
  }
  // A page fetches only the catalogue and the manifest of its language (quintoz-de.mo,
  // manifest-de.webmanifest): the first ones fetched are kept too, so that the page plays
  // offline in its language.
  event.respondWith(caches.match(request, { cacheName: CACHE }).then(function (hit) {
    return hit || fetch(request).then(function (response) {
      if (response.ok &&
          /\/(quintoz-[A-Za-z_]+\.mo\?|manifest-[A-Za-z_]+\.webmanifest$)/.test(request.url)) {
        var copy = response.clone();
        caches.open(CACHE).then(function (cache) { return cache.put(request, copy); });
      }
      return response;
    });
  }));
});
