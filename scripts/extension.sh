#!/usr/bin/env bash
# Zentab's browser extension, with the pinned web-ext (installed by npm ci when needed):
#   scripts/extension.sh lint    checks extension/ as the add-ons site will
#   scripts/extension.sh build   checks it, then packs it unsigned, for signing on the add-ons site,
#                                as build/zentab-firefox.xpi
set -euo pipefail
cd "$(dirname "$0")/.."

node -e 'process.exit(Number(process.versions.node.split(".")[0]) < 20 ? 1 : 0)' \
  || { echo "web-ext and the extension's tests need Node 20 or later"; exit 1; }
installed=node_modules/.package-lock.json
if [ ! -x node_modules/.bin/web-ext ] || [ package-lock.json -nt "$installed" ]; then
  npm ci --no-audit --no-fund
fi
export NO_UPDATE_NOTIFIER=1

# Warnings accepted: Firefox ignores background.service_worker, which Chrome and Edge need; and the
# add-ons site asks for a Firefox for Android that takes data_collection_permissions, but the
# extension is for desktop browsers only.
accepted='BACKGROUND_SERVICE_WORKER_IGNORED KEY_FIREFOX_ANDROID_UNSUPPORTED_BY_MIN_VERSION'
report=$(node_modules/.bin/web-ext lint --source-dir extension --output json) || true
REPORT=$report ACCEPTED=$accepted node -e '
  const { errors, warnings, summary } = JSON.parse(process.env.REPORT);
  const accepted = process.env.ACCEPTED.split(" ");
  const unexpected = [...errors, ...warnings].filter((m) => !accepted.includes(m.code));
  for (const m of unexpected) console.log(`${m.code}: ${m.message} (${m.file ?? "manifest"})`);
  console.log(`web-ext lint: ${summary.errors} errors, ${summary.warnings} warnings,`,
    `${unexpected.length} not accepted`);
  process.exit(unexpected.length ? 1 : 0);'

if [ "${1:-}" = build ]; then
  node_modules/.bin/web-ext build --source-dir extension --artifacts-dir build \
    --filename zentab-firefox.xpi --overwrite-dest
fi
