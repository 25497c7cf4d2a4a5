#!/usr/bin/env bash
# Layouts and captions: choosing "Comic" in the Free Template list with the mouse shows its
# dividers and captions; a click on a caption asks for its text in a modal input box,
# Return sets the text and Escape empties the caption.
source "$(dirname "$0")/lib.sh"
e2e_init e2e_templates "${1:-}"

INPUT_TITLE="Comment must not be over 30 chars"

start_main

# --- The Blank layout at the start ---------------------------------------------------------

blank_drawn() { all_dark "$1" $((3 + 3)) $((26 + 300)) 6 20; }
poll_window_shot 5 start "$MAIN" blank_drawn || true
client_shot start
START=$CLIENT
check "at the start the canvas has no Comic divider rows" all_white "$START" 20 236 520 20
check "at the start the canvas shows its first caption at (48, 32)" \
    float_gt "$(dark_fraction "$START" 48 32 320 40)" 0.05
check "at the start the canvas shows its second caption at (48, 528)" \
    float_gt "$(dark_fraction "$START" 48 528 260 36)" 0.05

# --- Choosing "Comic" with the mouse --------------------------------------------------------

click_at $((CX + 656)) $((CY + 47))
wait_until 5 find_popup 584 || fatal "clicking Combo1 opened no list under it (windows:$(describe_windows "$APP_PID"))"
window_geometry "$POPUP"
POPUP_X=$GX POPUP_Y=$GY POPUP_W=$GW POPUP_H=$GH
pass "a click on Combo1 opens its list (${POPUP_W}x${POPUP_H} at ${POPUP_X},${POPUP_Y})"
list_drawn() { float_gt "$(dark_fraction "$1" 4 4 $((POPUP_W - 8)) $((POPUP_H - 8)))" 0.03; }
poll_window_shot 3 combo1-list "$POPUP" list_drawn || true
window_shot_settled combo1-list "$POPUP"

# The five items share the list's height; each row holds its item's text.
row_height=$(((POPUP_H - 2) / 5))
rows_with_text=0
for row in 0 1 2 3 4; do
    top=$((1 + row * (POPUP_H - 2) / 5))
    float_gt "$(dark_fraction "$SHOT" 4 $((top + 2)) 60 $((row_height - 4)))" 0.03 && rows_with_text=$((rows_with_text + 1))
done
check "the list shows five items, one per row (${rows_with_text} rows with text)" [ "$rows_with_text" -eq 5 ]

comic_y=$((POPUP_Y + 1 + (2 * 3 + 1) * (POPUP_H - 2) / 10))
click_at $((POPUP_X + 40)) "$comic_y"
check "the list closes after the click on 'Comic'" wait_until 5 eval '! window_viewable "$POPUP"'

comic_drawn() { all_dark "$1" $((3 + 20)) $((26 + 243)) 500 8; }
poll_window_shot 5 comic "$MAIN" comic_drawn || true
client_shot comic
COMIC=$CLIENT
check "Comic shows the black divider rows 243-250" all_dark "$COMIC" 10 243 548 8
check "Comic shows the black divider rows 437-444" all_dark "$COMIC" 10 437 548 8
check "Comic shows the black vertical divider at columns 275-282 in the top row" all_dark "$COMIC" 275 10 8 226
check "the canvas is white just above the first divider row" all_white "$COMIC" 10 236 255 6
check "the canvas is white just below the first divider row" all_white "$COMIC" 10 252 255 5
check "the canvas is white just left of the vertical divider" all_white "$COMIC" 268 100 6 130
check "the canvas is white just right of the vertical divider" all_white "$COMIC" 284 100 6 130
check "the start captions are gone with the Blank layout" all_white "$COMIC" 40 500 500 60
check "Combo1 now reads something other than 'Blank'" \
    [ "$(changed_pixels "$START" "$COMIC" 588 36 110 22)" -gt 20 ]

# Caption t3m1 fills the top-left panel (24, 16, 241 x 73) with "Click Here to Edit",
# which reaches across the panel.
check "caption t3m1 shows its start text" float_gt "$(dark_fraction "$COMIC" 24 16 241 73)" 0.05
check "caption t3m1's start text reaches the right part of its box" \
    float_gt "$(dark_fraction "$COMIC" 170 16 90 40)" 0.05
check "caption t3m2 shows its start text in the top-right panel" \
    float_gt "$(dark_fraction "$COMIC" 304 16 241 73)" 0.05

# --- Typing a caption ----------------------------------------------------------------------

click_at $((CX + 144)) $((CY + 52))
if expect_box "$INPUT_TITLE" "a click on t3m1"; then
    screenshot_of_window input-box "$BOX" >/dev/null
    check "the input box is modal (it asks the window manager for a modal state)" \
        grep -q _NET_WM_STATE_MODAL <<<"$(xprop -id "$BOX" _NET_WM_STATE 2>/dev/null)"
    answer_box "Hello e2e" input-typed
fi

caption_changed() { [ "$(changed_pixels "$E2E_ARTIFACTS/comic.png" "$1" 27 42 241 73)" -gt 100 ]; }
poll_window_shot 5 hello "$MAIN" caption_changed || true
client_shot hello
HELLO=$CLIENT
changed=$(changed_pixels "$COMIC" "$HELLO" 24 16 241 73)
check "the t3m1 area now differs from before ($changed pixels changed)" [ "$changed" -gt 100 ]
check "t3m1 now holds dark text at its left" float_gt "$(dark_fraction "$HELLO" 24 16 130 40)" 0.05
# "Hello e2e" is about half as wide as the start text: the rest of the box is now empty,
# which also shows the field was empty before typing.
check "the right part of t3m1 is empty: the caption is the short typed text" all_white "$HELLO" 170 16 95 73
box=$(content_box "$HELLO" 20 12 250 80)
log "t3m1 text now covers: $box"
check "the typed caption starts at t3m1's left edge ($box)" eval 'int_near "$(cut -d" " -f1 <<<"$box")" 26 4'
check "caption t3m2 is untouched" [ "$(changed_pixels "$COMIC" "$HELLO" 304 16 241 73)" -eq 0 ]
check "the dividers are untouched" all_dark "$HELLO" 10 243 548 8

# --- Escape empties a caption ----------------------------------------------------------------

click_at $((CX + 420)) $((CY + 32))
if expect_box "$INPUT_TITLE" "a click on t3m2"; then
    key_to "$BOX" Escape
    check "Escape closes the input box" wait_until 5 eval '! window_viewable "$BOX"'
fi
caption_emptied() { all_white "$1" $((3 + 304)) $((26 + 16)) 241 73; }
poll_window_shot 5 escaped "$MAIN" caption_emptied || true
client_shot escaped
check "after Escape caption t3m2 is empty" all_white "$CLIENT" 304 16 241 73
check "after Escape t3m1 keeps the typed text" [ "$(changed_pixels "$HELLO" "$CLIENT" 24 16 241 73)" -eq 0 ]

e2e_finish
