#!/usr/bin/env bash
# Every C++ source and header of the project is in the style .clang-format describes: a reviewer reads
# changes, not re-indentation. Prints each file that differs and the command that mends it.
# Argument: the source folder.
set -uo pipefail
cd "$1"
bad=()
while IFS= read -r -d '' f; do
  clang-format --dry-run -Werror "$f" >/dev/null 2>&1 || bad+=("$f")
done < <(find src tests bench fuzz \( -name '*.cpp' -o -name '*.h' \) -print0 | sort -z)
if [ ${#bad[@]} -gt 0 ]; then
  printf '%s\n' "${bad[@]}"
  echo "differ from .clang-format; mend with: clang-format -i <file>"
  exit 1
fi
