// Debian's chromium or firefox-esr, headless and as root, with Zentab's extension from extension/
// and a given zentab_host; and pages served from 127.0.0.1.
//   const site = await servePages({ '/a': '日本語の題', '/b': ['題', 'script'] });
//     site.url('/a'); site.requests, the paths asked for; site.close(). Paths may be added later.
//   const b = launchBrowser('chromium' | 'firefox', { host, manifest, urls, args, env });
//     host: the executable the browser starts as zentab_host (a shell script will do); manifest:
//     the host manifest to give the browser (its path becomes host; one of Zentab's own by
//     default); urls: the pages it opens; args: more of its arguments; env: added to its
//     environment and so to the host's, where HOME is b.dir, a scratch folder. Pages may close
//     themselves. Headless Chromium takes one page at most.
//   b.close() ends the browser and what it started (the host too), and removes b.dir.
import { execFileSync, spawn } from 'node:child_process';
import { mkdirSync, mkdtempSync, readdirSync, rmSync, writeFileSync } from 'node:fs';
import { createServer } from 'node:http';
import { tmpdir } from 'node:os';
import { dirname, join } from 'node:path';
import { fileURLToPath } from 'node:url';

const extension = fileURLToPath(new URL('../../extension', import.meta.url));
const chromiumId = 'kflilephkonpaaabcfjpemepapeeochc';
const firefoxId = 'zentab@zentab.example';

export async function servePages(titles) {
  const requests = [];
  const server = createServer((req, res) => {
    requests.push(req.url);
    const [title, script = ''] = [].concat(titles[req.url]);
    res.writeHead(req.url in titles ? 200 : 404, { 'content-type': 'text/html; charset=utf-8' });
    res.end(`<!doctype html><meta charset="utf-8"><title>${title}</title><script>${script}</script>`);
  });
  await new Promise((done) => server.listen(0, '127.0.0.1', done));
  const { port } = server.address();
  return { url: (path) => `http://127.0.0.1:${port}${path}`, port, requests,
    close: () => server.close().closeAllConnections() };
}

export function launchBrowser(name, { host, manifest, urls = [], args = [], env = {} }) {
  const dir = mkdtempSync(join(tmpdir(), `zentab-${name}-`));
  const profile = join(dir, 'profile');
  const put = (path, value) => {
    mkdirSync(dirname(join(dir, path)), { recursive: true });
    writeFileSync(join(dir, path), typeof value === 'string' ? value : JSON.stringify(value));
  };
  const own = { name: 'zentab_host', description: 'Zentab', path: host, type: 'stdio' };
  let command = ['firefox-esr', '--headless', '--no-remote', '--profile', profile];
  if (name === 'chromium') {
    put('profile/NativeMessagingHosts/zentab_host.json', { ...(manifest
      ?? { ...own, allowed_origins: [`chrome-extension://${chromiumId}/`] }), path: host });
    // The last six keep it from reaching for a network that this machine does not have.
    command = ['chromium', '--headless=new', '--no-sandbox', `--user-data-dir=${profile}`,
      `--load-extension=${extension}`, `--disable-extensions-except=${extension}`, '--no-first-run',
      '--disable-gpu', '--disable-background-networking', '--disable-component-update',
      '--disable-sync', '--disable-quic'];
  } else {
    put('.mozilla/native-messaging-hosts/zentab_host.json',
      { ...(manifest ?? { ...own, allowed_extensions: [firefoxId] }), path: host });
    // No first-run pages: they would reach for the network and be tabs of their own.
    put('profile/user.js', Object.entries({ 'xpinstall.signatures.required': false,
      'extensions.autoDisableScopes': 0, 'extensions.enabledScopes': 15,
      'datareporting.policy.firstRunURL': '', 'browser.startup.homepage_override.mstone': 'ignore',
      'dom.allow_scripts_to_close_windows': true,
    }).map(([key, value]) => `user_pref("${key}", ${JSON.stringify(value)});\n`).join(''));
    mkdirSync(join(profile, 'extensions'));
    const xpi = join(profile, `extensions/${firefoxId}.xpi`);
    execFileSync('zip', ['-qr', xpi, ...readdirSync(extension)], { cwd: extension });
  }
  const child = spawn(command[0], [...command.slice(1), ...args, ...urls],
    { env: { ...process.env, ...env, HOME: dir }, stdio: 'ignore', detached: true });
  const exited = new Promise((done) => child.on('exit', done));
  const signal = (sig) => { try { process.kill(-child.pid, sig); } catch { /* all gone */ } };
  return { dir, process: child, async close() {
    signal('SIGTERM');
    const timer = setTimeout(() => signal('SIGKILL'), 5000);
    await exited;
    clearTimeout(timer);
    signal('SIGKILL'); // what the browser left running, its hosts among them
    rmSync(dir, { recursive: true, force: true });
  } };
}
