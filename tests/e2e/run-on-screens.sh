#!/usr/bin/env bash
# Runs a test program as SHARDS programs side by side, each on its own screen
# of the X display it is given (xvfb-run with as many screens), and fails when
# any of them fails. Usage: run-on-screens.sh SHARDS PROGRAM [ARGUMENTS...]
set -uo pipefail
shards=$1
shift
display=${DISPLAY%.*}
logs=$(mktemp -d)
pids=()
for ((shard = 0; shard < shards; ++shard)); do
  DISPLAY="$display.$shard" GTEST_TOTAL_SHARDS=$shards GTEST_SHARD_INDEX=$shard \
    "$@" >"$logs/$shard" 2>&1 &
  pids+=($!)
done
status=0
for ((shard = 0; shard < shards; ++shard)); do
  wait "${pids[$shard]}"
  result=$?
  [[ $result == 0 ]] || status=1
  echo "=== shard $shard of $shards: exit status $result"
  cat "$logs/$shard"
done
rm -rf "$logs"
exit $status
