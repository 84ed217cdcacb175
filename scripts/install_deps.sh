#!/usr/bin/env bash
# Installs every Debian package that building, testing and running Karvelindorax needs.
# Safe to run again: packages already present are skipped, and nothing is asked.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  zlib1g-dev libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev
  qt6-base-dev
  fonts-dejavu-core fonts-sil-ezra fonts-sil-gentiumplus xvfb xauth
  libsword-utils
  sword-text-kjv sword-text-web
  sword-comm-mhcc sword-comm-tdavid sword-comm-scofield
  sword-dict-naves sword-dict-strongs-greek sword-dict-strongs-hebrew
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
  sudo_cmd=(sudo)
fi

echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
# Recommended packages are left out on purpose: they drag in desktop programs we neither need nor want.
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
