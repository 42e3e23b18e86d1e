#!/usr/bin/env bash
# Installs everything the build, the tests, the benchmarks and the GUI need.
# This is the one place where the project's dependencies are named.
# Quiet and idempotent: packages already present are not touched.
set -euo pipefail

# Debian 12 package names, each one the build or a test really uses.
packages=(
  build-essential cmake ninja-build ccache pkg-config  # compiler, build
  qt6-base-dev qt6-base-dev-tools qt6-serialport-dev   # Qt Core, Widgets, PrintSupport, Test; serial port
  qt6-translations-l10n                                # Qt's own dialogs in Russian (run time too)
  libqcustomplot-dev                                   # charts
  libsqlite3-dev                                       # archive tables
  libgtest-dev libgmock-dev libbenchmark-dev           # tests, benchmarks
  clang libclang-rt-14-dev                             # make fuzz (libFuzzer)
  fonts-dejavu-core                                    # Cyrillic glyphs in screenshots offscreen
  dpkg-dev                                             # make package: dpkg-shlibdeps
  appstream desktop-file-utils                         # the package test validates its menu files
  libzip-dev unzip                                     # the service bundle; its test checks it with unzip -t
  poppler-utils                                        # the report tests read their PDF pages (pdftoppm, pdftotext)
  libqt6sql6-sqlite libqt6sql6-psql                    # the gauge register: Qt SQL's SQLite and PostgreSQL drivers
  postgresql                                           # the register's tests start a PostgreSQL 15 server of their own
)

# One read-only query of the package database; apt-get runs only when
# something is missing, so a machine that has everything needs no network.
installed=$(dpkg-query -W -f='${Package} ${db:Status-Status}\n' "${packages[@]}" 2>/dev/null || true)
missing=()
for p in "${packages[@]}"; do
  grep -qx "$p installed" <<<"$installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq >/dev/null
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
