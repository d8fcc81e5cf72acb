#!/usr/bin/env bash
# Builds one fuzz target with clang and runs it for a given time from its seed corpus.
#   tests/fuzz/run.sh TARGET SECONDS      (TARGET: inifile, translate, oldunit, wavefile,
#                                          specialchars, csv, kvtml,
#                                          testvariant, discardlist)
# New inputs collect in build-fuzz/corpus/TARGET, crashes in build-fuzz/artifacts/TARGET.
# Never part of the normal build: it uses a build folder of its own.
set -euo pipefail
cd "$(dirname "$0")/../.."

if [ $# -ne 2 ]; then
  echo "usage: $0 TARGET SECONDS" >&2
  exit 2
fi
target=${1#fuzz_}
seconds=$2
if [ ! -f "tests/fuzz/fuzz_${target}.cpp" ]; then
  echo "no fuzz target '$target'; there are:" $(ls tests/fuzz | sed -n 's/^fuzz_\(.*\)\.cpp$/\1/p') >&2
  exit 2
fi

source tools/ensure-packages.sh
# The fuzzing compiler and its runtime, only here and not in the normal build.
for p in clang-14 libclang-rt-14-dev; do
  if ! dpkg-query -W -f='${db:Status-Status}\n' "$p" 2>/dev/null | grep -qx installed; then
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends clang-14 libclang-rt-14-dev >/dev/null
    break
  fi
done

launcher=()
if command -v ccache >/dev/null; then
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
cmake -S . -B build-fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++-14 -DLUMO_FUZZ=ON "${launcher[@]}" >/dev/null
cmake --build build-fuzz --target "fuzz_${target}"

work=build-fuzz/corpus/$target
artifacts=build-fuzz/artifacts/$target/
mkdir -p "$work" "$artifacts"
# Nested or chunked formats hide their faults in long inputs (thousands of nested elements, a
# quoted field over many lines, chunks past 64 KiB); the line-based ones do with short ones.
# For those the length limit is lifted at once (-len_control=0) instead of creeping up from the
# largest seed, so that mutations may pile up nesting within the run.
case $target in
  kvtml | csv | wavefile) limits=(-max_len=1048576 -len_control=0) ;;
  *) limits=(-max_len=65536) ;;
esac
# Qt needs no display for these readers; the working corpus grows, the seeds stay as they are.
QT_QPA_PLATFORM=offscreen "build-fuzz/tests/fuzz/fuzz_${target}" -max_total_time="$seconds" -timeout=10 \
  -rss_limit_mb=2048 "${limits[@]}" -print_final_stats=1 -artifact_prefix="$artifacts" \
  "$work" "tests/fuzz/corpus/$target"
