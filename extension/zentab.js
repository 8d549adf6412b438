// Zentab's side in the browser: tells the native host which pages are open and carries out its
// requests. The browser API and the timers come in as arguments, so that tests can stand in.

const HOST = 'zentab_host';
// Zentab drops a message over 8 MiB or with more than 10,000 tabs: stopping at 7 MiB keeps clear.
const LIMITS = { titleUnits: 1024, urlChars: 32768, tabs: 10000, bytes: 7 * 1024 * 1024 };
const QUIET_MS = 250;
const BURST_MS = 1000;
const FIRST_PAUSE_MS = 1000;
const LAST_PAUSE_MS = 60000;
const STEADY_MS = 10000;

export function browserName(nav) {
  if (/\bFirefox\//.test(nav.userAgent)) return 'firefox';
  const brands = nav.userAgentData?.brands ?? [];
  if (brands.some((b) => b.brand === 'Microsoft Edge')) return 'edge';
  if (/\bEdg\//.test(nav.userAgent)) return 'edge';
  return 'chrome';
}

const utf8 = new TextEncoder();

// Windows as windows.getAll({populate: true}) gives them; private ones never leave the browser.
export function snapshot(windows, browser) {
  const message = { type: 'tabs', browser, windows: [] };
  let bytes = utf8.encode(JSON.stringify(message)).length;
  let count = 0;
  for (const window of windows) {
    if (window.incognito) continue;
    const entry = { id: window.id, tabs: [] };
    bytes += utf8.encode(JSON.stringify(entry)).length + 1;
    if (bytes > LIMITS.bytes) break;
    message.windows.push(entry);
    const tabs = [...(window.tabs ?? [])].sort((a, b) => a.index - b.index);
    for (const tab of tabs) {
      // A tab still loading its first page has only a pending address.
      const url = (tab.url || tab.pendingUrl || '').toWellFormed();
      if (url.length > LIMITS.urlChars) continue;
      const title = (tab.title ?? '').slice(0, LIMITS.titleUnits).toWellFormed();
      const item = { id: tab.id, title, url };
      bytes += utf8.encode(JSON.stringify(item)).length + 1;
      if (bytes > LIMITS.bytes || ++count > LIMITS.tabs) return message;
      entry.tabs.push(item);
    }
  }
  return message;
}

export function startZentab({ api, browser, setTimeout, clearTimeout, now }) {
  let port = null;
  let connectedAt = 0;
  let pause = FIRST_PAUSE_MS;
  let lastSent = null;
  let timer = null;
  let burstStart = 0;
  let sending = Promise.resolve();

  const send = () => {
    sending = sending.then(async () => {
      try {
        const windows = await api.windows.getAll({ populate: true, windowTypes: ['normal'] });
        const message = snapshot(windows, browser);
        const text = JSON.stringify(message);
        if (!port || text === lastSent) return;
        port.postMessage(message);
        lastSent = text;
      } catch {
        // The port closed under us: the next connection starts with a full snapshot anyway.
      }
    });
  };

  const changed = () => {
    if (!port) return;
    const t = now();
    if (timer === null) burstStart = t;
    else clearTimeout(timer);
    timer = setTimeout(() => {
      timer = null;
      send();
    }, Math.min(QUIET_MS, burstStart + BURST_MS - t));
  };

  const connect = () => {
    const p = api.runtime.connectNative(HOST);
    port = p;
    connectedAt = now();
    lastSent = null;
    p.onMessage.addListener((request) => handle(request));
    p.onDisconnect.addListener(() => {
      void api.runtime.lastError; // read, so that Chrome does not log it as unchecked
      if (port !== p) return;
      port = null;
      if (now() - connectedAt >= STEADY_MS) pause = FIRST_PAUSE_MS;
      setTimeout(connect, pause);
      pause = Math.min(pause * 2, LAST_PAUSE_MS);
    });
    send();
  };

  const open = async (urls) => {
    try {
      await api.windows.create({ url: urls });
      return;
    } catch {
      // One refused address fails the whole call; below, only that one is lost.
    }
    let window = null;
    for (const url of urls) {
      try {
        if (window) await api.tabs.create({ windowId: window.id, url });
        else window = await api.windows.create({ url });
      } catch {
        // The browser refuses this address to extensions.
      }
    }
  };

  const handle = (request) => {
    if (request?.type === 'refresh') {
      lastSent = null;
      send();
    } else if (request?.type === 'open' && Array.isArray(request.urls) && request.urls.length > 0
        && request.urls.every((u) => typeof u === 'string')) {
      void open(request.urls);
    } else if (request?.type === 'navigate' && Number.isInteger(request.tab)
        && typeof request.url === 'string') {
      api.tabs.update(request.tab, { url: request.url }).catch(() => {});
    }
  };

  for (const event of ['onCreated', 'onRemoved', 'onUpdated', 'onMoved', 'onAttached', 'onDetached',
    'onReplaced']) {
    api.tabs[event].addListener(changed);
  }
  api.windows.onCreated.addListener(changed);
  api.windows.onRemoved.addListener(changed);
  // So that the browser wakes the background with itself, not only at the first tab event.
  api.runtime.onStartup.addListener(() => {});
  connect();
}
