#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs tests as on a busy machine where other stations run, without touching
# the real one: in private mount and process namespaces (needs root) the lock
# folder /var/lock is a fresh tmpfs holding LCK..pts_0 ... LCK..pts_31, each
# naming a live process, and beside the tests a churner keeps opening and
# closing pseudo-terminals the way a simulator does. The tests must pass, the
# 32 lock files must be as they were, and no process of the run may be left.
#
# Usage: tests/scripts/hostile_machine.sh BUILD_DIR [CTEST_ARGS...]
#   e.g. tests/scripts/hostile_machine.sh build/test -R 'PortSetup|PortNotifier'
set -euo pipefail
build=$(cd "${1:?usage: hostile_machine.sh BUILD_DIR [CTEST_ARGS...]}" && pwd)
shift

if [[ ${TAVIK_HOSTILE_INSIDE:-} != 1 ]]; then
  [[ $(id -u) == 0 ]] || { echo "hostile_machine.sh: needs root for its namespaces" >&2; exit 2; }
  export TAVIK_HOSTILE_INSIDE=1
  exec unshare --mount --pid --fork --mount-proc -- "$0" "$build" "$@"
fi

lock_dir=$(readlink -f /var/lock)
mount -t tmpfs -o mode=1777 tavik-hostile-locks "$lock_dir"

# The live process the lock files name.
sleep infinity &
holder=$!
for n in $(seq 0 31); do
  printf '%10d\n' "$holder" > "$lock_dir/LCK..pts_$n"
done
before=$(cd "$lock_dir" && for f in LCK..*; do printf '%s %s\n' "$f" "$(cat "$f")"; done)

# Opens and closes pseudo-terminals without end, holding each for a moment.
python3 -c '
import os, time
while True:
    master, slave = os.openpty()
    time.sleep(0.01)
    os.close(slave)
    os.close(master)
' &
churner=$!

status=0
ctest --test-dir "$build" --output-on-failure --timeout 300 "$@" || status=$?

kill "$churner"
wait "$churner" 2>/dev/null || true
after=$(cd "$lock_dir" && for f in LCK..*; do printf '%s %s\n' "$f" "$(cat "$f")"; done)
extra=$(find "$lock_dir" -mindepth 1 ! -name 'LCK..pts_*')
kill "$holder"
wait "$holder" 2>/dev/null || true

if [[ $before != "$after" || -n $extra ]]; then
  echo "hostile_machine.sh: the tests changed /var/lock" >&2
  diff <(echo "$before") <(echo "$after") >&2 || true
  [[ -z $extra ]] || echo "$extra" >&2
  [[ $status != 0 ]] || status=1
fi
# This shell is process 1 of the namespace: anything else still there was
# left behind by the tests.
left=$(sub=$BASHPID; ps -eo pid=,ppid=,args= | awk -v sub_=$sub '$1 != 1 && $1 != sub_ && $2 != sub_')
if [[ -n $left ]]; then
  echo "hostile_machine.sh: processes left behind:" >&2
  echo "$left" >&2
  [[ $status != 0 ]] || status=1
fi
[[ $status == 0 ]] && echo "hostile_machine.sh: passed on a hostile machine"
exit "$status"
