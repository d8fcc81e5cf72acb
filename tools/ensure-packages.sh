#!/usr/bin/env bash
# Installs the Debian packages the program needs, only when one is missing, so that a
# second run costs no time. Sourced by run.sh and test.sh.
lumo_packages=(cmake ninja-build g++ pkg-config qt6-base-dev qt6-multimedia-dev qt6-svg-dev
               qt6-qpa-plugins libsqlite3-dev libgl-dev xvfb xauth fonts-dejavu-core)

lumo_missing=()
for p in "${lumo_packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    lumo_missing+=("$p")
  fi
done

if [ ${#lumo_missing[@]} -gt 0 ]; then
  if [ "$(id -u)" -eq 0 ]; then
    echo "Installing: ${lumo_missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${lumo_missing[@]}" >/dev/null
  else
    echo "Missing packages. Please run as root:"
    echo "  apt-get update && apt-get install -y --no-install-recommends ${lumo_missing[*]}"
    exit 1
  fi
fi
