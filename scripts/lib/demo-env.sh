# Sourced by scripts/demo and bench/startup.sh: builds the programs, stages a program folder
# with the sample content, starts the printer and web-site simulator and a private print
# scheduler, and exports what ktendwell needs to find them. Everything stops and is removed
# when the sourcing script exits.
#   demo_setup            -> $demo_program/ktendwell is ready to run
# KALDO_BUILD_DIR names the build folder (default build); with KALDO_DEMO_PREBUILT set the
# programs are taken from it as they are. KALDO_DEMO_PORT (default 18080) is the web site's
# port and the next one the printer's, so that two setups can run side by side.

demo_setup() {
  local build=${KALDO_BUILD_DIR:-build}
  # The test suite runs this over its own build, which is made already.
  if [ -z "${KALDO_DEMO_PREBUILT:-}" ]; then
    scripts/install-deps
    cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
    cmake --build "$build" --target ktendwell kaldosim kaldocups
  fi

  demo_dir=$(mktemp -d /tmp/kaldo-demo.XXXXXX)
  demo_program=$demo_dir/program
  mkdir -p "$demo_program/Data" "$demo_dir/root" "$demo_dir/config"
  cp "$build/main/app/ktendwell" "$demo_program/"
  cp -r content/*/ "$demo_program/Data/"

  demo_pids=()
  trap demo_cleanup EXIT

  # Printers serve on port 80, which only root may bind; the demo's printer uses another port
  # and tells ktendwell so.
  local site_port=${KALDO_DEMO_PORT:-18080}
  local printer_port=$((site_port + 1))
  "$build/simulator/kaldosim" --quiet --printer "127.0.0.5:$printer_port" --supplies mono \
    --toner black:64 --name KP3020-Office --location "Second floor, copy room" \
    --site "127.0.0.1:$site_port" >"$demo_dir/sim.out" 2>"$demo_dir/sim.err" &
  demo_pids+=($!)
  demo_wait_for_line "$demo_dir/sim.out" ready "the simulator"

  # The studio printer has no status page of its own; what its backend reported during one
  # small job is what the print scheduler, and so the footer, knows of it. The lobby printer is
  # CUPS's reference IPP Everywhere printer behind a driverless queue, asked for its model and
  # its live state over IPP (it needs avahi-daemon, which kaldocups starts when none runs).
  "$build/simulator/kaldocups" \
    --queue Office_3020 socket://127.0.0.5:9100 "Kaldo Presslane 3020 PS" \
    --queue Desk_3040 "usb://Kaldo/Presslane%203040?serial=KP3040-000417" "Kaldo Presslane 3040 PS" \
    --queue Studio_C5100 ipp://127.0.0.6/ipp/print "Kaldo Presslane C5100 PS" \
    --report Studio_C5100 "ATTR: marker-names=Black,Cyan,Magenta,Yellow" \
    --report Studio_C5100 "ATTR: marker-types=toner,toner,toner,toner" \
    --report Studio_C5100 "ATTR: marker-colors=#000000,#00FFFF,#FF00FF,#FFFF00" \
    --report Studio_C5100 "ATTR: marker-levels=72,45,8,90" \
    --report Studio_C5100 "STATE: +toner-low-warning" \
    --print Studio_C5100 \
    --everywhere Lobby_3020 Kaldo "Presslane 3020" --supplies Lobby_3020 30,8 \
    --location Lobby_3020 "Entrance hall" \
    >"$demo_dir/cups.out" 2>&1 &
  demo_pids+=($!)
  demo_wait_for_line "$demo_dir/cups.out" CUPS_SERVER= "the print scheduler"

  CUPS_SERVER=$(sed -n 's/^CUPS_SERVER=//p' "$demo_dir/cups.out")
  export CUPS_SERVER KALDO_ROOT=$demo_dir/root XDG_CONFIG_HOME=$demo_dir/config
  export XDG_CACHE_HOME=$demo_dir/cache
  export KALDO_HOME_PAGE=http://127.0.0.1:$site_port/ KALDO_PRINTER_WEB_PORT=$printer_port
}

demo_cleanup() {
  for pid in "${demo_pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$demo_dir"
}

# Waits until FILE has a line starting with PREFIX, or gives up after ten seconds.
demo_wait_for_line() {
  for _ in $(seq 100); do
    grep -q "^$2" "$1" 2>/dev/null && return 0
    sleep 0.1
  done
  echo "demo: $3 did not start:" >&2
  cat "$1" >&2
  exit 1
}
