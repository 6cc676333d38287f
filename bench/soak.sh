#!/usr/bin/env bash
# Starts and ends ktendwell RUNS times over the sample content with the demo's printers,
# offscreen, closing the window in turn when every pane has loaded, while the panes load, during
# a status refresh, a search and a printer switch, and after a second start's printer. Counts
# the abnormal ends: signals, non-zero exit codes, hangs and sanitizer reports.
#   bench/soak.sh [RUNS]
set -uo pipefail
cd "$(dirname "$0")/.."
runs=${1:-50}
# Its own ports, so that it can run beside a demo.
export KALDO_DEMO_PORT=${KALDO_DEMO_PORT:-18280}
source scripts/lib/demo-env.sh
demo_setup >/dev/null || exit 1

export QT_QPA_PLATFORM=offscreen KALDO_EXIT_WHEN_READY=1
export XDG_RUNTIME_DIR=$demo_dir/runtime
mkdir -m 0700 "$XDG_RUNTIME_DIR"
program=$demo_program/ktendwell
modes=(ready load refresh search:toner printer:Desk_3040 forward)
limit=90

# Whether a run's exit code and output are those of a normal end.
normal_end() {
  [ "$1" -eq 0 ] && ! grep -qE 'ERROR: (Address|Leak|Thread)Sanitizer|runtime error:' "$2"
}

# Waits until the running instance listens for a second start.
wait_for_listener() {
  for _ in $(seq 300); do
    [ -S "$XDG_RUNTIME_DIR/Kaldo_Tendwell.socket" ] && return 0
    kill -0 "$1" 2>/dev/null || return 1
    sleep 0.1
  done
  return 1
}

abnormal=0
for run in $(seq "$runs"); do
  mode=${modes[$(( (run - 1) % ${#modes[@]} ))]}
  # Close at once or a little later, so that runs meet the action at different points.
  export KALDO_EXIT_AFTER_MS=$(( (run * 37) % 400 ))
  out=$demo_dir/run-$run.err
  case $mode in
    ready)
      KALDO_EXIT_AFTER= timeout "$limit" "$program" Office_3020 >"$out" 2>&1
      rc=$? ;;
    forward)
      KALDO_EXIT_AFTER=forward timeout "$limit" "$program" Office_3020 >"$out" 2>&1 &
      first=$!
      rc=0
      if wait_for_listener "$first"; then
        sleep "0.$(( run % 10 ))"
        timeout "$limit" "$program" Desk_3040 >"$out.second" 2>&1 || rc=$?
        cat "$out.second" >>"$out"
      else
        echo "soak: no listener" >>"$out"
        rc=1
      fi
      wait "$first" || rc=$?
      ;;
    *)
      KALDO_EXIT_AFTER=$mode timeout "$limit" "$program" Office_3020 >"$out" 2>&1
      rc=$? ;;
  esac
  if ! normal_end "$rc" "$out"; then
    abnormal=$((abnormal + 1))
    echo "run $run ($mode, close after ${KALDO_EXIT_AFTER_MS} ms): exit $rc" >&2
    grep -E 'Sanitizer|runtime error|cannot start' "$out" | head -5 >&2
  fi
done
echo "$abnormal abnormal of $runs"
[ "$abnormal" -eq 0 ]
