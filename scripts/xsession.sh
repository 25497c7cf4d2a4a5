# Sourced by ./run and the end-to-end tests: a private X display with openbox.
# start_private_display sets DISPLAY and ZAPQUIL_X_PIDS; stop_private_display ends both.

start_private_display() {
    # Xvfb picks a free display itself and writes its number once it takes connections;
    # the first start on a fresh machine compiles its keymap and can take seconds.
    local ready waited
    ready=$(mktemp)
    Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$ready" >/dev/null 2>&1 &
    ZAPQUIL_X_PIDS=$!
    for waited in $(seq 300); do
        [ "$(wc -l <"$ready")" -ge 1 ] && break
        kill -0 "$ZAPQUIL_X_PIDS" 2>/dev/null || break
        sleep 0.1
    done
    local display
    display=$(head -n 1 "$ready")
    rm -f "$ready"
    [ -n "$display" ] || return 1
    export DISPLAY=":$display"
    openbox >/dev/null 2>&1 &
    ZAPQUIL_X_PIDS="$! $ZAPQUIL_X_PIDS"
    for waited in $(seq 300); do
        xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && return 0
        sleep 0.1
    done
    return 1
}

stop_private_display() {
    # shellcheck disable=SC2086
    kill $ZAPQUIL_X_PIDS 2>/dev/null || true
    wait $ZAPQUIL_X_PIDS 2>/dev/null || true
}
