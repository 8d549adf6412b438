// Wires the browser's own API into Zentab's logic. Everything is registered at once at the top
// level, so that a tab event also wakes a stopped service worker or a suspended event page.
import { browserName, startZentab } from './zentab.js';

startZentab({
  api: globalThis.browser ?? globalThis.chrome,
  browser: browserName(navigator),
  setTimeout,
  clearTimeout,
  now: Date.now,
});
