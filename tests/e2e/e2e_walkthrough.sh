#!/usr/bin/env bash
# A comic built the way a person builds it, each step checked on the screen: the splash,
# the fade-in, the Comic layout chosen with the mouse, a sticker dragged and enlarged
# twice, a caption typed, Export, SAVE (a 572x659 JPEG), the fresh Blank editor fading in
# again, Exit fading out. Then a second start: Import Template, "True Story", its three
# captions typed, Export, SAVE.
source "$(dirname "$0")/lib.sh"
e2e_init e2e_walkthrough "${1:-}"

# export_and_save NAME: Export, the preview, SAVE, the "Successfull" box; sets SAVED_FILE.
export_and_save() {
    main_origin
    click_at $((CX + 976)) $((CY + 24))
    wait_until 10 find_preview || { fail "Export showed no 728x694 preview (windows:$(describe_windows "$APP_PID"))"; return 1; }
    pass "Export shows the 728x694 preview"
    window_geometry "$MAIN"
    check "the main window was narrowed to 572x659 for the picture (is ${GW}x${GH})" [ "${GW}x${GH}" = 572x659 ]
    check "the main window is hidden behind the preview" eval '! window_viewable "$MAIN"'
    poll_window_shot 5 "$1-preview" "$PREVIEW" preview_drawn || true
    window_shot_settled "$1-preview" "$PREVIEW"
    PREVIEW_SHOT=$SHOT
    check "the preview shows the picture's navy caption bar" preview_drawn "$PREVIEW_SHOT"
    check "the preview picture is 572 px wide: a border right of it" all_dark "$PREVIEW_SHOT" 574 10 1 640
    check "the palette is not in the picture" all_white "$PREVIEW_SHOT" 576 120 150 500
    local rmse
    rmse=$(region_rmse "$PREVIEW_SHOT" "2 2 566 655" "$EDITED" "0 0 566 655")
    check "the preview holds the editor's canvas as built (rmse $rmse)" float_lt "$rmse" 0.02

    local before
    before=$(list_pictures)
    preview_click 648 28
    expect_box Successfull SAVE || return 1
    local box=$BOX
    screenshot_of_window "$1-saved-message" "$box" >/dev/null
    SAVED_FILE=$(comm -13 <(echo "$before") <(list_pictures) | head -n 1)
    check "SAVE wrote one new picture ($SAVED_FILE)" \
        eval '[ -n "$SAVED_FILE" ] && [ "$(comm -13 <(echo "$before") <(list_pictures) | wc -l)" -eq 1 ]'
    check "the picture is in the program's folder" [ "$(dirname "$SAVED_FILE")" = "$APP_DIR" ]
    check "the name is H m ss MM dd yy .jpg ($(basename "$SAVED_FILE"))" \
        grep -Eq '^[0-9]{9,12}\.jpg$' <<<"$(basename "$SAVED_FILE")"
    local info
    info=$(identify -format '%m %w %h' "$SAVED_FILE" 2>&1)
    check "identify reads the picture as a 572x659 JPEG ($info)" [ "$info" = "JPEG 572 659" ]
    rmse=$(region_rmse "$SAVED_FILE" "0 0 572 659" "$PREVIEW_SHOT" "2 2 572 659")
    check "the JPEG holds the previewed picture (rmse $rmse)" float_lt "$rmse" 0.05
    cp "$SAVED_FILE" "$E2E_ARTIFACTS/$1.jpg"
    key_to "$box" Return
    check "OK closes the 'Successfull' box" wait_until 5 eval '! window_viewable "$box"'
    check "the preview closes after OK" wait_until 5 eval '! window_viewable "$PREVIEW"'
}

# ============================================================================================
# First run: the Comic layout

app_start
wait_until 10 find_splash || fatal "no 355x222 splash appeared (windows:$(describe_windows "$APP_PID"))"
pass "the splash appears"
screenshot_of_window splash "$SPLASH" >/dev/null
wait_window 15 "$APP_PID" "$TITLE" 1057x659 || fatal "the main window did not appear (windows:$(describe_windows "$APP_PID"))"
MAIN=$FOUND_WINDOW
shown=$(elapsed_since "$APP_STARTED_AT")
check "the main window comes after the ~3-s splash (${shown} s after the start)" float_between "$shown" 2.5 6
check "the splash is gone" wait_until 3 eval '! window_viewable "$SPLASH"'
watch_opacity "$MAIN" 6 "$FINAL_OPACITY"
reached=$?
log "opacity seen: $(summarize_samples "$OPACITY_SAMPLES")"
check "the main window fades in to 250/255 (last $OPACITY_LAST)" [ $reached -eq 0 ]
check "the fade-in only rises" samples_rise "$OPACITY_SAMPLES"
first=${OPACITY_SAMPLES# }
first=${first%% *}
check "the fade-in starts low (first value $first)" eval '[ -n "$first" ] && [ "$first" -lt "$(opacity_of_alpha 120)" ]'
main_origin

poll_window_shot 5 start "$MAIN" palette_drawn || true
client_shot start
START=$CLIENT
check "the editor starts on Blank: no divider at rows 243-250" all_white "$START" 20 243 520 8
check "the editor starts with its first caption at (48, 32)" float_gt "$(dark_fraction "$START" 48 32 320 40)" 0.05
check "the editor starts with its second caption at (48, 528)" float_gt "$(dark_fraction "$START" 48 528 260 36)" 0.05

# --- Comic with the mouse
choose_item 584 5 3 Comic
comic_drawn() { all_dark "$1" $((3 + 20)) $((26 + 243)) 500 8; }
poll_window_shot 5 comic "$MAIN" comic_drawn || true
client_shot comic
COMIC=$CLIENT
check "Comic shows the divider rows 243-250" all_dark "$COMIC" 10 243 548 8
check "Comic shows the divider rows 437-444" all_dark "$COMIC" 10 437 548 8
check "Comic shows the vertical divider in the top row" all_dark "$COMIC" 275 10 8 226
check "Comic shows caption t3m1's start text" float_gt "$(dark_fraction "$COMIC" 24 16 241 73)" 0.05

# --- Image5 dragged into the middle panel: its top-left to client (150, 270)
DROP_X=40 DROP_Y=265
move_to $((CX + 630)) $((CY + 446))
xdotool mousedown 1
for step in 1 2 3 4 5 6 7 8 9 10; do
    move_to $((CX + 630 + (DROP_X - 568) * step / 10)) $((CY + 446 + (DROP_Y - 384) * step / 10))
    sleep 0.02
done
xdotool mouseup 1
dropped() { float_gt "$(dark_fraction "$1" $((3 + DROP_X)) $((26 + DROP_Y)) 125 124)" 0.05; }
poll_window_shot 5 dropped "$MAIN" dropped || true
client_shot dropped
DROPPED=$CLIENT
rmse=$(region_rmse "$DROPPED" "$((DROP_X + 2)) $((DROP_Y + 2)) 116 116" "$START" "570 386 116 116")
check "Image5 now lies on the canvas at ($DROP_X, $DROP_Y) (rmse $rmse)" float_lt "$rmse" 0.06
check "Image5's palette slot is empty" all_white "$DROPPED" 572 390 114 110
check "the canvas is white right of and below the small sticker" \
    eval 'all_white "$DROPPED" $((DROP_X + 125)) $DROP_Y 30 150 && all_white "$DROPPED" $DROP_X $((DROP_Y + 124)) 150 30'

# --- Enlarge, two clicks
click_at $((CX + 636)) $((CY + 76))
enlarge_on() { float_gt "$(dark_fraction "$1" $((3 + 596)) $((26 + 74)) 4 4)" 0.5; }
poll_window_shot 5 enlarge "$MAIN" enlarge_on || true
check "Enlarge is selected" enlarge_on "$SHOT"
MID_X=$((CX + DROP_X + 60)) MID_Y=$((CY + DROP_Y + 60))
click_at "$MID_X" "$MID_Y"
sleep 0.7
click_at "$MID_X" "$MID_Y"
grown() { [ "$(changed_pixels "$E2E_ARTIFACTS/dropped.png" "$1" $((3 + DROP_X + 100)) $((26 + DROP_Y + 100)) 52 51)" -gt 100 ]; }
poll_window_shot 5 enlarged "$MAIN" grown || true
client_shot enlarged
BIG=$CLIENT
rmse=$(region_rmse "$DROPPED" "$DROP_X $DROP_Y 125 124" "$BIG" "$DROP_X $DROP_Y 152 151")
check "two clicks under Enlarge grow the sticker to 152x151 at the same corner (rmse $rmse)" float_lt "$rmse" 0.06
other=$(region_rmse "$DROPPED" "$DROP_X $DROP_Y 125 124" "$BIG" "$DROP_X $DROP_Y 138 137")
check "the sticker grew twice, not once (138x137 matches worse: rmse $other)" float_gt "$other" "$rmse"
check "the canvas right of the grown sticker is white" all_white "$BIG" $((DROP_X + 152)) $((DROP_Y + 5)) 30 140

# --- A caption in t3m1
click_at $((CX + 144)) $((CY + 52))
expect_box "Comment must not be over 30 chars" "a click on t3m1" && answer_box "Me at work" caption-typed
captioned() { [ "$(changed_pixels "$E2E_ARTIFACTS/enlarged.png" "$1" 27 42 241 73)" -gt 100 ]; }
poll_window_shot 5 captioned "$MAIN" captioned || true
client_shot captioned
EDITED=$SHOT
CAPTIONED=$CLIENT
check "t3m1 shows the new, short caption (its right part is empty)" all_white "$CAPTIONED" 180 16 85 73
check "t3m1 shows text" float_gt "$(dark_fraction "$CAPTIONED" 24 16 150 73)" 0.02
check "the sticker is untouched by the caption" \
    [ "$(changed_pixels "$BIG" "$CAPTIONED" $DROP_X $DROP_Y 152 151)" -eq 0 ]

# --- Export and SAVE
if export_and_save comic; then
    J=$SAVED_FILE
    check "the JPEG shows the Comic divider (rows 243-250 of the canvas)" all_dark "$J" $((3 + 20)) $((26 + 244)) 500 6
    rmse=$(region_rmse "$J" "$((3 + DROP_X)) $((26 + DROP_Y)) 152 151" "$CAPTIONED" "$DROP_X $DROP_Y 152 151")
    check "the JPEG shows the enlarged sticker (rmse $rmse)" float_lt "$rmse" 0.06
    rmse=$(region_rmse "$J" "$((3 + 24)) $((26 + 16)) 241 73" "$CAPTIONED" "24 16 241 73")
    check "the JPEG shows the typed caption (rmse $rmse)" float_lt "$rmse" 0.06
fi

# --- After OK: a fresh Blank editor fades in
OLD_MAIN=$MAIN
if wait_window 10 "$APP_PID" "$TITLE" 1057x659; then
    MAIN=$FOUND_WINDOW
    watch_opacity "$MAIN" 6 "$FINAL_OPACITY"
    reached=$?
    log "opacity seen after the save: $(summarize_samples "$OPACITY_SAMPLES")"
    first=${OPACITY_SAMPLES# }
    first=${first%% *}
    check "the editor fades in again from low (first value $first)" \
        eval '[ -n "$first" ] && [ "$first" -lt "$(opacity_of_alpha 120)" ]'
    check "the editor's fade-in reaches 250/255 again (last $OPACITY_LAST)" [ $reached -eq 0 ]
    main_origin
    blank_again() { all_white "$1" $((3 + 20)) $((26 + 243)) 520 8 && palette_drawn "$1"; }
    poll_window_shot 5 fresh "$MAIN" blank_again || true
    client_shot fresh
    FRESH=$CLIENT
    check "the editor is back on Blank: no divider at rows 243-250" all_white "$FRESH" 20 243 520 8
    check "the editor is back on Blank: no divider at rows 437-444" all_white "$FRESH" 20 437 520 8
    check "the captions read 'Click here to edit' again (same as at the start)" \
        eval '[ "$(changed_pixels "$START" "$FRESH" 0 0 568 630)" -eq 0 ]'
    check "Image5 is back in its palette slot" [ "$(changed_pixels "$START" "$FRESH" 568 384 125 124)" -eq 0 ]
else
    fail "no editor came back after the save (windows:$(describe_windows "$APP_PID"))"
fi

# --- Exit fades out and ends the program
main_origin
click_at $((CX + 976)) $((CY + 120))
samples=""
while process_running "$APP_PID"; do
    value=$(window_opacity "$MAIN")
    [ -n "$value" ] && samples="$samples $value"
    sleep 0.03
    float_lt "$(elapsed_since "$APP_STARTED_AT")" 120 || break
done
lowest=$(tr ' ' '\n' <<<"$samples" | grep . | sort -n | head -n 1)
log "opacity during Exit: $(summarize_samples "$samples")"
check "Exit fades the window out (lowest opacity seen: ${lowest:-none}, below 250/255)" \
    eval '[ -n "$lowest" ] && [ "$lowest" -lt $((FINAL_OPACITY * 8 / 10)) ]'
if app_wait_exit "$APP_PID" 10; then
    check "Exit ends the program with status 0 (status $APP_EXIT)" [ "$APP_EXIT" -eq 0 ]
else
    fail "the program still runs 10 s after Exit"
fi

# ============================================================================================
# Second run: a ready-made comic, "True Story"

start_main
watch_opacity "$MAIN" 6 "$FINAL_OPACITY" || true
poll_window_shot 5 start-2 "$MAIN" palette_drawn || true
client_shot start-2
START2=$CLIENT

click_at $((CX + 736 + 40)) $((CY + 8 + 12))
sleep 0.3
choose_item 736 10 8 "True Story"
story() { [ "$(changed_pixels "$START2" "$(crop_to "$1" 3 26 1051 630 "$E2E_WORK/tmp/s.png"; echo "$E2E_WORK/tmp/s.png")" 0 0 568 630)" -gt 5000 ]; }
poll_window_shot 5 true-story "$MAIN" story || true
client_shot true-story
STORY=$CLIENT
changed=$(changed_pixels "$START2" "$STORY" 0 0 568 630)
check "'True Story' replaces the blank canvas with a comic ($changed pixels changed)" [ "$changed" -gt 5000 ]

# caption_label NAME X Y W H TEXT: clicks the label, types TEXT into the 50-char box.
caption_label() {
    local name=$1 x=$2 y=$3 w=$4 h=$5 text=$6
    local before
    client_shot "before-$name"
    before=$CLIENT
    click_at $((CX + x + w / 2)) $((CY + y + h / 2))
    expect_box "Comment must not be over 50 chars" "a click on the label at ($x, $y)" || return 1
    answer_box "$text" "typed-$name"
    label_changed() { [ "$(changed_pixels "$before" "$(crop_to "$1" 3 26 1051 630 "$E2E_WORK/tmp/l.png"; echo "$E2E_WORK/tmp/l.png")" $x $y $w $h)" -gt 30 ]; }
    poll_window_shot 5 "after-$name" "$MAIN" label_changed || true
    client_shot "after-$name"
    local inside all
    inside=$(changed_pixels "$before" "$CLIENT" "$x" "$y" "$w" "$h")
    check "the label at ($x, $y) shows the typed text ($inside pixels changed)" [ "$inside" -gt 30 ]
    all=$(changed_pixels "$before" "$CLIENT" 0 0 568 630)
    check "nothing outside that label changed ($((all - inside)) pixels)" [ $((all - inside)) -eq 0 ]
}
caption_label one 32 48 161 169 "I said hi"
caption_label two 288 40 241 81 "She left"
caption_label three 48 360 113 153 "Sad"
window_shot_settled edited-2 "$MAIN"
EDITED=$SHOT
if export_and_save true-story; then
    rmse=$(region_rmse "$SAVED_FILE" "3 26 566 630" "$CLIENT" "0 0 566 630")
    check "the JPEG holds the captioned True Story comic (rmse $rmse)" float_lt "$rmse" 0.05
fi

e2e_finish
