#!/usr/bin/env bash
# Starts the simulated station on a pseudo-terminal and the program with COM1 pinned to it; the station
# stops when the program ends. The first argument chooses the station (default "station"):
#   station  a control station with 300 punches in its backup memory
#   readout  a read-out station that cards are put into one after the other (Commands > read QV cards)
#   radio    a read-out station with radio cards put on it (Settings > configure QVEL card, Commands > QVEL list)
#   gsm      a mobile-network station (its write column's access data, "new APN data")
# Further arguments go to the program. The demo keeps its own data folder (build/demo-data), so the user's
# own settings and protocol file stay untouched; its first start remembers COM1 and turns the traffic log on,
# so Commands > read shows the whole conversation. The data folder gets the shipped code-number list and
# providers' access-data list, as a first start of the program gets them.
set -euo pipefail
scene=${1:-station}
[ $# -gt 0 ] && shift
case "$scene" in
  station | readout | radio | gsm) ;;
  *)
    echo "demo: the station must be one of station, readout, radio, gsm (not \"$scene\")" >&2
    exit 2
    ;;
esac
cd "$(dirname "$0")/../build"
export XDG_DATA_HOME="${QV_DEMO_DATA:-$PWD/demo-data}"
data="$XDG_DATA_HOME/Quarvelink/QV-Config"
settings="$data/QV-Config.INI"
mkdir -p "$data"
if [ ! -f "$settings" ]; then
  # The protocol key's trailing no-break space (byte A0) is the trace mark.
  printf '[COMCTRL]\r\nPort=COM1\r\nBaud=38400\r\n[FILES]\r\nProtocol=\xa0\r\n' >"$settings"
fi
for list in QV-Config.CNo APN_Data.csv; do
  [ -f "$data/$list" ] || cp "$list" "$data/$list"
done
punches=()
[ "$scene" = station ] && punches=(--punches 300)
fifo=$(mktemp -u)
mkfifo "$fifo"
./qv-station-sim --serial 201537 --code 31 --scene "$scene" "${punches[@]}" >"$fifo" &
sim=$!
trap 'kill $sim 2>/dev/null || true; rm -f "$fifo"' EXIT
read -r pty <"$fifo"
echo "Simulated $scene station on $pty (COM1)"
QV_COMPORTS="1=$pty" "${QV_DEMO_PROGRAM:-./qv-config}" "$@"
