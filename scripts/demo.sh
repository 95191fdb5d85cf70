#!/usr/bin/env bash
# Starts the simulated station on a pseudo-terminal and the program with COM1
# pinned to it; the station stops when the program ends.
set -euo pipefail
cd "$(dirname "$0")/../build"
fifo=$(mktemp -u)
mkfifo "$fifo"
./qv-station-sim >"$fifo" &
sim=$!
trap 'kill $sim 2>/dev/null || true; rm -f "$fifo"' EXIT
read -r pty <"$fifo"
echo "Simulated station on $pty (COM1)"
QV_COMPORTS="1=$pty" ./qv-config "$@"
