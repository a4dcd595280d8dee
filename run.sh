#!/usr/bin/env bash
# Installs what is needed, builds, and starts the configurator from its runtime folder.
#
#   ./run.sh                        against the simulated device (velor580-sim on a pseudo-terminal)
#   ./run.sh --device /dev/ttyUSB0  against a real device on that serial port (or VELOR_DEVICE=...)
#   ./run.sh --device auto          against the first FTDI bridge the system lists
#
# With the simulator, VELOR_SIM_ARGS passes options to it (see build/bin/velor580-sim --help),
# e.g. VELOR_SIM_ARGS="--key 0123456789AB". The port goes into build/bin/velor580.INI as
# [Port] Device=<path>; the simulator stops when the window closes, and the key is put back.
set -euo pipefail
cd "$(dirname "$0")"

device="${VELOR_DEVICE:-}"
args=()
while [ $# -gt 0 ]; do
    case "$1" in
    --device)
        [ $# -ge 2 ] || { echo "run.sh: --device needs a path, or auto" >&2; exit 2; }
        device="$2"
        shift 2
        ;;
    --device=*)
        device="${1#--device=}"
        shift
        ;;
    *)
        args+=("$1")
        shift
        ;;
    esac
done

./scripts/install-deps
# The dev preset configures a new build/; one that ./test.sh configured (preset werror) keeps its
# settings, so running one script after the other does not compile everything again.
if [ -f build/CMakeCache.txt ]; then
    cmake -S . -B build >/dev/null
else
    cmake --preset dev >/dev/null
fi
# Only the programs this script starts (with the language libraries and help files the window
# depends on); ./test.sh builds the tests and the rest.
cmake --build build -j "$(nproc)" --target velor580 velor580-sim

bin=build/bin
ini="$bin/velor580.INI"

# The value of Device= in the INI's [Port] section, empty when there is none.
get_port_device() {
    [ -f "$1" ] || return 0
    awk '/^\[/ { inport = ($0 ~ /^\[Port\][[:space:]\r]*$/); next }
         inport && /^[[:space:]]*Device[[:space:]]*=/ {
             sub(/^[[:space:]]*Device[[:space:]]*=[[:space:]]*/, ""); sub(/\r$/, ""); print; exit }' "$1"
}

# Sets Device= in the [Port] section to $2 (removes it when $2 is empty); other lines stay.
set_port_device() {
    local file="$1" value="$2" tmp
    [ -f "$file" ] || : >"$file"
    tmp=$(mktemp "$file.XXXXXX")
    awk -v value="$value" '
        function put() { if (value != "") print "Device=" value; done = 1 }
        /^\[/ { inport = ($0 ~ /^\[Port\][[:space:]\r]*$/); print; if (inport && !done) put(); next }
        inport && /^[[:space:]]*Device[[:space:]]*=/ { next }
        { print }
        END { if (!done && value != "") { print ""; print "[Port]"; print "Device=" value } }
    ' "$file" >"$tmp"
    mv "$tmp" "$file"
}

if [ -n "$device" ]; then
    [ "$device" = auto ] && device=""
    set_port_device "$ini" "$device"
    exec "$bin/velor580" ${args[@]+"${args[@]}"}
fi

# The simulator prints its terminal's path on its first line, then serves until stopped.
previous=$(get_port_device "$ini")
sim_out=$(mktemp)
# shellcheck disable=SC2086 # VELOR_SIM_ARGS is a list of options
"$bin/velor580-sim" ${VELOR_SIM_ARGS:-} >"$sim_out" &
sim_pid=$!
stop_simulator() {
    kill "$sim_pid" 2>/dev/null || true
    wait "$sim_pid" 2>/dev/null || true
    rm -f "$sim_out"
    set_port_device "$ini" "$previous"
}
trap stop_simulator EXIT

pty=""
for _ in $(seq 100); do
    pty=$(head -n 1 "$sim_out")
    [ -n "$pty" ] && break
    kill -0 "$sim_pid" 2>/dev/null || break
    sleep 0.1
done
[ -n "$pty" ] || { echo "run.sh: the simulator did not start" >&2; exit 1; }
echo "run.sh: simulated model-580 device on $pty" >&2
set_port_device "$ini" "$pty"
"$bin/velor580" ${args[@]+"${args[@]}"}
