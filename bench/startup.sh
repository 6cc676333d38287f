#!/usr/bin/env bash
# Start-up time of ktendwell: from process start until all three panes have loaded, over the
# sample content with the demo's printers, offscreen, taken in turn with the floor program
# (bench/StartupFloor.cpp: three web panes loading small local pages, nothing else). Prints
# each run, both medians and their ratio.
#   bench/startup.sh [RUNS]
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-10}
source scripts/lib/demo-env.sh
demo_setup >/dev/null
build=${KALDO_BUILD_DIR:-build}
cmake --build "$build" --target StartupFloor >/dev/null

# Runs one program offscreen and prints the milliseconds of its "panes loaded" line.
loaded_after() {
  local line
  line=$(QT_QPA_PLATFORM=offscreen KALDO_EXIT_WHEN_READY=1 \
    QT_LOGGING_RULES="kaldo.trace.debug=true" "$@" 2>&1 | grep -o 'panes loaded after [0-9]* ms' || true)
  [ -n "$line" ] || { echo "startup: the panes of $1 never loaded" >&2; exit 1; }
  echo "$line" | grep -o '[0-9]*'
}

median() {
  printf '%s\n' "$@" | sort -n | sed -n "$(( ($# + 1) / 2 ))p"
}

program_times=()
floor_times=()
for _ in $(seq "$runs"); do
  floor=$(loaded_after "$build/bench/StartupFloor")
  program=$(loaded_after "$demo_program/ktendwell" "Office_3020")
  floor_times+=("$floor")
  program_times+=("$program")
  echo "panes loaded after ${program} ms (floor ${floor} ms)"
done
program_median=$(median "${program_times[@]}")
floor_median=$(median "${floor_times[@]}")
echo "median start-up to three loaded panes: ${program_median} ms over ${runs} runs"
echo "median of the floor (three panes, nothing else): ${floor_median} ms"
awk -v p="$program_median" -v f="$floor_median" \
  'BEGIN { printf "ratio ktendwell / floor: %.2f\n", p / f }'
