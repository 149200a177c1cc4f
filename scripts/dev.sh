#!/usr/bin/env bash
# Sets up a Debian machine for KVL, builds it, and runs the program, the tests or the benchmarks.
#   bash scripts/dev.sh run     install what is missing, build, start KVL on the sample log
#   bash scripts/dev.sh sim     the same, with KVL talking to the simulated dive computer
#   bash scripts/dev.sh test    install what is missing, build, run every benchmark briefly
#                               (KVL_BENCH_SHORT=1), then every test
#   bash scripts/dev.sh bench   install what is missing, build, run the benchmarks
set -euo pipefail
cd "$(dirname "$0")/.."

PACKAGES=(g++ cmake ninja-build ccache pkg-config
          qt6-base-dev qt6-serialport-dev qt6-qpa-plugins fonts-dejavu-core poppler-utils
          libsqlite3-dev libgtest-dev libgmock-dev libbenchmark-dev)
BUILD_DIR=${KVL_BUILD_DIR:-build}

die() { echo "dev.sh: $*" >&2; exit 1; }

install_missing() {
    local missing=() p sudo=""
    for p in "${PACKAGES[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    ((${#missing[@]})) || return 0
    [ "$(id -u)" = 0 ] || sudo=sudo
    echo "dev.sh: installing ${missing[*]}"
    $sudo apt-get update -qq || die "apt-get update failed"
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" \
        || die "could not install: ${missing[*]}"
}

build() {
    cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null \
        || die "CMake could not configure the build (see the messages above)"
    cmake --build "$BUILD_DIR" --parallel "$(nproc)" || die "the build failed (see the compiler messages above)"
}

# Runs every benchmark program (briefly with KVL_BENCH_SHORT=1) and fails when one aborts
# or a benchmark reports an error; never on a figure.
run_benchmarks() {
    local b out failed=() share=${KVL_SHARE_DIR:-$(realpath -m "$BUILD_DIR/share")}
    out=$(mktemp)
    for b in "$BUILD_DIR"/bench/bench_*; do
        [ -f "$b" ] && [ -x "$b" ] || continue
        echo "dev.sh: ${b##*/}"
        if ! KVL_SHARE_DIR=$share QT_QPA_PLATFORM=offscreen "$b" 2>&1 | tee "$out" || grep -q "ERROR OCCURRED" "$out"; then
            failed+=("${b##*/}")
        fi
    done
    rm -f "$out"
    ((${#failed[@]} == 0)) || die "benchmarks that aborted or reported an error: ${failed[*]}"
}

case "${1:-}" in
    run)
        install_missing; build
        exec "$BUILD_DIR/kvl" ;;
    sim)
        install_missing; build
        # The simulator ends when its standard input closes: when this script ends, however it ends.
        coproc SIM { exec "$BUILD_DIR/bin/devsim" --stdin-eof tools/devsim/fixtures/three_dives.json; }
        sim_pid=$SIM_PID
        trap 'kill "$sim_pid" 2>/dev/null || true; wait "$sim_pid" 2>/dev/null || true' EXIT
        read -r -t 10 pty <&"${SIM[0]}" || die "the simulator did not start"
        echo "dev.sh: the simulated dive computer is on $pty (three dives)"
        KVL_PORT=$pty "$BUILD_DIR/kvl" ;;
    test)
        install_missing; build
        KVL_BENCH_SHORT=1 run_benchmarks
        cd "$BUILD_DIR"
        QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen} ctest --output-on-failure -j "$(nproc)" \
            || die "some tests failed (see above)" ;;
    bench)
        install_missing; build
        run_benchmarks ;;
    *)
        echo "usage: bash scripts/dev.sh run|sim|test|bench" >&2; exit 2 ;;
esac
