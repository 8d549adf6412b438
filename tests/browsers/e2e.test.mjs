// Real browsers end to end, as tests/browsers/run.sh sets them up: the watch list, the past log, a
// redirect, reopening, a restart of Zentab and the options box, through the real extension, the
// real host under Wine and the real zentab.exe.
import assert from 'node:assert/strict';
import { execFileSync, spawn } from 'node:child_process';
import { existsSync, readFileSync, rmSync, statSync, writeFileSync } from 'node:fs';
import { test } from 'node:test';
import { setTimeout as sleep } from 'node:timers/promises';
import { launchBrowser, servePages } from './launch.mjs';

const { ZENTAB_WINE: wine, ZENTAB_LANG: lang, ZENTAB_APP: app, ZENTAB_HOST: host } = process.env;
const wineEnv = { ...process.env, LANG: lang, LC_ALL: lang };
const keys = ['Google\\Chrome', 'Microsoft\\Edge', 'Mozilla']
  .map((maker) => `HKCU\\Software\\${maker}\\NativeMessagingHosts\\zentab_host`);

const run = (...args) => execFileSync(wine, args, { env: wineEnv, timeout: 30000 }).toString();
const probe = (...args) => run(`${app}/zentab_probe.exe`, ...args);
// Both lists, a line each.
function lists() {
  const lines = probe('lists').split('\n');
  const of = (mark) => lines.filter((l) => l.startsWith(mark)).map((l) => l.slice(2));
  return { watch: of('W\t'), past: of('P\t') };
}
async function until(what, holds, seconds = 30) {
  for (const end = Date.now() + seconds * 1000; Date.now() < end; await sleep(500)) {
    if (holds()) return;
  }
  assert.fail(`${what}: not within ${seconds} s; watch list: ${lists().watch.join(' | ')}`);
}
const hosts = () => execFileSync('pgrep', ['-f', 'zentab_host.exe']).toString().trim();
const registered = () => keys.filter((key) => {
  try {
    return run('reg', 'query', key, '/ve').includes('zentab_host-');
  } catch {
    return false;
  }
}).length;
const shot = (name) => execFileSync('/usr/bin/import',
  ['-display', process.env.DISPLAY, '-window', 'root', `${process.env.ZENTAB_SHOTS}/${name}.png`]);
// The last session's browser windows, each its pages' titles in order.
function savedWindows() {
  const windows = {};
  for (const line of readFileSync(`${app}/Zentab2.session`, 'utf8').split('\r\n')) {
    const [title, , browser, window] = line.split('\t');
    if (browser) (windows[window] ??= []).push(title);
  }
  return Object.values(windows).map((titles) => titles.join(','));
}

function startZentab() {
  const zentab = spawn(wine, [`${app}/zentab.exe`], { env: wineEnv, stdio: 'ignore' });
  return { async ready() { await until('Zentab started', () => lists() && true); },
    kill: () => zentab.kill('SIGKILL'), ended: new Promise((done) => zentab.on('exit', done)) };
}

async function watchBrowser(name, { redirect = false } = {}) {
  writeFileSync(`${app}/Zentab2.ini`, '[Option]\r\nThrough=2\r\nMaxWatch=30\r\n');
  const zentab = startZentab();
  await zentab.ready();
  // Ticked in the dialog: every browser's key names a manifest Zentab wrote beside itself.
  probe('options', 'IsWatchBrowsers');
  assert.equal(registered(), 3);
  const kind = name === 'chromium' ? 'chromium' : 'firefox';
  const manifest = JSON.parse(readFileSync(`${app}/zentab_host-${kind}.json`, 'utf8'));
  // Pages A and B, one that closes itself after a while, and for a redirect the page it leads to.
  const titles = { '/a': 'ページＡ', '/b': 'ページＢ',
    '/bye': ['さようなら', 'setTimeout(close, 15000)'], '/jump': '移動先' };
  const site = await servePages(titles);
  const line = (path) => `${[].concat(titles[path])[0]} - ${site.url(path)}`;
  const urls = ['/a', '/b', '/bye'].map(site.url);
  const args = [];
  if (redirect) {
    // A page of a redirect service the options have Zentab skip, served here.
    titles[`/127.0.0.1:${site.port}/jump`] = 'ジャンプ';
    urls.push(`http://ime.redirect-a.example/127.0.0.1:${site.port}/jump`);
    args.push(`--host-resolver-rules=MAP ime.redirect-a.example 127.0.0.1:${site.port}`);
  }
  const browser = launchBrowser(name, { host, manifest, urls, args });
  return { zentab, site, line, browser };
}

const count = (list, text) => list.filter((l) => l.endsWith(text)).length;

test('Chromium: tabs watched, a redirect sent on, pages reopened, the session back after a kill',
  { timeout: 300000 }, async () => {
    let { zentab, site, line, browser } = await watchBrowser('chromium', { redirect: true });
    try {
      await until('the pages listed', () => {
        const { watch } = lists();
        return watch.some((l) => l.endsWith(line('/a'))) && watch.some((l) => l.endsWith(line('/b')));
      });
      await until('the redirect sent on', () => site.requests.includes('/jump'));
      await until('a page that closes itself gone', () => count(lists().watch, line('/bye')) === 0,
        40);
      probe('command', 'CmdShowOption');
      await sleep(1000);
      shot('Options-with-browsers');
      probe('options');
      probe('command', 'TMCmdVisible');
      await sleep(1000);
      shot('Watcher-with-tabs');
      probe('command', 'TMCmdVisible');

      // A page of the past log opens in a new window of its browser.
      probe('past', site.url('/b'));
      await until('the page reopened', () => count(lists().watch, line('/b')) === 2);
      // Idle: no message, no write, no new host; the open port keeps Chromium's worker alive.
      const before = hosts();
      const written = statSync(`${app}/Zentab2.session`).mtimeMs;
      await sleep(40000);
      assert.equal(hosts(), before);
      assert.equal(statSync(`${app}/Zentab2.session`).mtimeMs, written);
      probe('past', site.url('/a'));
      await until('a new window after 40 s idle', () => count(lists().watch, line('/a')) === 2);

      // Killed, then started again: the browser's tabs come back, and so do its windows.
      const saved = savedWindows();
      zentab.kill();
      await zentab.ended;
      zentab = startZentab();
      await zentab.ready();
      await until('the tabs again', () => count(lists().watch, line('/a')) === 2, 5);
      probe('command', 'TMCmdOpenLastSession');
      await until('the last session reopened window by window', () => {
        const now = savedWindows();
        return saved.every((w) => now.filter((x) => x === w).length >= 2);
      });
      // Unticked: the keys and the manifests go, so that the browser finds no host any more
      // (here its own manifest goes as well), and its lines go with the host Zentab closes.
      rmSync(`${browser.dir}/profile/NativeMessagingHosts/zentab_host.json`);
      probe('options', 'IsWatchBrowsers');
      assert.equal(registered(), 0);
      assert.equal(existsSync(`${app}/zentab_host-chromium.json`), false);
      await until('the lines gone', () => lists().watch.length === 0);
    } finally {
      await browser.close();
      zentab.kill();
      site.close();
    }
  });

test('Firefox: tabs watched, a closed one gone, a page reopened after 40 s idle',
  { timeout: 300000 }, async () => {
    const { zentab, site, line, browser } = await watchBrowser('firefox');
    try {
      await until('the pages listed', () => count(lists().watch, line('/b')) === 1, 60);
      await until('a page that closes itself gone', () => count(lists().watch, line('/bye')) === 0,
        40);
      probe('past', site.url('/b'));
      await until('the page reopened', () => count(lists().watch, line('/b')) === 2);
      const before = hosts();
      await sleep(40000);
      assert.equal(hosts(), before);
      probe('past', site.url('/a'));
      await until('a new window after 40 s idle', () => count(lists().watch, line('/a')) === 2);
    } finally {
      await browser.close();
      zentab.kill();
      site.close();
    }
  });
