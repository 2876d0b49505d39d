#!/usr/bin/env bash
# scripts/run starts the program in its own folder: file arguments given
# relative to the caller's folder must reach it as absolute paths.
set -euo pipefail
source "$1/scripts/environment.sh"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/measure/takes" "$work/other"
cd "$work/measure"

mapfile -d '' got < <(absolute_arguments tone.wav "takes/room 1.wav" ../other/a.mac /abs/sweep.wav -x ./b.cfg)
expected=("$work/measure/tone.wav" "$work/measure/takes/room 1.wav" "$work/other/a.mac" /abs/sweep.wav -x
          "$work/measure/b.cfg")

status=0
[ ${#got[@]} -eq ${#expected[@]} ] || { echo "got ${#got[@]} arguments, expected ${#expected[@]}"; status=1; }
for i in "${!expected[@]}"; do
  if [ "${got[$i]-}" != "${expected[$i]}" ]; then
    echo "argument $i: got '${got[$i]-}', expected '${expected[$i]}'"
    status=1
  fi
done
exit $status
