#!/usr/bin/env bash
# No layer's library needs a symbol that only a higher layer's library defines: a call upward would link in
# the program, which holds every layer, but not in the layer's own checks, tests and fuzz targets.
# Arguments: nm, then the layers' static libraries from the lowest to the highest. Prints each symbol a
# library needs from a higher one, with the library that defines it, and fails when there is one.
set -uo pipefail
nm=$1
shift
libs=("$@")
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# The external symbols an archive defines (-d) or leaves undefined (-u), one a line, sorted.
symbols() {
  if [ "$1" = -d ]; then
    "$nm" -P -g --defined-only "$2" | awk 'NF >= 2 && $1 !~ /:$/ { print $1 }'
  else
    "$nm" -P -u "$2" | awk 'NF >= 2 && $1 !~ /:$/ { print $1 }'
  fi | LC_ALL=C sort -u
}

for i in "${!libs[@]}"; do
  [ -f "${libs[$i]}" ] || { echo "no library ${libs[$i]}"; exit 2; }
  symbols -d "${libs[$i]}" > "$tmp/def$i" || exit 2
  symbols -u "${libs[$i]}" > "$tmp/undef$i" || exit 2
done

found=0
: > "$tmp/below"
for i in "${!libs[@]}"; do
  # What this library and those below it define.
  LC_ALL=C sort -u "$tmp/below" "$tmp/def$i" -o "$tmp/below"
  LC_ALL=C comm -23 "$tmp/undef$i" "$tmp/below" > "$tmp/needed"
  for ((j = i + 1; j < ${#libs[@]}; j++)); do
    LC_ALL=C comm -12 "$tmp/needed" "$tmp/def$j" > "$tmp/upward"
    while IFS= read -r sym; do
      echo "$(basename "${libs[$i]}") needs $(echo "$sym" | c++filt), defined only in the higher $(basename "${libs[$j]}")"
      found=1
    done < "$tmp/upward"
    LC_ALL=C comm -23 "$tmp/needed" "$tmp/def$j" > "$tmp/rest" && mv "$tmp/rest" "$tmp/needed"
  done
done
if [ $found = 1 ]; then
  echo "A lower layer calls up into a higher one; reach the window through the layer's side (docs/ARCHITECTURE.md)."
  exit 1
fi
echo "No layer needs a symbol that only a higher layer defines."
