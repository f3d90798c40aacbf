#!/usr/bin/env bash
# Builds the fuzz targets with clang (ASan + UBSan + libFuzzer) and runs each
# for FUZZ_SECONDS (default 60), starting from the examples and test files.
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/setup.sh
seconds=${FUZZ_SECONDS:-60}
build=${BUILD:-build-fuzz}
CC=clang CXX=clang++ cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Debug -DTOLM_SANITIZE=ON -DTOLM_FUZZ=ON \
  -DTOLM_TESTS=OFF -DTOLM_QT=OFF >/dev/null
cmake --build "$build" -j2 --target command_parser_fuzz expression_fuzz key_translation_fuzz

corpus=$(mktemp -d)
trap 'rm -rf "$corpus"' EXIT
mkdir -p "$corpus/commands" "$corpus/expressions" "$corpus/keys"
find examples tests -name '*.tm' -exec cp {} "$corpus/commands/" \; 2>/dev/null || true
printf 'env(X) eq "abc"' >"$corpus/expressions/1"
printf '1 + 2 & errorlevel()' >"$corpus/expressions/2"
printf 'Hi, +tolm{TAB 2}^a%%(fx)~{F5}' >"$corpus/keys/1"
printf '{x 3}{ab 2}{ENTER}{+ 1}a{b' >"$corpus/keys/2"
printf '\xc3\xa9\xe2\x82\xac{\xc3\x9f 2}' >"$corpus/keys/3"

status=0
for target in command_parser_fuzz expression_fuzz key_translation_fuzz; do
  dir=$corpus/commands
  [ "$target" = expression_fuzz ] && dir=$corpus/expressions
  [ "$target" = key_translation_fuzz ] && dir=$corpus/keys
  echo "== $target for ${seconds}s"
  "$build/fuzz/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 "$dir" \
    2>"$corpus/$target.log" || { status=1; tail -n 60 "$corpus/$target.log"; }
  grep -E '^(stat::number_of_executed_units|Done)' "$corpus/$target.log" || true
done
exit $status
