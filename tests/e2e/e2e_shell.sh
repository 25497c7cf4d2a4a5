#!/usr/bin/env bash
# The program's life as a user sees it: the splash, the main window fading in, the message
# boxes of Help and About, a second start refused while a copy runs, Exit, and a start that
# takes over the lock left by a killed copy.
source "$(dirname "$0")/lib.sh"
e2e_init e2e_shell "${1:-}"

# --- The splash ---------------------------------------------------------------------------

app_start
FIRST_PID=$APP_PID
wait_until 10 find_splash || fatal "no 355x222 splash window appeared (windows:$(describe_windows "$FIRST_PID"))"
pass "a 355x222 splash window appeared $(elapsed_since "$APP_STARTED_AT") s after the start"

check "the splash belongs to the program (WM_CLASS zapquil)" \
    grep -q '"zapquil"' <<<"$(xprop -id "$SPLASH" WM_CLASS 2>/dev/null)"
check "the splash has the splash window type" \
    grep -q '_NET_WM_WINDOW_TYPE_SPLASH' <<<"$(xprop -id "$SPLASH" _NET_WM_WINDOW_TYPE 2>/dev/null)"
window_geometry "$SPLASH"
check "the splash is centred on the ${SCREEN_W}x${SCREEN_H} screen (at ${GX},${GY})" \
    eval 'int_near "$GX" $(((SCREEN_W - 355) / 2)) 1 && int_near "$GY" $(((SCREEN_H - 222) / 2)) 1'

splash_drawn() { [ "$(gray_stats "$1" 0 0 355 222 | cut -d' ' -f1)" -le 60 ]; }
poll_window_shot 3 splash "$SPLASH" splash_drawn || true
check "the splash is white in its right-hand 10-px strip" all_white "$SHOT" 345 0 10 222
dark=$(dark_fraction "$SHOT" 10 10 330 120)
check "the splash shows dark figures in its upper part (dark share $dark)" float_gt "$dark" 0.15
dark=$(dark_fraction "$SHOT" 30 130 180 45)
check "the splash shows its title lettering under the figures (dark share $dark)" float_gt "$dark" 0.03
check "the splash has a white background under its lettering" all_white "$SHOT" 0 195 355 27

# --- The main window ---------------------------------------------------------------------

wait_window 15 "$FIRST_PID" "$TITLE" || fatal "the main window did not appear (windows:$(describe_windows "$FIRST_PID"))"
MAIN=$FOUND_WINDOW
shown_after=$(elapsed_since "$APP_STARTED_AT")
check "the main window appears after the 3-s splash (${shown_after} s after the start)" \
    float_between "$shown_after" 2.5 6
check "the splash has closed once the main window is there" wait_until 3 eval '! window_viewable "$SPLASH"'

# Nothing is touched while the window fades in: the opacity must get to the X server by
# itself, as it does for a user who keeps the mouse still.
watch_opacity "$MAIN" 6 "$FINAL_OPACITY"
opacity_reached=$?
log "opacity seen on the main window: $(summarize_samples "$OPACITY_SAMPLES")"
if [ $opacity_reached -eq 0 ]; then
    pass "the main window's opacity settles at 250/255 ($FINAL_OPACITY)"
else
    fail "the main window's opacity never reached 250/255 = $FINAL_OPACITY within 6 s; it stays at '${OPACITY_LAST}'"
fi
check "the opacity only rises during the fade-in" samples_rise "$OPACITY_SAMPLES"
intermediate=0
for value in $OPACITY_SAMPLES; do
    [ "$value" -gt 0 ] && [ "$value" -lt "$FINAL_OPACITY" ] && intermediate=$((intermediate + 1))
done
check "the fade-in passes through intermediate opacities (${intermediate} seen)" [ "$intermediate" -ge 3 ]

window_geometry "$MAIN"
check "the main window is 1057x659 (is ${GW}x${GH})" [ "${GW}x${GH}" = 1057x659 ]
check "the main window is centred (at ${GX},${GY})" \
    eval 'int_near "$GX" $(((SCREEN_W - 1057) / 2)) 1 && int_near "$GY" $(((SCREEN_H - 659) / 2)) 1'
extents=$(xprop -id "$MAIN" _NET_FRAME_EXTENTS 2>/dev/null | sed -n 's/.* = //p')
check "the window manager puts no decoration around the main window (frame extents '${extents}')" \
    [ "$extents" = "0, 0, 0, 0" ]
main_origin

main_drawn() { [ "$(color_fraction "$1" 200 5 800 18 '#0a246a')" != 0 ]; }
poll_window_shot 5 main-window "$MAIN" main_drawn || true
navy=$(color_fraction "$SHOT" 300 5 700 18 '#0a246a')
check "the main window draws its navy caption bar (navy share $navy)" float_gt "$navy" 0.97
check "the caption bar carries the title in white" \
    float_gt "$(color_fraction "$SHOT" 5 5 200 18 white)" 0.03

# --- Help and About ------------------------------------------------------------------------

# message_box_round_trip TITLE X Y: clicks the button at client X,Y, waits for the box
# titled TITLE, answers it with Return and waits for it to close.
message_box_round_trip() {
    local title=$1
    click_at $((CX + $2)) $((CY + $3))
    if ! wait_window 10 "$FIRST_PID" "$title"; then
        fail "no message box titled '$title' appeared (windows:$(describe_windows "$FIRST_PID"))"
        return
    fi
    local box=$FOUND_WINDOW
    screenshot_of_window "message-$title" "$box" >/dev/null
    pass "the $title button shows a message box titled '$title'"
    key_to "$box" Return
    check "OK closes the '$title' box" wait_until 5 eval '! window_viewable "$box"'
    check "the main window stays after the '$title' box" window_viewable "$MAIN"
}
message_box_round_trip Help 976 56
message_box_round_trip About 976 88

# --- Moving the window by its caption bar -------------------------------------------------

# A quick click (a touchpad tap) on the caption bar moves nothing, not even with the pointer
# moving on afterwards.
window_geometry "$MAIN"
PLACE="$GX,$GY"
xdotool mousemove $((GX + 400)) $((GY + 12)) click 1 sleep 0.1 mousemove $((GX + 300)) $((GY + 300)) sleep 0.5
window_geometry "$MAIN"
check "a quick click on the caption bar leaves the window in place (at $GX,$GY, was $PLACE)" [ "$GX,$GY" = "$PLACE" ]
# A drag moves it with the pointer.
move_to $((GX + 400)) $((GY + 12))
xdotool mousedown 1
for step in $(seq 10); do
    move_to $((GX + 400 + 8 * step)) $((GY + 12 + 6 * step))
    sleep 0.03
done
xdotool mouseup 1
OLD_X=$GX OLD_Y=$GY
wait_until 3 eval 'window_geometry "$MAIN" && [ "$GY" -gt "$OLD_Y" ]'
check "dragging the caption bar by 80,60 moves the window with it (by $((GX - OLD_X)),$((GY - OLD_Y)))" \
    eval 'int_near $((GX - OLD_X)) 80 12 && int_near $((GY - OLD_Y)) 60 12'
xdotool mousemove $((GX + 300)) $((GY + 300)) sleep 0.5
check "the window stays where the drag left it" eval 'window_geometry "$MAIN" && int_near $((GY - OLD_Y)) 60 12'
main_origin

# --- A second start while the first copy runs ---------------------------------------------

app_start
SECOND_PID=$APP_PID
if wait_window 15 "$SECOND_PID" Quorvale; then
    BOX=$FOUND_WINDOW
    pass "a second start shows a message box titled 'Quorvale'"
    screenshot_of_window quorvale "$BOX" >/dev/null
    window_geometry "$BOX"
    check "the 'Quorvale' box is the second copy's only window (windows:$(describe_windows "$SECOND_PID"))" \
        [ "$(visible_windows "$SECOND_PID" | wc -l)" -eq 1 ]
    box_shot=$E2E_ARTIFACTS/quorvale.png
    check "the 'Quorvale' box shows its text" float_gt "$(dark_fraction "$box_shot" 0 20 "$GW" 40)" 0.005
    key_to "$BOX" Return
    if app_wait_exit "$SECOND_PID" 10; then
        check "after OK the second copy exits with status 0 (status $APP_EXIT)" [ "$APP_EXIT" -eq 0 ]
    else
        fail "the second copy still runs 10 s after OK (windows:$(describe_windows "$SECOND_PID"))"
    fi
else
    fail "a second start showed no 'Quorvale' box (windows:$(describe_windows "$SECOND_PID"))"
fi
check "the second copy showed no other window" eval '[ -z "$(visible_windows "$SECOND_PID")" ]'
check "the first copy still runs" process_running "$FIRST_PID"
check "the first copy's main window is still shown at 1057x659" \
    eval 'window_viewable "$MAIN" && window_size_is "$MAIN" 1057x659'

# --- Exit ------------------------------------------------------------------------------------

exit_clicked=$(now)
click_at $((CX + 976)) $((CY + 120))
if app_wait_exit "$FIRST_PID" 10; then
    check "Exit ends the program with status 0 (status $APP_EXIT)" [ "$APP_EXIT" -eq 0 ]
    # 80 fade-out ticks of 16 ms come first: the program cannot be gone in less than 1.28 s.
    fade_out=$(elapsed_since "$exit_clicked")
    check "the program ends only after its fade-out (gone ${fade_out} s after the click)" float_gt "$fade_out" 1.1
else
    fail "the program still runs 10 s after Exit"
fi
check "the main window is gone after Exit" eval '! window_viewable "$MAIN"'

# --- A start after a copy was killed -------------------------------------------------------

app_start
KILLED_PID=$APP_PID
wait_until 10 find_splash || fail "the copy to be killed showed no splash (windows:$(describe_windows "$KILLED_PID"))"
{ kill -9 "$KILLED_PID"; app_wait_exit "$KILLED_PID" 5; } 2>/dev/null
check "the killed copy left its lock file behind" [ -e "$XDG_RUNTIME_DIR/zapquil.lock" ]

app_start
LAST_PID=$APP_PID
if wait_window 15 "$LAST_PID" "$TITLE" 1057x659; then
    pass "a start after 'kill -9' of a running copy shows the main window"
    screenshot_of_window after-kill "$FOUND_WINDOW" >/dev/null
else
    fail "a start after 'kill -9' showed no main window (windows:$(describe_windows "$LAST_PID"))"
fi
check "that start showed no 'already running' box" eval '! find_window "$LAST_PID" Quorvale'
check "that copy runs on" process_running "$LAST_PID"

e2e_finish
