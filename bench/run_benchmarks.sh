#!/usr/bin/env bash
# Builds the benchmarks and prints the medians quoted in BENCHMARKS.md.
set -euo pipefail
. "$(dirname "$0")/../scripts/common.sh"
cd "$TONEL_ROOT"
tonel_install_packages
tonel_build build -DCMAKE_BUILD_TYPE=RelWithDebInfo
export QT_QPA_PLATFORM=offscreen
args=(--benchmark_repetitions=10 --benchmark_report_aggregates_only=true --benchmark_display_aggregates_only=true)

for b in bench_eq_graph bench_system_graph bench_pages bench_port_latency bench_tonelctl; do
    echo "== $b"
    ./build/bench/$b "${args[@]}" 2>/dev/null | grep -E '_median|^Benchmark|^-'
done

echo "== bench_tonelctl_fleet (whole tonelctl read --all processes, medians of 5)"
./build/bench/bench_tonelctl_fleet 2>/dev/null | grep -E '_median|^Benchmark|^-'

echo "== bench_vector_state (platforms minimal and offscreen)"
for platform in minimal offscreen; do QT_QPA_PLATFORM=$platform ./build/bench/bench_vector_state 2>/dev/null | sed "s/^/$platform /"; done

echo "== bench_startup (15 processes)"
for i in $(seq 15); do ./build/bench/bench_startup 2>/dev/null; done |
    awk '{ v[$1] = v[$1] " " $2 } END { for (k in v) print k, v[k] }' |
    while read -r key values; do
        median=$(tr ' ' '\n' <<<"$values" | grep -v '^$' | sort -g | awk '{ a[NR] = $1 } END { print a[int((NR + 1) / 2)] }')
        echo "$key median $median"
    done

echo "== bench_network_read (15 read sessions per line, paced virtual processor)"
./build/bench/bench_network_read --runs 15 2>/dev/null
