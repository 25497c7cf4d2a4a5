#!/usr/bin/env bash
# Process start to splash shown and to main window shown, and resident memory once the main
# window is up, for the real binary under a private Xvfb. Prints "name<TAB>median<TAB>unit".
set -euo pipefail
binary=$1
runs=${2:-20}
source "$(dirname "$0")/../scripts/xsession.sh"
start_private_display || { echo "Xvfb with openbox did not start" >&2; exit 1; }
work=$(mktemp -d)
trap 'stop_private_display; rm -rf "$work"' EXIT

now_ms() { echo $(( $(date +%s%N) / 1000 )); }
median() { sort -n | awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

splash=()
shown=()
memory=()
for run in $(seq "$runs"); do
    export XDG_RUNTIME_DIR="$work/runtime-$run"
    mkdir -m 700 "$XDG_RUNTIME_DIR"
    started=$(now_ms)
    "$binary" & program=$!
    # The splash is the program's only window until the main window takes over.
    until xdotool search --onlyvisible --class '^zapquil$' >/dev/null 2>&1; do :; done
    splash+=($(( $(now_ms) - started )))
    if [ "$run" -le 5 ]; then
        until xdotool search --onlyvisible --name '^Zapquil: Moxlet APP$' >/dev/null 2>&1; do :; done
        shown+=($(( $(now_ms) - started )))
        sleep 2
        memory+=($(awk '/VmRSS/ { print $2 / 1024 }' "/proc/$program/status"))
    fi
    kill "$program"; wait "$program" 2>/dev/null || true
done
printf 'process start to splash shown\t%s\tms\n' "$(printf '%s\n' "${splash[@]}" | median | awk '{ printf "%.1f", $1 / 1000 }')"
printf 'process start to main window shown (3 s splash)\t%s\tms\n' "$(printf '%s\n' "${shown[@]}" | median | awk '{ printf "%.1f", $1 / 1000 }')"
printf 'resident memory after start-up\t%s\tMB\n' "$(printf '%s\n' "${memory[@]}" | median)"
