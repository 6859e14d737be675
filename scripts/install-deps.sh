#!/usr/bin/env bash
# Installs, from Debian's packages and only when missing, everything the build and the tests need.
set -euo pipefail
packages=(build-essential cmake qt6-base-dev libgl-dev libsqlite3-dev libgtest-dev libgmock-dev
          libbenchmark-dev poppler-utils xvfb xauth fonts-dejavu-core)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo_cmd=""
  [ "$(id -u)" -eq 0 ] || sudo_cmd="sudo"
  echo "Installing: ${missing[*]}"
  $sudo_cmd apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
