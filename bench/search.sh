#!/usr/bin/env bash
# The search page against the search alone, in one run of build/bench/SearchBenchmark with the
# benchmarks interleaved: searches back to back, which keep the held index in the processor's
# caches, and searches after a pause, as a user's are. Prints the median of each and the ratio
# of the page to the search alone for both.
#   bench/search.sh [REPETITIONS]
set -euo pipefail
cd "$(dirname "$0")/.."
repetitions=${1:-7}
build=${KALDO_BUILD_DIR:-build}
cmake --build "$build" --target SearchBenchmark >/dev/null

"$build/bench/SearchBenchmark" \
  --benchmark_filter='^(SearchFixture/SearchHeldIndex|SearchFixture/SearchAfterPause|SearchPagesHeldIndex|SearchPagesAfterPause)$' \
  --benchmark_repetitions="$repetitions" --benchmark_enable_random_interleaving=true \
  --benchmark_report_aggregates_only=true --benchmark_format=json 2>/dev/null |
  python3 -c '
import json, sys
medians = {}
for run in json.load(sys.stdin)["benchmarks"]:
    if run.get("aggregate_name") == "median":
        medians[run["run_name"].split("/")[-1]] = run["real_time"]
for search, pages, how in (("SearchHeldIndex", "SearchPagesHeldIndex", "back to back"),
                           ("SearchAfterPause", "SearchPagesAfterPause", "after a pause")):
    print("%-14s search %6.2f ms   search page %6.2f ms   ratio %.2f"
          % (how, medians[search], medians[pages], medians[pages] / medians[search]))
'
