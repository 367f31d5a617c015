#!/usr/bin/env bash
# run-audit.sh LUMARC_CLI BUILD_DIR MAKE_CATALOGUE: exports the demo catalogue and a generated
# one and audits every page of both (audit.mjs). The Node modules are those scripts/test
# installed in BUILD_DIR/audit; without them the test fails rather than skips.
set -euo pipefail
cli=$1 build=$2 make=$3
here=$(cd "$(dirname "$0")" && pwd)
modules=$build/audit/node_modules
[ -d "$modules/axe-core" ] && [ -d "$modules/puppeteer-core" ] ||
  { echo "run-audit: $modules fehlt; scripts/test installiert es (npm ci)" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export HOME=${HOME:-$work}
"$make" 150 "$work/generated" >/dev/null
status=0
for catalogue in "$build" "$work/generated"; do
  site=$work/site-$(basename "$catalogue")
  "$cli" export-html "$catalogue" "$site" >/dev/null
  echo "== $catalogue"
  NODE_PATH=$modules node "$here/audit.mjs" "$site" "gitter + tabelle" || status=1
done
exit $status
