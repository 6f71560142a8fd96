#!/usr/bin/env bash
# Installs the Debian packages that building, testing, formatting and benchmarking Zelmora need.
# Only missing packages are installed; when nothing is missing it returns at once.
#
#   scripts/install-deps.sh          what make run, make test and make bench need
#   scripts/install-deps.sh --fuzz   the same and clang with libFuzzer (fuzz/*.sh)
#   scripts/install-deps.sh --fidelity  the same and the reference browser of make fidelity
#                                    (headless Chromium driven by Node.js)
set -euo pipefail

packages=(
  g++ cmake make ninja-build pkg-config clang-format
  qt6-base-dev qt6-qpa-plugins qt6-multimedia-dev libgl-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  libsqlite3-dev
  fonts-liberation2
  xvfb xdotool imagemagick x11-utils
)
case "${1:-}" in
  "") ;;
  --fuzz) packages+=(clang libclang-rt-14-dev) ;;
  --fidelity) packages+=(chromium nodejs) ;;
  *) echo "install-deps: unknown option $1 (--fuzz or --fidelity)" >&2; exit 2 ;;
esac

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "install-deps: installing ${missing[*]}"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
