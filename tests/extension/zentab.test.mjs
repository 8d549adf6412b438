import assert from 'node:assert/strict';
import { test } from 'node:test';
import { browserName, snapshot, startZentab } from '../../extension/zentab.js';

const event = (ls = []) =>
  ({ addListener: (l) => ls.push(l), fire: (...a) => ls.map((l) => l(...a)) });
// The object, with an event for any other name asked of it.
const withEvents = (o) => new Proxy(o, { get: (t, key) => (t[key] ??= event()) });

// A browser holding a window [a, b] and refusing 'file:x', one port per connection, and the
// extension started on it under mocked timers.
async function start(t) {
  t.mock.timers.enable({ apis: ['setTimeout', 'Date'] });
  let id = 1;
  const f = { windows: [], ports: [], reads: 0, moves: 0 };
  const add = (w, url) => {
    if (url === 'file:x') throw new Error('refused');
    w.tabs.push({ id: id++, index: w.tabs.length, title: 'T', url });
    return w;
  };
  const create = async ({ url }) =>
    f.windows[f.windows.push([url].flat().reduce(add, { id: id++, tabs: [] })) - 1];
  const port = (name) =>
    withEvents({ name, sent: [], postMessage(m) { this.sent.push(structuredClone(m)); } });
  f.api = {
    runtime: withEvents({ connectNative: (name) => f.ports[f.ports.push(port(name)) - 1] }),
    windows: withEvents({
      create,
      async getAll(query) {
        assert.deepEqual(query, { populate: true, windowTypes: ['normal'] });
        f.reads++;
        return structuredClone(f.windows);
      },
    }),
    tabs: withEvents({
      create: async ({ windowId, url }) => add(f.windows.find((w) => w.id === windowId), url),
      async update(tab, { url }) {
        f.moves++;
        f.windows.flatMap((w) => w.tabs).find((x) => x.id === tab).url = url;
      },
    }),
  };
  f.tick = (ms) => (t.mock.timers.tick(ms), new Promise((done) => setImmediate(done)));
  f.sent = () => f.ports.at(-1).sent;
  await create({ url: ['a', 'b'] });
  startZentab({ api: f.api, browser: 'chrome', setTimeout, clearTimeout, now: () => Date.now() });
  await f.tick(0);
  return f;
}

test('a snapshot: normal windows\' tabs in order, well-formed, within what Zentab takes', () => {
  const title = `${'あ'.repeat(1023)}😀`; // cut inside the pair
  const url = 'h'.repeat(32768);
  assert.deepEqual(snapshot([
    { id: 7, tabs: [{ id: 2, index: 1, title, url }, { id: 3, index: 2, title: '', url: `${url}h` },
      { id: 1, index: 0, title: 'x\uD800', url: 'u' }] },
    { id: 8, incognito: true, tabs: [{ id: 4, index: 0, title: 'p', url: 'p' }] },
  ], 'edge'), { type: 'tabs', browser: 'edge', windows: [{ id: 7, tabs: [{ id: 1, title: 'x\uFFFD',
    url: 'u' }, { id: 2, title: `${'あ'.repeat(1023)}\uFFFD`, url }] }] });
  const many = (n, title) => [{ id: 1, tabs: Array.from({ length: n },
    (_, i) => ({ id: i, index: i, title, url: 'u' })) }];
  assert.equal(snapshot(many(10001, ''), 'chrome').windows[0].tabs.length, 10000);
  const bytes = Buffer.byteLength(JSON.stringify(snapshot(many(5000, title), 'chrome')));
  assert.ok(bytes < 7.01 * 2 ** 20 && bytes > 6.99 * 2 ** 20, `${bytes} bytes`);
});

test('the browser is named from the user agent and its brands', () => {
  const chrome = 'Mozilla/5.0 (Windows NT 10.0; Win64; x64) Chrome/131.0.0.0 Safari/537.36';
  const firefox = 'Mozilla/5.0 (Windows NT 10.0; Win64; x64; rv:140.0) Gecko/20100101 Firefox/140';
  for (const [nav, name] of [
    [{ userAgent: firefox }, 'firefox'],
    [{ userAgent: `${chrome} Edg/131.0.0.0` }, 'edge'],
    [{ userAgent: chrome, userAgentData: { brands: [{ brand: 'Microsoft Edge' }] } }, 'edge'],
    [{ userAgent: chrome, userAgentData: { brands: [{ brand: 'Google Chrome' }] } }, 'chrome'],
  ]) assert.equal(browserName(nav), name);
});

test('changes go out coalesced, unchanged tabs not at all, nothing runs when idle', async (t) => {
  const f = await start(t);
  assert.deepEqual([f.ports[0].name, f.sent()[0].windows[0].tabs.length], ['zentab_host', 2]);
  const { tabs, windows } = f.api;
  const events = [tabs.onCreated, tabs.onRemoved, tabs.onUpdated, tabs.onMoved, tabs.onAttached,
    tabs.onDetached, tabs.onReplaced, windows.onCreated, windows.onRemoved];
  const change = async (i, wait) => {
    f.windows[0].tabs.push({ id: 100 + i, index: i + 2, title: '', url: `r${i}` });
    events[i % events.length].fire();
    await f.tick(wait);
  };
  for (let i = 0; i < 9; i++) await change(i, 250);
  for (let i = 9; i < 39; i++) await change(i, 100); // a session restore: 3 s of new tabs
  await f.tick(1000);
  const last = f.sent().map((m) => m.windows[0].tabs.at(-1).url);
  assert.deepEqual(last.slice(1), [0, 1, 2, 3, 4, 5, 6, 7, 8, 18, 28, 38].map((i) => `r${i}`));
  const reads = f.reads;
  f.api.tabs.onUpdated.fire(1, { favIconUrl: 'x' });
  await f.tick(3600000);
  assert.deepEqual([f.sent().length, f.ports.length, f.reads], [13, 1, reads + 1]);
});

test('a lost host is reconnected after a pause doubling up to a minute, reset by a lasting one',
  async (t) => {
    const f = await start(t);
    for (const pause of [1000, 2000, 4000, 8000, 16000, 32000, 60000, 60000, 0, 1000, 2000]) {
      const count = f.ports.length;
      if (pause === 0) { // a connection that lasts; an old port's late word changes nothing
        f.ports[0].onDisconnect.fire();
        await f.tick(60000);
        assert.equal(f.ports.length, count);
        continue;
      }
      f.ports.at(-1).onDisconnect.fire();
      await f.tick(pause - 1);
      assert.equal(f.ports.length, count, `before ${pause} ms`);
      await f.tick(1);
      assert.deepEqual([f.ports.length, f.sent().length], [count + 1, 1], `after ${pause} ms`);
    }
  });

test('the host\'s requests open, move and resend pages; other messages are ignored', async (t) => {
  const f = await start(t);
  const request = (m) => (f.ports[0].onMessage.fire(m), f.tick(0));
  await request({ type: 'refresh' });
  assert.deepEqual(f.sent()[1], f.sent()[0]);
  for (const urls of [['c', 'd'], ['file:x', 'c', 'file:x', 'd']]) {
    await request({ type: 'open', urls });
    assert.deepEqual(f.windows.at(-1).tabs.map((x) => x.url), ['c', 'd']);
  }
  const tab = f.windows[0].tabs[1];
  await request({ type: 'navigate', tab: tab.id, url: 'z' });
  await request({ type: 'navigate', tab: 999, url: 'y' }); // closed meanwhile
  assert.equal(tab.url, 'z');
  const before = structuredClone(f.windows);
  for (const m of [null, 'open', { type: 'close' }, { type: 'open' }, { type: 'open', urls: [] },
    { type: 'open', urls: 'c' }, { type: 'open', urls: ['c', 1] }, { type: 'navigate', tab: 1 },
    { type: 'navigate', tab: '1', url: 'z' }, { type: 'navigate', tab: 1.5, url: 'z' }]) {
    await request(m);
  }
  assert.deepEqual([f.windows, f.moves, f.sent().length], [before, 2, 2]);
});
