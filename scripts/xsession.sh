# Sourced by ./run and the end-to-end tests: a private X display with openbox.
# start_private_display sets DISPLAY and ZAPQUIL_X_PIDS; stop_private_display ends both.

start_private_display() {
    local display
    for display in $(seq 90 140); do
        [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ] || break
    done
    Xvfb ":$display" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
    ZAPQUIL_X_PIDS=$!
    local waited
    for waited in $(seq 50); do
        [ -e "/tmp/.X11-unix/X$display" ] && break
        sleep 0.1
    done
    export DISPLAY=":$display"
    openbox >/dev/null 2>&1 &
    ZAPQUIL_X_PIDS="$! $ZAPQUIL_X_PIDS"
    for waited in $(seq 50); do
        xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && return 0
        sleep 0.1
    done
}

stop_private_display() {
    # shellcheck disable=SC2086
    kill $ZAPQUIL_X_PIDS 2>/dev/null || true
    wait $ZAPQUIL_X_PIDS 2>/dev/null || true
}
