#!/usr/bin/env bash
# Starts the simulated station on a pseudo-terminal and the program with COM1 pinned to it; the station
# stops when the program ends. The demo keeps its own data folder (build/demo-data), so the user's own
# settings and protocol file stay untouched; its first start remembers COM1 and turns the traffic log on,
# so Commands > read shows the whole conversation.
set -euo pipefail
cd "$(dirname "$0")/../build"
export XDG_DATA_HOME="$PWD/demo-data"
settings="$XDG_DATA_HOME/Quarvelink/QV-Config/QV-Config.INI"
if [ ! -f "$settings" ]; then
  mkdir -p "$(dirname "$settings")"
  # The protocol key's trailing no-break space (byte A0) is the trace mark.
  printf '[COMCTRL]\r\nPort=COM1\r\nBaud=38400\r\n[FILES]\r\nProtocol=\xa0\r\n' >"$settings"
fi
fifo=$(mktemp -u)
mkfifo "$fifo"
./qv-station-sim --serial 201537 --code 31 --punches 300 >"$fifo" &
sim=$!
trap 'kill $sim 2>/dev/null || true; rm -f "$fifo"' EXIT
read -r pty <"$fifo"
echo "Simulated station on $pty (COM1)"
QV_COMPORTS="1=$pty" ./qv-config "$@"
