# Shared by scripts/run and scripts/test: install what is missing, configure, build.
set -euo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD_DIR=${BUILD_DIR:-$ROOT/build}

PACKAGES=(build-essential cmake ninja-build pkg-config qt6-base-dev qt6-translations-l10n
  libzip-dev libgtest-dev libgmock-dev libbenchmark-dev nlohmann-json3-dev libcli11-dev xvfb xauth
  poppler-utils fonts-liberation fonts-dejavu-core libiso9660-dev libcdio-dev xorriso appstream
  desktop-file-utils shared-mime-info chromium zip unzip qt6-base-private-dev
  at-spi2-core python3-pyatspi dbus xdotool libsqlite3-dev libxxhash-dev)

install_packages() {
  local missing=()
  # The website's audit runs on Node.js; a machine may have its own, newer than Debian's.
  command -v npm >/dev/null || PACKAGES+=(nodejs npm)
  for p in "${PACKAGES[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
      missing+=("$p")
    fi
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  if [ "$(id -u)" -ne 0 ]; then
    echo "Missing packages. Install them with:" >&2
    echo "  sudo apt-get update && sudo apt-get install -y --no-install-recommends ${missing[*]}" >&2
    exit 1
  fi
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

configure_and_build() {
  cmake -S "$ROOT" -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE="${BUILD_TYPE:-RelWithDebInfo}" "$@"
  cmake --build "$BUILD_DIR" -j2
}

# The audit's Node modules (axe-core, puppeteer-core; no browser of their own), as pinned by
# tests/export/audit/package-lock.json, in $BUILD_DIR/audit; again only when the lock changed.
install_audit_modules() {
  local audit="$BUILD_DIR/audit" lock="$ROOT/tests/export/audit/package-lock.json"
  mkdir -p "$audit"
  if [ -d "$audit/node_modules" ] && cmp -s "$lock" "$audit/package-lock.json"; then
    return 0
  fi
  cp "$ROOT/tests/export/audit/package.json" "$lock" "$audit/"
  (cd "$audit" && PUPPETEER_SKIP_DOWNLOAD=1 npm ci --no-audit --no-fund --loglevel=error)
}
