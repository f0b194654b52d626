#!/usr/bin/env bash
# Builds the libFuzzer harnesses (the fuzz preset: clang, ASan, UBSan) and runs each for a few
# seconds from its seed corpus in tests/fuzz/corpus/<target>.
#   scripts/fuzz.sh [SECONDS] [TARGET...]     e.g. scripts/fuzz.sh 300 link_replies
# New inputs worth keeping collect in build/fuzz/corpus/<target>; a crash leaves its input in
# build/fuzz/artifacts/ and makes the script fail.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds="${1:-15}"
if ! [[ "$seconds" =~ ^[0-9]+$ ]]; then
  echo "usage: scripts/fuzz.sh [SECONDS] [TARGET...]" >&2
  exit 2
fi
shift || true
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  targets=(param_file sim_radio link_replies dialog_template ini_settings)
fi

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz --parallel "$(nproc)"

export QT_QPA_PLATFORM=offscreen
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export LSAN_OPTIONS="suppressions=$PWD/tests/fuzz/lsan.supp:print_suppressions=0"
failed=()
for target in "${targets[@]}"; do
  binary="build/fuzz/bin/fuzz_$target"
  seeds="tests/fuzz/corpus/$target"
  if [ ! -x "$binary" ] || [ ! -d "$seeds" ]; then
    echo "fuzz.sh: no harness or seed corpus named $target" >&2
    exit 2
  fi
  corpus="build/fuzz/corpus/$target"
  artifacts="build/fuzz/artifacts"
  mkdir -p "$corpus" "$artifacts"
  dict=()
  if [ -f "tests/fuzz/$target.dict" ]; then
    dict=("-dict=tests/fuzz/$target.dict")
  fi
  echo "== fuzz_$target for ${seconds}s"
  # The first folder takes what the run finds; the seeds stay as they are.
  if ! "$binary" "$corpus" "$seeds" "${dict[@]}" -max_total_time="$seconds" -timeout=10 \
       -print_final_stats=1 -artifact_prefix="$artifacts/$target-" 2>"build/fuzz/$target.log"; then
    tail -n 60 "build/fuzz/$target.log" >&2
    failed+=("$target")
  fi
  grep -E '^stat::number_of_executed_units|^Done [0-9]+ runs' "build/fuzz/$target.log" || true
done

if [ ${#failed[@]} -gt 0 ]; then
  echo "fuzz.sh: failed: ${failed[*]} (inputs in build/fuzz/artifacts/)" >&2
  exit 1
fi
