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

# Only the calls on the target's folder and the descriptors opened there.
strace -f -y -e trace=openat,write,fsync,fdatasync,rename,renameat,renameat2,close \
  -o "$work/trace" "$bin/qmcal-cli" make-default "$work/unit.dat"
grep -E "$work|fsync|rename" "$work/trace" | grep -v -E 'openat\(.*(/proc|/sys|/usr|/etc|/lib)' \
  | sed -E "s#$work#DIR#g; s/^[0-9]+ +//" | tee "$work/calls"

# The order that makes the replacement durable.
order=$(grep -oE '^(fsync|rename[a-z0-9]*)\([0-9]+<[^>]*>' "$work/calls" \
  | sed -E 's/^(fsync|rename[a-z0-9]*)\([0-9]+<([^>]*)>/\1 \2/; s#DIR/\.qmcal-[0-9a-f]+#TEMP#' || true)
renamed=$(grep -cE '^rename' "$work/calls" || true)
echo
echo "order: $(echo "$order" | tr '\n' ';')"
if echo "$order" | tr '\n' ';' | grep -qE '^fsync TEMP;rename[a-z0-9]* TEMP;fsync DIR;$' && [ "$renamed" = 1 ]; then
  echo "ok: temporary file synced, renamed over the target, folder synced"
else
  echo "the writer does not sync the folder after the rename" >&2
  exit 1
fi
