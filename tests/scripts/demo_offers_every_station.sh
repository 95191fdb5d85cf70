#!/usr/bin/env bash
# `make demo` offers every station the README shows (a control station, a read-out station with cards put
# in, a radio-card station, a mobile-network station) and gives the program the shipped code-number and
# providers' access-data lists. In place of the program, a stand-in checks what the program would find.
# Arguments: the source folder and the build folder.
set -euo pipefail
src=$1
build=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
stand_in="$work/program.sh"
cat >"$stand_in" <<'PROGRAM'
#!/usr/bin/env bash
# The station answers on COM1's device; the data folder holds the lists the program uses.
set -euo pipefail
pty=${QV_COMPORTS#1=}
[ -c "$pty" ] || { echo "no station on $pty"; exit 1; }
data="$XDG_DATA_HOME/Quarvelink/QV-Config"
for list in QV-Config.CNo APN_Data.csv QV-Config.INI; do
  [ -s "$data/$list" ] || { echo "no $list in $data"; exit 1; }
done
cmp -s "$data/QV-Config.CNo" "$SHIPPED/QV-Config.CNo" || { echo "QV-Config.CNo is not the shipped list"; exit 1; }
cmp -s "$data/APN_Data.csv" "$SHIPPED/APN_Data.csv" || { echo "APN_Data.csv is not the shipped list"; exit 1; }
echo "ok $*"
PROGRAM
chmod +x "$stand_in"
for scene in station readout radio gsm; do
  out=$(SHIPPED="$src/resources" QV_DEMO_DATA="$work/data-$scene" QV_DEMO_PROGRAM="$stand_in" \
    "$src/scripts/demo.sh" "$scene" --an-argument 2>&1) || { echo "demo $scene: $out"; exit 1; }
  grep -q "^ok --an-argument$" <<<"$out" || { echo "demo $scene: $out"; exit 1; }
  grep -q "Simulated $scene station" <<<"$out" || { echo "demo $scene: $out"; exit 1; }
done
# Every station has its make target, and a wrong name is refused.
for scene in readout radio gsm; do
  plan=$(make -s -n -C "$src" "demo-$scene" 2>&1)
  grep -q "demo.sh $scene" <<<"$plan" || { echo "no make demo-$scene: $plan"; exit 1; }
done
if QV_DEMO_DATA="$work/x" QV_DEMO_PROGRAM=true "$src/scripts/demo.sh" stadium >/dev/null 2>&1; then
  echo "demo took an unknown station"
  exit 1
fi
echo "make demo offers: station readout radio gsm"
