#!/bin/sh
# Runs a scenario with $TMP on a 64 KB tmpfs mounted for it alone, so that
# it can fill the disk. Mounting needs root; where it is not possible the
# test is skipped (exit 77), never run against a real disk.
# Usage: run_on_tmpfs.sh PROGRAM SCENARIO
program=$1
scenario=$2
[ "$(id -u)" = 0 ] || { echo "skipped: mounting a tmpfs needs root"; exit 77; }
where=$(mktemp -d) || exit 1
if ! mount -t tmpfs -o size=64k tmpfs "$where" 2>/dev/null; then
  rmdir "$where"
  echo "skipped: a tmpfs cannot be mounted here"
  exit 77
fi
mkdir -p "$where/data"
GAKUNEN_SCENARIO_TMP=$where "$program" --scenario "$scenario"
status=$?
umount "$where" && rmdir "$where"
exit $status
