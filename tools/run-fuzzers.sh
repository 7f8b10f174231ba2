#!/usr/bin/env bash
# Runs every fuzz target for the given number of seconds, starting from the seed
# corpus kept in the repository. New inputs go to a working corpus in the build
# folder; a crash stops the run with the target's report.
set -euo pipefail
bin=$1
seeds=$2
seconds=$3
status=0
failed=()
# The targets write their inputs to scratch files: in memory they run several
# times faster than on disk.
if [ -d /dev/shm ] && [ -w /dev/shm ]; then
  export TMPDIR=/dev/shm
fi
for target in "$bin"/fuzz_*; do
  [ -x "$target" ] || continue
  name=$(basename "$target")
  corpus_name=${name#fuzz_}
  work="$bin/corpus/$corpus_name"
  artifacts="$bin/artifacts/$corpus_name/"
  mkdir -p "$work" "$artifacts"
  echo "== $name for ${seconds}s"
  if ! "$target" -max_total_time="$seconds" -max_len=8192 -timeout=10 -rss_limit_mb=4096 \
       -print_final_stats=1 -artifact_prefix="$artifacts" "$work" "$seeds/$corpus_name" \
       >"$bin/$name.log" 2>&1; then
    status=1
    failed+=("$name")
    tail -n 60 "$bin/$name.log"
  fi
  grep -E '^(Done|stat::number_of_executed_units|stat::peak_rss_mb)' "$bin/$name.log" || true
  echo "corpus: $(ls "$work" | wc -l) inputs"
  rm -rf "${TMPDIR:-/tmp}"/tremvix-fuzz-*
done
# Said again at the end, where a shortened log still shows it.
for name in "${failed[@]}"; do
  echo "== $name FAILED; the end of its report:"
  grep -E 'ERROR|SUMMARY|Test unit written|timeout|out-of-memory|deadly signal' "$bin/$name.log" | tail -n 8 || true
done
exit $status
