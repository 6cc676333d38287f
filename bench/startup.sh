#!/usr/bin/env bash
# Start-up of ktendwell: from process start until all three panes have loaded, over the
# sample content with the demo's printers, offscreen, taken in turn with the floor program
# (bench/StartupFloor.cpp: three web panes, nothing else) twice: once on small pages of its
# own, once on the three pages ktendwell shows, which tells the program's own share from the
# pages'. For each run: the panes' load time from the program's trace, the CPU time (user and
# system, the web engine's own processes included) and the peak resident memory of the largest
# process, each until the program has ended. Prints each run, the medians and their ratios.
#   bench/startup.sh [RUNS]
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-10}
source scripts/lib/demo-env.sh
demo_setup >/dev/null
build=${KALDO_BUILD_DIR:-build}
cmake --build "$build" --target StartupFloor >/dev/null

# Runs one program offscreen; prints "LOADED_MS CPU_MS PEAK_KIB".
measure() {
  QT_QPA_PLATFORM=offscreen KALDO_EXIT_WHEN_READY=1 QT_LOGGING_RULES="kaldo.trace.debug=true" \
    python3 -c '
import os, re, subprocess, sys
child = subprocess.Popen(sys.argv[1:], stdout=subprocess.PIPE, stderr=subprocess.STDOUT)
output = child.stdout.read().decode(errors="replace")
_, status, usage = os.wait4(child.pid, 0)
loaded = re.search(r"panes loaded after (\d+) ms", output)
if not loaded:
    sys.exit("startup: the panes of %s never loaded" % sys.argv[1])
cpu = (usage.ru_utime + usage.ru_stime) * 1000
print(loaded.group(1), int(cpu), usage.ru_maxrss)
' "$@"
}

median() {
  printf '%s\n' "$@" | sort -n | sed -n "$(( ($# + 1) / 2 ))p"
}

# One start fills this user's page folder; the floor then shows the same three pages.
measure "$demo_program/ktendwell" "Office_3020" >/dev/null
pages=$XDG_CACHE_HOME/kaldo/Tendwell/Data/presslane_3000/ui
same=("$pages/header.html" "$pages/home.html" "$pages/status.html")

declare -a p_ms p_cpu p_mem f_ms f_cpu f_mem s_ms s_cpu s_mem
for _ in $(seq "$runs"); do
  read -r fm fc fk < <(measure "$build/bench/StartupFloor")
  read -r sm sc sk < <(measure "$build/bench/StartupFloor" "${same[@]}")
  read -r pm pc pk < <(measure "$demo_program/ktendwell" "Office_3020")
  f_ms+=("$fm"); f_cpu+=("$fc"); f_mem+=("$fk")
  s_ms+=("$sm"); s_cpu+=("$sc"); s_mem+=("$sk")
  p_ms+=("$pm"); p_cpu+=("$pc"); p_mem+=("$pk")
  echo "panes loaded after ${pm} ms, ${pc} ms CPU, ${pk} KiB peak" \
    "(floor ${fm} ms, ${fc} ms CPU, ${fk} KiB; with the same pages ${sm} ms, ${sc} ms CPU, ${sk} KiB)"
done
pm=$(median "${p_ms[@]}"); pc=$(median "${p_cpu[@]}"); pk=$(median "${p_mem[@]}")
fm=$(median "${f_ms[@]}"); fc=$(median "${f_cpu[@]}"); fk=$(median "${f_mem[@]}")
sm=$(median "${s_ms[@]}"); sc=$(median "${s_cpu[@]}"); sk=$(median "${s_mem[@]}")
echo "median start-up to three loaded panes: ${pm} ms, ${pc} ms CPU, ${pk} KiB peak over ${runs} runs"
echo "median of the floor (three small pages, nothing else): ${fm} ms, ${fc} ms CPU, ${fk} KiB peak"
echo "median of the floor showing ktendwell's pages: ${sm} ms, ${sc} ms CPU, ${sk} KiB peak"
ratio() {
  awk -v what="$1" -v pm="$pm" -v fm="$2" -v pc="$pc" -v fc="$3" -v pk="$pk" -v fk="$4" 'BEGIN {
    printf "ratio ktendwell / %s: wall %.2f, CPU %.2f; peak memory %+.1f MiB\n", what,
      pm / fm, pc / fc, (pk - fk) / 1024 }'
}
ratio "floor" "$fm" "$fc" "$fk"
ratio "floor with the same pages" "$sm" "$sc" "$sk"
