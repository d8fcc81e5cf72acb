#!/usr/bin/env bash
# Installs the Debian packages the program needs, only when one is missing, so that a
# second run costs no time. Sourced by run.sh and test.sh.
# Every name is a real Debian 12 package, not a virtual one: a virtual name never shows as
# installed, so it would be installed again on every run.
lumo_packages=(cmake ninja-build g++ pkg-config qt6-base-dev qt6-multimedia-dev qt6-svg-dev libespeak-ng-dev
               qt6-qpa-plugins libsqlite3-dev libgl-dev xvfb xauth fonts-dejavu-core fonts-liberation
               util-linux pulseaudio pulseaudio-utils qt6-translations-l10n sqlite3 python3)

lumo_missing=()
for p in "${lumo_packages[@]}"; do
  # One line per installed architecture; "hold" or "deinstall" wishes do not matter here,
  # only whether the package is there.
  lumo_state=$(dpkg-query -W -f='${db:Status-Status}\n' "$p" 2>/dev/null || true)
  if ! grep -qx installed <<<"$lumo_state"; then
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
    lumo_install="apt-get update && apt-get install -y --no-install-recommends ${lumo_missing[*]}"
    echo "Missing packages. Please install them once as root, then run this again:"
    if command -v sudo >/dev/null; then
      echo "  sudo sh -c '$lumo_install'"
    else
      echo "  su -c '$lumo_install'"
    fi
    exit 1
  fi
fi
unset lumo_packages lumo_missing lumo_state lumo_install p
