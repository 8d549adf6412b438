// Real browsers end to end, as tests/win/run.sh sets them up: Chromium and Firefox at once
// through the real extension, the real host under Wine and the real zentab.exe: the watch list, the
// past log, a redirect, reopening in the right browser, idle, a restart of Zentab, the options box.
import assert from 'node:assert/strict';
import { execFileSync, spawn } from 'node:child_process';
import {
  closeSync, existsSync, mkdirSync, mkdtempSync, openSync, readdirSync, readFileSync, rmSync,
  statSync, truncateSync, writeFileSync,
} from 'node:fs';
import { createServer } from 'node:http';
import { tmpdir } from 'node:os';
import { dirname, join } from 'node:path';
import { test } from 'node:test';
import { setTimeout as sleep } from 'node:timers/promises';
import { fileURLToPath } from 'node:url';

const { ZENTAB_WINE: wine, ZENTAB_LANG: lang, ZENTAB_APP: app, ZENTAB_HOST: host,
  ZENTAB_PROBE: probeExe } = process.env;
const wineEnv = { ...process.env, LANG: lang, LC_ALL: lang };
const session = `${app}/Zentab2.session`;

// Output to a file: Wine's own processes, when one of these happens to start them, would hold a
// pipe open long after it ends.
const output = join(mkdtempSync(join(tmpdir(), 'zentab-e2e-')), 'output');
const sink = openSync(output, 'a');
const run = (...args) => {
  truncateSync(output);
  execFileSync(wine, args, { env: wineEnv, timeout: 90000, stdio: ['ignore', sink, 'ignore'] });
  return readFileSync(output, 'utf8');
};
const probe = (...args) => run(probeExe, 'probe', ...args);
const watchList = () => probe('lists').split('\n').filter((l) => l.startsWith('W\t'))
  .map((l) => l.slice(2));
async function until(what, holds, seconds = 30) {
  for (const end = Date.now() + seconds * 1000; Date.now() < end; await sleep(500)) {
    if (holds()) return;
  }
  assert.fail(`${what}: not within ${seconds} s; watch list: ${watchList().join(' | ')}`);
}
const keys = ['Google\\Chrome', 'Microsoft\\Edge', 'Mozilla']
  .map((maker) => `HKCU\\Software\\${maker}\\NativeMessagingHosts\\zentab_host`);
const tried = (call) => { try { return call(); } catch { return ''; } };
const registered = () => keys.filter((key) => tried(() => run('reg', 'query', key, '/ve'))
  .includes('zentab_host-')).length;
// A picture of the screen, once what was just asked of Zentab is painted.
const shot = (name) => sleep(1000).then(() => execFileSync('/usr/bin/import',
  ['-display', process.env.DISPLAY, '-window', 'root', `${process.env.ZENTAB_SHOTS}/${name}.png`]));
// The saved session's browser windows, each "browser:title,title" in order.
function savedWindows() {
  const windows = {};
  for (const line of readFileSync(session, 'utf8').split('\r\n')) {
    const [title, , browser, window] = line.split('\t');
    if (browser) (windows[window] ??= [browser]).push(title);
  }
  return Object.values(windows).map(([browser, ...titles]) => `${browser}:${titles}`);
}

// Pages from 127.0.0.1 with a title and a script each (they may close themselves); and Debian's
// chromium or firefox-esr, headless and as root, with Zentab's extension and the host manifest
// given, its path made `host`, HOME a scratch folder. Headless Chromium takes one page at most.
const extension = fileURLToPath(new URL('../../extension', import.meta.url));

async function servePages(titles) {
  const requests = [];
  const server = createServer((req, res) => {
    requests.push(req.url);
    const [title, script = ''] = [].concat(titles[req.url]);
    res.writeHead(req.url in titles ? 200 : 404, { 'content-type': 'text/html; charset=utf-8' });
    res.end(`<!doctype html><meta charset="utf-8"><title>${title}</title>`
      + `<script>${script}</script>`);
  });
  await new Promise((done) => server.listen(0, '127.0.0.1', done));
  const { port } = server.address();
  return { url: (path) => `http://127.0.0.1:${port}${path}`, port, requests,
    close: () => server.close().closeAllConnections() };
}

function launchBrowser(name, { host, manifest, urls = [], args = [] }) {
  const dir = mkdtempSync(join(tmpdir(), `zentab-${name}-`));
  const profile = join(dir, 'profile');
  const put = (path, value) => {
    mkdirSync(dirname(join(dir, path)), { recursive: true });
    writeFileSync(join(dir, path), typeof value === 'string' ? value : JSON.stringify(value));
  };
  let command = ['firefox-esr', '--headless', '--no-remote', '--profile', profile];
  if (name === 'chromium') {
    put('profile/NativeMessagingHosts/zentab_host.json', { ...manifest, path: host });
    // The last six keep it from reaching for a network that this machine does not have.
    command = ['chromium', '--headless=new', '--no-sandbox', `--user-data-dir=${profile}`,
      `--load-extension=${extension}`, `--disable-extensions-except=${extension}`, '--no-first-run',
      '--disable-gpu', '--disable-background-networking', '--disable-component-update',
      '--disable-sync', '--disable-quic'];
  } else {
    put('.mozilla/native-messaging-hosts/zentab_host.json', { ...manifest, path: host });
    // No first-run pages: they would reach for the network and be tabs of their own.
    put('profile/user.js', Object.entries({ 'xpinstall.signatures.required': false,
      'extensions.autoDisableScopes': 0, 'extensions.enabledScopes': 15,
      'datareporting.policy.firstRunURL': '', 'browser.startup.homepage_override.mstone': 'ignore',
      'dom.allow_scripts_to_close_windows': true,
    }).map(([key, value]) => `user_pref("${key}", ${JSON.stringify(value)});\n`).join(''));
    mkdirSync(join(profile, 'extensions'));
    const xpi = join(profile, `extensions/zentab@zentab.example.xpi`);
    execFileSync('zip', ['-qr', xpi, ...readdirSync(extension)], { cwd: extension });
  }
  const child = spawn(command[0], [...command.slice(1), ...args, ...urls],
    { env: { ...process.env, HOME: dir }, stdio: 'ignore', detached: true });
  const exited = new Promise((done) => child.on('exit', done));
  const signal = (sig) => { try { process.kill(-child.pid, sig); } catch { /* all gone */ } };
  return { dir, async close() {
    signal('SIGTERM');
    await Promise.race([exited, sleep(5000, null, { ref: false })]);
    signal('SIGKILL'); // one that took too long, and what it left running, its hosts among them
    rmSync(dir, { recursive: true, force: true });
  } };
}

function startZentab() {
  const zentab = spawn(wine, [`${app}/zentab.exe`], { env: wineEnv, stdio: 'ignore' });
  const ended = new Promise((done) => zentab.on('exit', done));
  return { ready: () => until('Zentab started', () => tried(() => `${probe('lists')}.`), 90),
    async kill() { zentab.kill('SIGKILL'); await ended; } };
}

test('Chromium and Firefox: tabs watched and reopened in their browser, idle, a restart, the box',
  { timeout: 400000 }, async () => {
    // Chromium's A and B, in one window of the last session: headless, it takes one page at
    // most, here a redirect service's; Firefox's C, and one that closes itself after a while.
    const titles = { '/a': 'ページＡ', '/b': 'ページＢ', '/c': 'ページＣ', '/jump': '移動先',
      '/bye': ['さようなら', 'setTimeout(close, 12000)'] };
    const site = await servePages(titles);
    const line = (path) => `${[].concat(titles[path])[0]} - ${site.url(path)}`;
    const count = (path) => watchList().filter((l) => l.endsWith(line(path))).length;
    writeFileSync(session, ['Zentab2 session 2', `${line('/a').replace(' - ', '\t')}\tchrome\t1`,
      `${line('/b').replace(' - ', '\t')}\tchrome\t1`, 'end', ''].join('\r\n'));
    writeFileSync(`${app}/Zentab2.ini`, '[Option]\r\nThrough=2\r\nMaxWatch=30\r\n');
    for (const key of keys) tried(() => run('reg', 'delete', key, '/f'));
    let zentab = startZentab();
    const browsers = [];
    try {
      await zentab.ready();
      // Ticked in the dialog: the browsers find the host through the manifests Zentab wrote.
      probe('options', 'IsWatchBrowsers');
      assert.equal(registered(), 3);
      titles[`/127.0.0.1:${site.port}/jump`] = 'ジャンプ';
      for (const [name, urls] of [
        ['chromium', [`http://ime.redirect-a.example/127.0.0.1:${site.port}/jump`]],
        ['firefox', [site.url('/c'), site.url('/bye')]]]) {
        const manifest = JSON.parse(readFileSync(`${app}/zentab_host-${name}.json`, 'utf8'));
        const args = name === 'chromium'
          ? [`--host-resolver-rules=MAP ime.redirect-a.example 127.0.0.1:${site.port}`] : [];
        browsers.push(launchBrowser(name, { host, manifest, urls, args }));
      }
      await until('the redirect sent on', () => site.requests.includes('/jump'));
      probe('command', 'TMCmdOpenLastSession');
      const whole = new RegExp(`${line('/a')}\\|ID \\d+ : ${line('/b')}`);
      await until('a window of the last session reopened whole',
        () => whole.test(watchList().join('|')));
      await until('Firefox\'s pages listed', () => count('/c') === 1 && count('/bye') === 1, 60);
      await until('a page that closes itself gone', () => count('/bye') === 0, 40);
      probe('command', 'TMCmdVisible');
      await shot('Watcher-with-tabs');
      probe('command', 'TMCmdVisible');
      probe('command', 'CmdShowOption');
      await shot('Options-with-browsers');
      probe('options');

      // A page of the past log opens in a new window of the browser it came from, before and after
      // 40 s idle, in which no host starts anew (the open port keeps the background alive) and
      // Zentab writes nothing.
      const reopen = async (when) => {
        const before = [count('/a'), count('/c')];
        for (const path of ['/a', '/c']) {
          await until(`${path} in the past log`, () => tried(() => probe('past', site.url(path))));
        }
        await until(`pages reopened ${when}`,
          () => count('/a') === before[0] + 1 && count('/c') === before[1] + 1);
      };
      await reopen('at once');
      // This prefix's hosts: other tests may run hosts of their own beside these.
      const hosts = () => execFileSync('pgrep', ['-f', 'zentab_host.exe']).toString().split('\n')
        .filter((pid) => tried(() => readFileSync(`/proc/${pid}/environ`, 'latin1'))
          .includes(`WINEPREFIX=${process.env.WINEPREFIX}\0`)).join(' ');
      const [running, written] = [hosts(), statSync(session).mtimeMs];
      assert.match(running, /\d/);
      await sleep(40000);
      assert.deepEqual([hosts(), statSync(session).mtimeMs], [running, written]);
      await reopen('after 40 s idle');
      const saved = savedWindows();
      assert.ok(saved.every((w) => /^chrome:[^Ｃ]*$|^firefox:ページＣ$/.test(w)), `${saved}`);

      // Killed, then started again: it asks for the tabs, which show at its next scan; then its
      // last session's windows open again, whole, each in its browser.
      await zentab.kill();
      zentab = startZentab();
      await zentab.ready();
      await until('the tabs again', () => count('/c') === 3, 5 + 3);
      probe('command', 'TMCmdOpenLastSession');
      await until('the last session reopened window by window',
        () => saved.every((w) => savedWindows().filter((x) => x === w).length >= 2));

      // Unticked: the keys and manifests go, so that no browser finds the host any more (here
      // their own manifests go too), and the lines go with the hosts Zentab closes.
      rmSync(`${browsers[0].dir}/profile/NativeMessagingHosts/zentab_host.json`);
      rmSync(`${browsers[1].dir}/.mozilla/native-messaging-hosts/zentab_host.json`);
      probe('options', 'IsWatchBrowsers');
      assert.equal(registered(), 0);
      assert.equal(existsSync(`${app}/zentab_host-chromium.json`), false);
      await until('the lines gone', () => watchList().length === 0);
    } finally {
      for (const browser of browsers) await browser.close();
      await zentab.kill();
      site.close();
      closeSync(sink);
      rmSync(dirname(output), { recursive: true, force: true });
    }
  });
