#!/usr/bin/env bash
# Shared by ./run and ./test: installs what is missing, then configures and builds.
# Idempotent: with everything present it only runs an incremental build.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(
  cmake ninja-build g++ clang libclang-rt-14-dev pkg-config
  qt6-base-dev libqt6sql6-sqlite qt6-webengine-dev libqt6webenginecore6-bin qt6-tools-dev-tools
  libjpeg-dev libfontconfig-dev libgtest-dev libgmock-dev
  fonts-noto-cjk xvfb xauth
  mdbtools python3
  desktop-file-utils appstream xdotool
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
# Node.js may come from elsewhere with npm inside it; Debian's npm only where there is none.
command -v npm >/dev/null || missing+=(nodejs npm)
if ((${#missing[@]})); then
  if [ "$(id -u)" = 0 ]; then sudo=""; elif command -v sudo >/dev/null; then sudo="sudo"; else
    echo "Missing packages. Install them with:" >&2
    echo "  apt-get update && apt-get install -y ${missing[*]}" >&2
    exit 1
  fi
  echo "Installing: ${missing[*]}"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# The independent implementations the tests compare against (pinned in the lock file).
if [ -f tests/oracle/package.json ] && { [ ! -d tests/oracle/node_modules/mdb-reader ] || [ ! -d tests/oracle/node_modules/ts-fsrs ]; }; then
  npm ci --prefix tests/oracle --no-audit --no-fund --loglevel=error
fi

# Configure every time: a module folder that appeared since the last run joins the build.
cmake --preset default >/dev/null
cmake --build --preset default
