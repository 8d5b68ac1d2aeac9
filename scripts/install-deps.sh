#!/usr/bin/env bash
# Installs the Debian packages that building, testing and running bookmove need.
# Nothing is started: the Firebird engine runs embedded inside our own processes.
set -euo pipefail

packages=(
  cmake g++ make pkg-config libgtest-dev
  # The standard edition: Firebird 3 client library with the embedded engine.
  firebird3.0-server-core firebird-dev libfbclient2 firebird3.0-utils
  # The big-customer edition: ODBC (FreeTDS for SQL Server; SQLite's driver for our tests),
  # and SQLite for the SQL Server stand-in.
  unixodbc unixodbc-dev tdsodbc libsqliteodbc libsqlite3-dev
)
if [ "${BOOKMOVE_WITH_QT:-ON}" = "ON" ]; then
  # The desktop program (its tests run offscreen) and a CJK font for the Chinese captions.
  packages+=(qt6-base-dev fonts-wqy-microhei)
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
