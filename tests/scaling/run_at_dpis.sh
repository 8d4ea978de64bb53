#!/usr/bin/env bash
# Runs the display-scaling tests of the given test programs at each given DPI: the wine prefix's LogPixels
# is set for each run (read by every process as it starts) and put back as it was however the run ends.
# Nothing else may run in the prefix meanwhile (the test is RUN_SERIAL).
#   usage: run_at_dpis.sh <bin folder> "<dpi> <dpi> ..." <program> [<program> ...]
set -uo pipefail
bin=$1 dpis=$2
shift 2
key='HKCU\Control Panel\Desktop'

before=$(wine reg query "$key" /v LogPixels 2>/dev/null | tr -d '\r' | awk '$1 == "LogPixels" {print $3}')
restore() {
  if [[ -n $before ]]; then
    wine reg add "$key" /v LogPixels /t REG_DWORD /d "$((before))" /f >/dev/null 2>&1
  else
    wine reg delete "$key" /v LogPixels /f >/dev/null 2>&1
  fi
}
trap restore EXIT

failed=0
cd "$bin"
for dpi in $dpis; do
  wine reg add "$key" /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
  for program in "$@"; do
    echo "== $program at $dpi DPI"
    if ! wine "$program" --gtest_filter='DisplayScaling*' --gtest_brief=1; then
      echo "!! $program failed at $dpi DPI"
      failed=1
    fi
  done
done
exit $failed
