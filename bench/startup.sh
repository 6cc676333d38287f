#!/usr/bin/env bash
# Start-up time of ktendwell: from process start until all three panes have loaded, over the
# sample content with the demo's printers, offscreen. Prints each run and the median.
#   bench/startup.sh [RUNS]
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-10}
source scripts/lib/demo-env.sh
demo_setup >/dev/null

times=()
for _ in $(seq "$runs"); do
  start=$(date +%s%N)
  line=$(QT_QPA_PLATFORM=offscreen KALDO_EXIT_WHEN_READY=1 QT_LOGGING_RULES="kaldo.trace.debug=true" \
    "$demo_program/ktendwell" "Office_3020" 2>&1 | grep -o 'panes loaded after [0-9]* ms' || true)
  end=$(date +%s%N)
  [ -n "$line" ] || { echo "startup: the panes never loaded" >&2; exit 1; }
  inside=$(echo "$line" | grep -o '[0-9]*')
  times+=("$inside")
  echo "panes loaded after ${inside} ms (whole run $(( (end - start) / 1000000 )) ms)"
done
median=$(printf '%s\n' "${times[@]}" | sort -n | sed -n "$(( (runs + 1) / 2 ))p")
echo "median start-up to three loaded panes: ${median} ms over ${runs} runs"
