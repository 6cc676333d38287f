#!/usr/bin/env bash
# What switched-off driverless printers cost: the "/t" query and the start-up (until the three
# panes have loaded, offscreen) over the demo's printers, first as they are, then with one and
# with ten driverless queues added whose printers do not answer (device URIs on ADDRESS, by
# default an address of the documentation range that nothing answers on), then with three
# queues on network services that are gone, as the desktop leaves them behind. Prints seconds.
#   bench/driverless-off.sh [ADDRESS]
set -euo pipefail
cd "$(dirname "$0")/.."
address=${1:-192.0.2.123}
source scripts/lib/demo-env.sh
demo_setup >/dev/null

seconds() {
  local start end
  start=$(date +%s.%N)
  "$@" >/dev/null 2>&1 || true
  end=$(date +%s.%N)
  awk -v s="$start" -v e="$end" 'BEGIN { printf "%.2f", e - s }'
}

startup() {
  QT_QPA_PLATFORM=offscreen KALDO_EXIT_WHEN_READY=1 QT_LOGGING_RULES="kaldo.trace.debug=true" \
    "$demo_program/ktendwell" Office_3020 2>&1 | grep -o 'panes loaded after [0-9]* ms' |
    grep -o '[0-9]*' | awk '{ printf "%.2f", $1 / 1000 }'
}

measure() {
  echo "$1 off: /t Office_3020 $(seconds "$demo_program/ktendwell" /t Office_3020) s," \
    "/t ${2:-Lobby_3020} $(seconds "$demo_program/ktendwell" /t "${2:-Lobby_3020}") s," \
    "start-up $(startup) s"
}

measure 0
added=0
for count in 1 10; do
  while [ "$added" -lt "$count" ]; do
    added=$((added + 1))
    lpadmin -p "Off_$added" -E -v "ipp://$address:$((630 + added))/ipp/print"
  done
  measure "$count" Off_1
done
for i in 1 2 3; do
  lpadmin -p "Gone_$i" -E -v "dnssd://Gone%20Printer%20$i._ipp._tcp.local/?uuid=e3248000-80ce-11db-8000-30000000000$i"
done
measure "10 + 3 gone services" Gone_1
