#!/usr/bin/env bash
# Export: the main window narrows to its canvas and hides; a preview shows the captured
# picture with SAVE and Back. Back (or closing the preview through the window manager)
# brings the editor back unchanged. SAVE writes a JPEG named after the local time next to
# the executable, never over an existing file, says so in a message box and starts a fresh
# editor that fades in again.
source "$(dirname "$0")/lib.sh"
e2e_init e2e_export "${1:-}"

start_main

# Regions of the main window's screenshot that Export must keep: the canvas with its
# frame, and the sticker palette. (The buttons are left out: the one clicked keeps focus.)
CANVAS_REGION="3 26 568 630"
PALETTE_REGION="571 170 483 486"
same_region() { [ "$(changed_pixels "$1" "$2" $3)" -eq 0 ]; }

poll_window_shot 5 fresh-start "$MAIN" palette_drawn || true
window_shot_settled fresh-start "$MAIN"
FRESH_START=$SHOT

# Something to export: Image5 dragged onto the canvas, its top-left to client (150, 200).
move_to $((CX + 630)) $((CY + 446))
xdotool mousedown 1
for step in 1 2 3 4 5 6 7 8 9 10; do
    move_to $((CX + 630 - 418 * step / 10)) $((CY + 446 - 184 * step / 10))
    sleep 0.02
done
xdotool mouseup 1
sticker_on_canvas() { float_gt "$(dark_fraction "$1" $((3 + 150)) $((26 + 200)) 125 124)" 0.05; }
poll_window_shot 5 edited "$MAIN" sticker_on_canvas || fatal "the sticker drag did not work (see edited.png)"
window_shot_settled edited "$MAIN"
EDITED=$SHOT
OPACITY_BEFORE=$(window_opacity "$MAIN")
OPACITY_BEFORE=${OPACITY_BEFORE:-0}

# open_preview NAME: clicks Export and waits for the 728x694 preview to show the picture.
# Sets PLACE_BEFORE to where the main window was.
open_preview() {
    main_origin
    PLACE_BEFORE="$GX,$GY"
    click_at $((CX + 976)) $((CY + 24))
    if ! wait_until 10 find_preview; then
        fail "Export showed no 728x694 preview (windows:$(describe_windows "$APP_PID"))"
        return 1
    fi
    poll_window_shot 5 "$1" "$PREVIEW" preview_drawn || true
    window_shot_settled "$1" "$PREVIEW"
    return 0
}

# back_in_editor NAME HOW: the preview is gone and the same main window is shown again,
# 1057 wide, as it was before the export.
back_in_editor() {
    check "$2 closes the preview" wait_until 5 eval '! window_viewable "$PREVIEW"'
    check "$2 shows the main window again" wait_until 5 window_viewable "$MAIN"
    check "$2 brings the main window back at 1057x659" wait_until 5 window_size_is "$MAIN" 1057x659
    window_geometry "$MAIN"
    check "$2 brings the main window back at its place ($GX,$GY; was $PLACE_BEFORE)" [ "$GX,$GY" = "$PLACE_BEFORE" ]
    check "$2 opens no other window (windows:$(describe_windows "$APP_PID"))" \
        [ "$(visible_windows "$APP_PID" | wc -l)" -eq 1 ]
    editor_back() { same_region "$EDITED" "$1" "$CANVAS_REGION"; }
    poll_window_shot 5 "$1" "$MAIN" editor_back || true
    window_shot_settled "$1" "$MAIN"
    check "after $2 the canvas is unchanged (layout, captions, dropped sticker)" same_region "$EDITED" "$SHOT" "$CANVAS_REGION"
    check "after $2 the sticker palette is unchanged" same_region "$EDITED" "$SHOT" "$PALETTE_REGION"
    # A fade-in would start again from 0: the opacity must never drop below what it was.
    local samples="" value lowest=""
    for value in $(seq 20); do
        value=$(window_opacity "$MAIN")
        samples="$samples $value"
        [ -z "$lowest" ] || [ "${value:-0}" -lt "$lowest" ] && lowest=${value:-0}
        sleep 0.03
    done
    check "after $2 the window does not fade in again (opacity $OPACITY_BEFORE before, lowest after: $lowest)" \
        [ "$lowest" -ge "$OPACITY_BEFORE" ]
}

# --- The preview ---------------------------------------------------------------------------

open_preview preview || fatal "no preview to look at"
P=$SHOT
pass "Export shows a 728x694 preview window"
check "the main window is hidden while the preview is open" eval '! window_viewable "$MAIN"'
window_geometry "$MAIN"
check "the main window was narrowed to 572 px for the capture (is ${GW}x${GH})" [ "${GW}x${GH}" = 572x659 ]
check "the preview has no caption bar: its top-left shows the picture's frame" \
    eval '[ "$(color_fraction "$P" 10 7 200 18 "#0a246a")" != 0 ]'
check "the preview's 1-px border is black" eval 'all_dark "$P" 0 0 728 1 && all_dark "$P" 0 0 1 694'
# The picture is at (2, 2): its caption bar (3..24 below the picture's top) is navy...
navy=$(color_fraction "$P" 302 7 260 18 '#0a246a')
check "the picture starts with the navy caption bar (navy share $navy)" float_gt "$navy" 0.97
check "the picture's caption bar starts 5 px down (3 + 2)" \
    eval 'float_lt "$(color_fraction "$P" 302 4 260 1 "#0a246a")" 0.1 && float_gt "$(color_fraction "$P" 302 5 260 1 "#0a246a")" 0.97'
# ...then the canvas frame, black, at client x 2..9 and y 1..7 of the captured window.
check "the picture shows the canvas frame's left side in black" all_dark "$P" $((2 + 3 + 2)) $((2 + 26 + 40)) 8 550
check "the picture shows the canvas frame's top side in black" all_dark "$P" $((2 + 3 + 20)) $((2 + 26 + 1)) 520 7
# The narrowed window's client area is 566 px wide: the frame's right side shows 4 px of 7.
check "the picture shows the canvas frame's right side in black" all_dark "$P" $((2 + 3 + 562)) $((2 + 26 + 40)) 4 550
check "the narrowed window's own frame closes the picture on the right" \
    float_lt "$(dark_fraction "$P" $((2 + 569)) $((2 + 26 + 40)) 1 550)" 0.1
rmse=$(region_rmse "$P" "2 2 566 655" "$EDITED" "0 0 566 655")
check "the picture is the main window's caption bar, frame and canvas as shown (rmse $rmse)" float_lt "$rmse" 0.02
check "the picture box has a border right of the 572-px picture" all_dark "$P" 574 10 1 640
check "the picture box has a border under the 659-px picture" all_dark "$P" 10 661 560 1
check "the palette is not in the picture" all_white "$P" 576 120 150 500
check "the preview shows its SAVE and Back buttons" \
    eval 'float_gt "$(dark_fraction "$P" 595 15 110 30)" 0.02 && float_gt "$(dark_fraction "$P" 595 63 110 30)" 0.02'

# --- Back ------------------------------------------------------------------------------------

preview_click 648 76
back_in_editor after-back "Back"

# --- Closing the preview through the window manager acts as Back ---------------------------

if open_preview preview-2; then
    key_to "$PREVIEW" alt+F4
    back_in_editor after-close "closing the preview with Alt+F4"
fi

# --- Export and back, again and again: the editor keeps its place -------------------------

# Each round trip hides the main window and shows it again; where it comes back must not
# depend on the round.
moved=""
for round in 1 2 3 4 5 6 7 8; do
    open_preview "round-trip" >/dev/null || break
    if [ $((round % 2)) -eq 1 ]; then
        preview_click 648 76
    else
        key_to "$PREVIEW" alt+F4
    fi
    wait_until 5 eval '! window_viewable "$PREVIEW" && window_viewable "$MAIN" && window_size_is "$MAIN" 1057x659' ||
        { moved="$moved round $round: the main window did not come back;"; break; }
    window_geometry "$MAIN"
    [ "$GX,$GY" = "$PLACE_BEFORE" ] || moved="$moved round $round: $PLACE_BEFORE -> $GX,$GY;"
done
check "8 more rounds of Export and Back/Alt+F4 leave the main window in its place${moved:+ (moved:$moved)}" \
    [ -z "$moved" ]

# --- SAVE ------------------------------------------------------------------------------------

# The stamps of every second from FIRST to LAST.
stamps_between() {
    local second
    for second in $(seq "$1" "$2"); do stamp_of "$second"; done
}

# save_picture NAME: clicks SAVE in the open preview and answers the "Successfull" box;
# sets SAVED_FILE (the new picture) and the stamps of the seconds the save could take.
save_picture() {
    local before after
    before=$(date +%s)
    preview_click 648 28
    if ! wait_window 10 "$APP_PID" Successfull; then
        fail "SAVE showed no 'Successfull' box (windows:$(describe_windows "$APP_PID"))"
        return 1
    fi
    after=$(date +%s)
    local box=$FOUND_WINDOW
    pass "SAVE shows a message box titled 'Successfull'"
    screenshot_of_window "$1-message" "$box" >/dev/null
    SAVE_STAMPS=$(stamps_between "$before" "$after")
    SAVED_FILE=$(comm -13 <(echo "$PICTURES_BEFORE") <(list_pictures) | head -n 1)
    check "the picture is written by the time the box is shown" [ -n "$SAVED_FILE" ]
    key_to "$box" Return
    check "OK closes the 'Successfull' box" wait_until 5 eval '! window_viewable "$box"'
}

# check_jpeg FILE: a real 572x659 JPEG holding the previewed picture.
check_jpeg() {
    local info
    info=$(identify -format '%m %w %h' "$1" 2>&1)
    check "identify reads $(basename "$1") as a 572x659 JPEG ($info)" [ "$info" = "JPEG 572 659" ]
    djpeg "$1" >/dev/null 2>&1
    check "the JPEG decodes without error" [ $? -eq 0 ]
    local rmse
    rmse=$(region_rmse "$1" "0 0 572 659" "$P" "2 2 572 659")
    check "the JPEG holds the previewed picture (rmse $rmse)" float_lt "$rmse" 0.05
}

# fresh_editor NAME: after a save the preview is gone and a new main window fades in,
# with the start layout, the start captions and every sticker at home.
fresh_editor() {
    check "the preview closes after OK" wait_until 5 eval '! window_viewable "$PREVIEW"'
    if ! wait_window 10 "$APP_PID" "$TITLE" 1057x659; then
        fail "no main window came back after the save (windows:$(describe_windows "$APP_PID"))"
        return 1
    fi
    local fresh=$FOUND_WINDOW
    check "a new main window replaces the old one (window $fresh, was $MAIN)" [ "$fresh" != "$MAIN" ]
    watch_opacity "$fresh" 6 "$FINAL_OPACITY"
    local reached=$?
    log "opacity seen on the new main window: $(summarize_samples "$OPACITY_SAMPLES")"
    local first=${OPACITY_SAMPLES# }
    first=${first%% *}
    check "the new main window's fade-in starts low again (first value seen: $first)" \
        eval '[ -n "$first" ] && [ "$first" -lt "$(opacity_of_alpha 120)" ]'
    if [ $reached -eq 0 ]; then
        pass "the new main window's opacity settles at 250/255 ($FINAL_OPACITY)"
    else
        fail "the new main window's opacity never reached 250/255 = $FINAL_OPACITY within 6 s; it stays at '${OPACITY_LAST}'"
    fi
    MAIN=$fresh
    main_origin
    check "the new main window is 1057x659" [ "${GW}x${GH}" = 1057x659 ]
    check "the new main window is centred (at $GX,$GY)" \
        eval 'int_near "$GX" $(((SCREEN_W - 1057) / 2)) 1 && int_near "$GY" $(((SCREEN_H - 659) / 2)) 1'
    fresh_drawn() { same_region "$FRESH_START" "$1" "$CANVAS_REGION"; }
    poll_window_shot 5 "$1" "$MAIN" fresh_drawn || true
    window_shot_settled "$1" "$MAIN"
    check "the new main window starts with the Blank layout and the start captions" \
        same_region "$FRESH_START" "$SHOT" "$CANVAS_REGION"
    check "the new main window has every sticker at home" same_region "$FRESH_START" "$SHOT" "$PALETTE_REGION"
    check "the program runs on" process_running "$APP_PID"
}

if open_preview preview-3; then
    P=$SHOT
    PICTURES_BEFORE=$(list_pictures)
    if save_picture save; then
        name=$(basename "$SAVED_FILE")
        log "saved: $SAVED_FILE"
        check "the picture is saved in the program's folder ($(dirname "$SAVED_FILE"))" \
            [ "$(dirname "$SAVED_FILE")" = "$APP_DIR" ]
        check "the picture is named after the local time as H m ss MM dd yy ($name; expected one of: $(echo $SAVE_STAMPS))" \
            grep -qx "${name%.jpg}" <<<"$SAVE_STAMPS"
        check "that save wrote exactly one file" [ "$(comm -13 <(echo "$PICTURES_BEFORE") <(list_pictures) | wc -l)" -eq 1 ]
        check_jpeg "$SAVED_FILE"
        cp "$SAVED_FILE" "$E2E_ARTIFACTS/saved.jpg"
    fi
    fresh_editor after-save
fi

# --- SAVE when the time's name is taken -------------------------------------------------------

# Files already named after every second of the next half minute: the save must pick
# "<stamp>-2.jpg" and leave them alone.
start=$(date +%s)
for stamp in $(stamps_between "$start" $((start + 30))); do
    [ -e "$APP_DIR/$stamp.jpg" ] || printf 'kept' >"$APP_DIR/$stamp.jpg"
done
if open_preview preview-4; then
    P=$SHOT
    PICTURES_BEFORE=$(list_pictures)
    if save_picture save-taken; then
        name=$(basename "$SAVED_FILE")
        log "saved: $SAVED_FILE"
        check "a taken name gets '-2': $name (stamps: $(echo $SAVE_STAMPS))" \
            grep -qx "${name%-2.jpg}" <<<"$SAVE_STAMPS"
        check "the name ends in -2.jpg ($name)" [ "${name%-2.jpg}" != "$name" ]
        check "that picture is saved in the program's folder too" [ "$(dirname "$SAVED_FILE")" = "$APP_DIR" ]
        check_jpeg "$SAVED_FILE"
        check "the files that had the name are left as they were" \
            eval '[ "$(cat "$APP_DIR/${name%-2.jpg}.jpg")" = kept ]'
    fi
    fresh_editor after-save-taken
fi

e2e_finish
