#!/usr/bin/env bash
# What the file writer asks of the system when it replaces a file: the bytes go to a new file
# beside the target, that file is synced, renamed over the target, and then the folder is
# synced, so that a power cut leaves the old file or the new one and never neither. No test
# can see a sync; strace can. Prints the calls of one `qmcal-cli make-default` onto an
# existing file, then checks their order.
#
#   bench/file_sync.sh [BIN_DIR]      BIN_DIR defaults to build/dev/bin
set -euo pipefail
cd "$(dirname "$0")/.."

bin=${1:-build/dev/bin}
[ -x "$bin/qmcal-cli" ] || { echo "no $bin/qmcal-cli" >&2; exit 2; }
command -v strace >/dev/null || { echo "needs strace (apt-get install strace)" >&2; exit 2; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$bin/qmcal-cli" make-default "$work/unit.dat"   # the file to replace

# A sanitizer build's leak check cannot run under ptrace.
ASAN_OPTIONS=${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0 strace -f -y -e trace=openat,write,fsync,fdatasync,rename,renameat,renameat2,close \
  -o "$work/trace" "$bin/qmcal-cli" make-default "$work/unit.dat"
# The calls on the target's folder, its path shortened to DIR.
grep -F "$work" "$work/trace" | grep -vF "$work/trace" | sed -E "s#$work#DIR#g; s/^[0-9]+ +//" | tee "$work/calls"

# The new file synced, renamed over the target, the folder synced: in this order.
steps=$(sed -nE \
  -e 's/^fsync\([0-9]+<DIR\/\.qmcal-[0-9a-f]+>\) += 0$/file-synced/p' \
  -e 's/^rename[a-z0-9]*\(.*"DIR\/\.qmcal-[0-9a-f]+", .*"DIR\/unit\.dat".*= 0$/renamed/p' \
  -e 's/^fsync\([0-9]+<DIR>\) += 0$/folder-synced/p' "$work/calls" | paste -sd' ')
echo
echo "order: $steps"
if [ "$steps" != "file-synced renamed folder-synced" ]; then
  echo "the writer does not sync the new file, rename it and then sync the folder" >&2
  exit 1
fi
