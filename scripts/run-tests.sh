#!/usr/bin/env bash
# Builds everything and runs every test: unit and end-to-end tests in the normal build, then
# the unit tests again in the optimised Release build and under the address and
# undefined-behaviour sanitizers. Warnings are errors here, in every build.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc)

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVR_WERROR=ON >/dev/null
cmake --build build -j"$jobs"

# What packagers build: the optimiser sees more, and warns about more.
cmake -S . -B build-release -DCMAKE_BUILD_TYPE=Release -DVR_WERROR=ON >/dev/null
cmake --build build-release -j"$jobs"

cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DVR_SANITIZE=ON -DVR_WERROR=ON -DVR_BENCH=OFF >/dev/null
cmake --build build-asan -j"$jobs"

# The game alone must still configure where the test and benchmark frameworks are missing.
cmake -S . -B build-minimal -DCMAKE_DISABLE_FIND_PACKAGE_GTest=TRUE -DCMAKE_DISABLE_FIND_PACKAGE_benchmark=TRUE \
  >/dev/null

# The end-to-end tests start X servers of their own; anything else that wants a display
# gets this one.
if [ -z "${DISPLAY:-}" ]; then
  # Xvfb takes a free display and writes its number once it accepts clients; a server that
  # cannot start closes the pipe without a word. -noreset: a server resetting after its last
  # client refuses the next one for a moment, and the tests come and go all the time.
  fifo=$(mktemp -u)
  mkfifo "$fifo"
  Xvfb -displayfd 3 -screen 0 1024x768x24 -noreset -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
  xvfb_pid=$!
  trap 'kill $xvfb_pid 2>/dev/null || true' EXIT
  number=""
  read -r -t 60 number <"$fifo" || true
  rm -f "$fifo"
  if [ -z "$number" ]; then
    echo "run-tests.sh: Xvfb did not start" >&2
    exit 1
  fi
  export DISPLAY=:$number
fi

export ASAN_OPTIONS=${ASAN_OPTIONS:-halt_on_error=1:abort_on_error=1}
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$PWD/tests/lsan.supp}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-halt_on_error=1:print_stacktrace=1}

echo "== tests =="
ctest --test-dir build --output-on-failure -j"$jobs"
echo "== unit tests in the Release build =="
ctest --test-dir build-release --output-on-failure -j"$jobs" -L unit
echo "== unit tests under the sanitizers =="
ctest --test-dir build-asan --output-on-failure -j"$jobs" -L unit
