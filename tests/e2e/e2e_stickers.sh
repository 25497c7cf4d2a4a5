#!/usr/bin/env bash
# Stickers: a face dragged from the palette onto the canvas follows the pointer (the grab
# point stays under it), loses its border and leaves its palette slot empty; under
# "Enlarge" each click grows it by 200 twips (13.33 px) keeping its top-left corner, so two
# clicks turn 125 x 124 into 152 x 151.
source "$(dirname "$0")/lib.sh"
e2e_init e2e_stickers "${1:-}"

start_main

# Image5's palette slot (client 568, 384, 125 x 124) and where it is dropped: grabbed at
# its centre and let go 418 px left and 184 px up, its top-left corner lands at (150, 200).
SLOT_X=568 SLOT_Y=384 HOME_W=125 HOME_H=124
GRAB_X=$((SLOT_X + 62)) GRAB_Y=$((SLOT_Y + 62))
DROP_DX=-418 DROP_DY=-184
DROP_X=$((SLOT_X + DROP_DX)) DROP_Y=$((SLOT_Y + DROP_DY))
BIG_W=152 BIG_H=151

# The dot of a selected option: 4 x 4 px at client x 596 in the row of the option.
ENLARGE_DOT=74 DO_NOTHING_DOT=122
option_on() { float_gt "$(dark_fraction "$1" $(($3 + 596)) $(($4 + $2)) 4 4)" 0.5; }
option_off() { float_lt "$(dark_fraction "$1" $(($3 + 596)) $(($4 + $2)) 4 4)" 0.1; }

poll_window_shot 5 start "$MAIN" palette_drawn || true
client_shot start
START=$CLIENT
check "at the start Image5 sits in its palette slot" \
    float_gt "$(dark_fraction "$START" $((SLOT_X + 4)) $((SLOT_Y + 6)) 110 110)" 0.05
check "at the start Image5 has its black border" all_dark "$START" $((SLOT_X + 4)) "$SLOT_Y" 110 1
check "at the start the drop place on the canvas is white" all_white "$START" $((DROP_X - 10)) $((DROP_Y - 10)) 180 180
check "at the start 'Do nothing' is the selected tool" option_on "$START" $DO_NOTHING_DOT 0 0
check "at the start Enlarge is not selected" option_off "$START" $ENLARGE_DOT 0 0

# --- Drag ------------------------------------------------------------------------------------

move_to $((CX + GRAB_X)) $((CY + GRAB_Y))
xdotool mousedown 1
for step in 1 2 3 4 5 6 7 8 9 10 11 12; do
    move_to $((CX + GRAB_X + DROP_DX * step / 12)) $((CY + GRAB_Y + DROP_DY * step / 12))
    sleep 0.02
done
xdotool mouseup 1

dropped() { float_gt "$(dark_fraction "$1" $((3 + DROP_X)) $((26 + DROP_Y)) "$HOME_W" "$HOME_H")" 0.05; }
poll_window_shot 5 dropped "$MAIN" dropped || true
client_shot dropped
DROPPED=$CLIENT

# The dropped sticker is the palette picture, one pixel for one pixel, at the drop place.
# The border line of the slot and the edges its neighbours Image7 and Image6 cover there
# are left out of the comparison.
rmse=$(region_rmse "$DROPPED" "$((DROP_X + 2)) $((DROP_Y + 2)) 116 116" "$START" "$((SLOT_X + 2)) $((SLOT_Y + 2)) 116 116")
check "the dropped sticker shows Image5's picture with its top-left at ($DROP_X, $DROP_Y) (rmse $rmse)" \
    float_lt "$rmse" 0.06
for shift in "1 0" "0 1" "-1 0" "0 -1"; do
    read -r sx sy <<<"$shift"
    other=$(region_rmse "$DROPPED" "$((DROP_X + 2 + sx)) $((DROP_Y + 2 + sy)) 116 116" \
        "$START" "$((SLOT_X + 2)) $((SLOT_Y + 2)) 116 116")
    check "the picture matches worse one pixel off ($sx,$sy): rmse $other" float_gt "$other" "$rmse"
done
outline=$(dark_fraction "$DROPPED" "$DROP_X" "$DROP_Y" "$HOME_W" 1)
check "the dragged sticker has lost its border (top edge dark share $outline)" float_lt "$outline" 0.5
outline=$(dark_fraction "$DROPPED" $((DROP_X + HOME_W - 1)) "$DROP_Y" 1 "$HOME_H")
check "the dragged sticker has lost its border (right edge dark share $outline)" float_lt "$outline" 0.5
check "Image5's palette slot is now empty" all_white "$DROPPED" $((SLOT_X + 4)) $((SLOT_Y + 6)) 114 110
check "the neighbouring stickers stay in their slots" \
    eval '[ "$(changed_pixels "$START" "$DROPPED" 688 384 125 124)" -eq 0 ] && [ "$(changed_pixels "$START" "$DROPPED" 568 504 125 124)" -eq 0 ]'
# What lies right of and below the small sticker is white: the area Enlarge will fill.
check "the canvas right of the dropped sticker is white" \
    all_white "$DROPPED" $((DROP_X + HOME_W)) "$DROP_Y" $((BIG_W - HOME_W + 20)) $((BIG_H + 20))
check "the canvas below the dropped sticker is white" \
    all_white "$DROPPED" "$DROP_X" $((DROP_Y + HOME_H)) $((BIG_W + 20)) $((BIG_H - HOME_H + 20))

# --- Enlarge twice --------------------------------------------------------------------------

click_at $((CX + 636)) $((CY + 76))
enlarge_on() { option_on "$1" $ENLARGE_DOT 3 26; }
poll_window_shot 5 enlarge "$MAIN" enlarge_on || true
client_shot enlarge
check "Enlarge is now the selected tool" option_on "$CLIENT" $ENLARGE_DOT 0 0
check "'Do nothing' is no longer selected" option_off "$CLIENT" $DO_NOTHING_DOT 0 0
check "choosing the tool moved nothing on the canvas" [ "$(changed_pixels "$DROPPED" "$CLIENT" 0 0 568 630)" -eq 0 ]

# Two single clicks on the sticker, far enough apart not to make a double-click.
STICKER_MID_X=$((CX + DROP_X + 60)) STICKER_MID_Y=$((CY + DROP_Y + 60))
click_at "$STICKER_MID_X" "$STICKER_MID_Y"
one_step() { [ "$(changed_pixels "$E2E_ARTIFACTS/dropped.png" "$1" $((3 + DROP_X)) $((26 + DROP_Y)) "$BIG_W" "$BIG_H")" -gt 50 ]; }
poll_window_shot 5 enlarged-once "$MAIN" one_step || true
client_shot enlarged-once
ONCE=$CLIENT
# 1875 + 200 = 2075 twips -> 138 px, 1860 + 200 = 2060 twips -> 137 px.
rmse=$(region_rmse "$DROPPED" "$DROP_X $DROP_Y $HOME_W $HOME_H" "$ONCE" "$DROP_X $DROP_Y 138 137")
check "one click under Enlarge grows the sticker to 138 x 137 at the same corner (rmse $rmse)" float_lt "$rmse" 0.06
sleep 0.6
click_at "$STICKER_MID_X" "$STICKER_MID_Y"
two_steps() { [ "$(changed_pixels "$E2E_ARTIFACTS/enlarged-once.png" "$1" $((3 + DROP_X)) $((26 + DROP_Y)) "$BIG_W" "$BIG_H")" -gt 50 ]; }
poll_window_shot 5 enlarged "$MAIN" two_steps || true
client_shot enlarged
BIG=$CLIENT

rmse=$(region_rmse "$DROPPED" "$DROP_X $DROP_Y $HOME_W $HOME_H" "$BIG" "$DROP_X $DROP_Y $BIG_W $BIG_H")
check "after two clicks the sticker is Image5's picture grown to ${BIG_W} x ${BIG_H} at ($DROP_X, $DROP_Y) (rmse $rmse)" \
    float_lt "$rmse" 0.06
for size in "151 150" "153 152" "138 137" "165 164"; do
    read -r w h <<<"$size"
    other=$(region_rmse "$DROPPED" "$DROP_X $DROP_Y $HOME_W $HOME_H" "$BIG" "$DROP_X $DROP_Y $w $h")
    check "a ${w} x ${h} sticker would match worse (rmse $other)" float_gt "$other" "$rmse"
done
grown=$(changed_pixels "$DROPPED" "$BIG" $((DROP_X + 100)) $((DROP_Y + 100)) $((BIG_W - 100)) $((BIG_H - 100)))
check "the picture now reaches into the bottom-right area that was white ($grown pixels changed)" [ "$grown" -gt 100 ]
box=$(content_box "$BIG" $((DROP_X - 20)) $((DROP_Y - 20)) $((BIG_W + 60)) $((BIG_H + 60)))
small=$(content_box "$DROPPED" $((DROP_X - 20)) $((DROP_Y - 20)) $((BIG_W + 60)) $((BIG_H + 60)))
log "picture content: $small before, $box after the clicks"
check "the grown picture keeps the sticker's top-left corner" eval '
    read -r bx by bw bh <<<"$box"; read -r sx sy sw sh <<<"$small"
    int_near "$bx" $((DROP_X + (sx - DROP_X) * BIG_W / HOME_W)) 2 &&
    int_near "$by" $((DROP_Y + (sy - DROP_Y) * BIG_H / HOME_H)) 2 &&
    int_near "$bw" $((sw * BIG_W / HOME_W)) 2 && int_near "$bh" $((sh * BIG_H / HOME_H)) 2'
check "the canvas right of the grown sticker is white" \
    all_white "$BIG" $((DROP_X + BIG_W)) $((DROP_Y - 10)) 40 $((BIG_H + 20))
check "the canvas below the grown sticker is white" \
    all_white "$BIG" $((DROP_X - 10)) $((DROP_Y + BIG_H)) $((BIG_W + 20)) 40
check "Image5's palette slot stays empty" all_white "$BIG" $((SLOT_X + 4)) $((SLOT_Y + 6)) 114 110
check "the clicks left the tool at Enlarge" option_on "$BIG" $ENLARGE_DOT 0 0

# --- Another drag re-selects "Do nothing" -------------------------------------------------

move_to "$STICKER_MID_X" "$STICKER_MID_Y"
xdotool mousedown 1
for step in 1 2 3 4 5 6; do
    move_to $((STICKER_MID_X + 10 * step)) $((STICKER_MID_Y + 5 * step))
    sleep 0.02
done
xdotool mouseup 1
do_nothing_on() { option_on "$1" $DO_NOTHING_DOT 3 26; }
poll_window_shot 5 dragged-again "$MAIN" do_nothing_on || true
client_shot dragged-again
check "a drag re-selects 'Do nothing'" option_on "$CLIENT" $DO_NOTHING_DOT 0 0
check "after the drag Enlarge is no longer selected" option_off "$CLIENT" $ENLARGE_DOT 0 0
rmse=$(region_rmse "$BIG" "$DROP_X $DROP_Y $BIG_W $BIG_H" "$CLIENT" "$((DROP_X + 60)) $((DROP_Y + 30)) $BIG_W $BIG_H")
check "the grown sticker moved with the pointer by (60, 30) keeping its size (rmse $rmse)" float_lt "$rmse" 0.06

e2e_finish
