#!/usr/bin/env bash
# Renders the main window (each tab) and every converter window to PNG files, offscreen, with
# the CJK font. Usage: scripts/render-windows.sh [OUTPUT_FOLDER]   (BUILD=build by default)
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD="${BUILD:-build}"
OUT="${1:-$BUILD/windows}"
cmake -S . -B "$BUILD" -DBOOKMOVE_WITH_QT=ON > /dev/null
cmake --build "$BUILD" -j"${JOBS:-2}" --target render_windows > /dev/null
FONT="$(fc-match -f '%{file}' 'WenQuanYi Micro Hei' 2>/dev/null || true)"
if [[ -z "$FONT" || ! -f "$FONT" ]]; then
  echo "the CJK font is missing: apt-get install -y fonts-wqy-microhei" >&2
  exit 1
fi
mkdir -p "$OUT"
QT_QPA_PLATFORM=offscreen "$BUILD/app/render_windows" "$OUT" "$FONT"
echo "windows rendered into $(cd "$OUT" && pwd)"
