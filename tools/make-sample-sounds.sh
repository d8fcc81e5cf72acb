#!/usr/bin/env bash
# Speaks both sides of every entry of the sample units (data/samples/*.txt) with espeak-ng and
# stores each as a small wave file in the recorder's format (8000 Hz, mono, 8 bits) under
# data/samples/, where the entry's line names it. Run it again after changing a list and commit
# the sounds: the build only reads the stored files and never needs espeak-ng.
set -euo pipefail
cd "$(dirname "$0")/.."

if ! command -v espeak-ng >/dev/null; then
  echo "espeak-ng is missing: apt-get install --no-install-recommends espeak-ng"
  exit 1
fi
cmake -S . -B build -G Ninja >/dev/null
cmake --build build --target lumo_makesound >/dev/null
makesound=build/tools/lumo_makesound

# The espeak-ng voice for a language number of the program.
voice_of() {
  case "$1" in
    1) echo en-us ;; 0 | 2 | 3) echo en-gb ;; 4) echo fr-fr ;; 5) echo fr-be ;; 6 | 7 | 8) echo de ;;
    9) echo it ;; 10) echo es ;; 11) echo el ;; 12) echo nl ;; 13) echo tr ;; 14) echo pt-br ;;
    15) echo da ;; 16) echo fi ;; 17) echo nb ;; 18) echo sv ;;
    *) echo "no voice for language number '$1'" >&2; return 1 ;;
  esac
}

# What is read aloud: notes in brackets are left out, several meanings get a short pause.
spoken() {
  sed -e 's/([^)]*)//g' -e 's/;/,/g' -e 's/  */ /g' -e 's/^ //' -e 's/ $//' <<<"$1"
}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
declare -A made # sound file -> voice and text, so that a shared sound is made once

speak() { # voice, text, target
  local key="$1|$2"
  if [ -n "${made[$3]+set}" ]; then
    [ "${made[$3]}" = "$key" ] && return 0
    echo "$3 is named for two different texts: ${made[$3]} and $key" >&2
    return 1
  fi
  made[$3]=$key
  mkdir -p "$(dirname "$3")"
  espeak-ng -v "$1" -s 150 -w "$work/speech.wav" "$2"
  "$makesound" "$work/speech.wav" "$3"
}

for list in data/samples/*.txt; do
  folder=$(dirname "$list")
  first=$(sed -n 's/^@FirstLanguage:[[:space:]]*\([0-9]*\).*/\1/p' "$list")
  second=$(sed -n 's/^@SecondLanguage:[[:space:]]*\([0-9]*\).*/\1/p' "$list")
  first_voice=$(voice_of "$first")
  second_voice=$(voice_of "$second")
  while IFS=$'\t' read -r native foreign _type native_sound foreign_sound; do
    case "$native" in '' | '#'* | '@'*) continue ;; esac
    if [ -z "${native_sound:-}" ] || [ -z "${foreign_sound:-}" ]; then
      echo "$list: the entry \"$native\" names no sound for each side" >&2
      exit 1
    fi
    speak "$first_voice" "$(spoken "$native")" "$folder/${native_sound%$'\r'}"
    speak "$second_voice" "$(spoken "$foreign")" "$folder/${foreign_sound%$'\r'}"
  done <"$list"
  echo "Made the sounds of $list"
done
