#!/usr/bin/env bash
# 10 000 random mouse and key events on the real program: clicks and double-clicks on and
# around its windows, drags that end off them, keys into whatever has the focus (the lists'
# drop-downs, the input boxes, the message boxes, the preview). The seed is printed;
# ZAPQUIL_MONKEY_SEED=N replays a run. The program must never crash or hang, and afterwards
# its lists hold what they held, at most one preview was ever open, nothing but pictures was
# written and its memory did not keep growing.
source "$(dirname "$0")/lib.sh"
e2e_init e2e_monkey "${1:-}"

EVENTS=10000
ROUNDS=10
BATCH=25
SEED=${ZAPQUIL_MONKEY_SEED:-$(($(date +%s%N) / 1000 % 1000000000))}
log "seed $SEED (ZAPQUIL_MONKEY_SEED=$SEED replays this run)"

# The sanitizer build keeps freed memory in quarantine: its figures say nothing about leaks.
MEASURE_MEMORY=1
[ -n "${ASAN_OPTIONS:-}" ] && MEASURE_MEMORY=0

# ---------------------------------------------------------------------------------------------
# The program and its state

# start_editor: starts a copy and waits for its main window to fade in; sets MAIN.
start_editor() {
    start_main
    watch_opacity "$MAIN" 6 "$FINAL_OPACITY" || true
    window_geometry "$MAIN"
    HOME_PLACE="$GX $GY"
}

resident_kb() { awk '/^VmRSS:/ {print $2}' "/proc/$1/status" 2>/dev/null; }

previews_open() {
    local w n=0
    for w in $(visible_windows "$APP_PID"); do
        window_size_is "$w" 728x694 && n=$((n + 1))
    done
    echo "$n"
}

# calm_down: answers whatever the monkey left open (drop-downs and boxes with Escape, the
# preview with Back) until only the editor is shown, and puts the editor back in its place.
calm_down() {
    local tries w title others
    for tries in $(seq 40); do
        process_running "$APP_PID" || return 1
        others=""
        for w in $(visible_windows "$APP_PID"); do
            title=$(window_title "$w")
            if [ "$title" = "$TITLE" ] && window_size_is "$w" 1057x659; then
                MAIN=$w
            else
                others="$others $w"
            fi
        done
        if [ -z "$others" ] && [ -n "$MAIN" ] && window_viewable "$MAIN"; then
            xdotool windowmove "$MAIN" $HOME_PLACE
            wait_until 5 eval 'window_geometry "$MAIN" && [ "$GX $GY" = "$HOME_PLACE" ]'
            return
        fi
        PREVIEW=""
        for w in $others; do
            window_size_is "$w" 728x694 && PREVIEW=$w
        done
        if [ -n "$PREVIEW" ] && [ "$others" = " $PREVIEW" ]; then
            preview_click 648 76
        else
            # A box or a drop-down: the drop-down has the keyboard anyway.
            for w in $others; do
                [ "$w" = "$PREVIEW" ] && continue
                xdotool windowactivate "$w" 2>/dev/null
                break
            done
            xdotool key Escape
        fi
        sleep 0.3
    done
    return 1
}

# responsive: the Help button still answers with its box.
responsive() {
    main_origin || return 1
    click_at $((CX + 976)) $((CY + 56))
    wait_window 10 "$APP_PID" Help || return 1
    key_to "$FOUND_WINDOW" Return
    wait_until 5 eval '! find_window "$APP_PID" Help'
}

# list_shot X COUNT NAME: chooses the first of the COUNT items of the list at client x X,
# opens the list again and takes a screenshot of it (the first row highlighted, the pointer
# above the list); sets SHOT.
list_shot() {
    choose_item "$1" "$2" 0 "$3" >/dev/null || return 1
    click_at $((CX + $1 + 70)) $((CY + 47))
    wait_until 5 find_popup "$1" || return 1
    sleep 0.3
    window_shot_settled "$3" "$POPUP"
    xdotool key Escape
    wait_until 5 eval '! window_viewable "$POPUP"'
}

# The two lists as their options offer them: Combo1 under "Free Template", Combo2 under
# "Import Template". Sets COMBO1_SHOT and COMBO2_SHOT.
shoot_lists() {
    main_origin
    click_at $((CX + 584 + 40)) $((CY + 8 + 12))
    list_shot 584 5 "$1-combo1" || return 1
    COMBO1_SHOT=$SHOT
    click_at $((CX + 736 + 40)) $((CY + 8 + 12))
    list_shot 736 10 "$1-combo2" || return 1
    COMBO2_SHOT=$SHOT
}

# ---------------------------------------------------------------------------------------------
# The events

# monkey_batches SEED X Y W H EXIT_X EXIT_Y: prints the round's events as xdotool command
# chains of about BATCH events, each line "COUNT CHAIN", in the rectangle X Y W H around the
# windows. Clicks spare the Exit
# button (client 912,104 129x33), which would only end the run; keys can still reach it.
# Right and middle clicks and the wheel are left out: on the desktop they open the window
# manager's menus or switch desktops, which no user of this program means to test.
monkey_batches() {
    awk -v seed="$1" -v x0="$2" -v y0="$3" -v w="$4" -v h="$5" -v events=$((EVENTS / ROUNDS)) \
        -v batch="$BATCH" -v ex0="$6" -v ey0="$7" 'BEGIN {
        srand(seed)
        nk = split("Tab Tab Tab ISO_Left_Tab space space Return Return Escape Escape Up Down Down " \
            "Left Right Home End Prior Next BackSpace Delete alt+Down ctrl+a ctrl+v F1 " \
            "a e h o s t x 1 5 alt+a alt+c alt+e alt+h", keys, " ")
        split("a b c d e f g h i j k l m n o p q r s t u v w x y z space", letters, " ")
        n = 0; inline = 0; line = ""
        while (n < events) {
            r = rand()
            if (r < 0.35) {
                point(); add("mousemove " px " " py " click 1", 2)
            } else if (r < 0.40) {
                point(); add("mousemove " px " " py " click --repeat 2 --delay 60 1", 3)
            } else if (r < 0.55) {
                point(); add("mousemove " px " " py " mousedown 1 sleep 0.05", 2)
                steps = 1 + int(rand() * 4)
                for (s = 0; s < steps; s++) {
                    # A drag may end anywhere on the screen, far off the windows.
                    if (rand() < 0.2) { px = int(rand() * 1280); py = int(rand() * 800) } else point()
                    add("mousemove " px " " py " sleep 0.02", 1)
                }
                add("mouseup 1", 1)
            } else if (r < 0.92) {
                add("key " keys[1 + int(rand() * nk)], 1)
            } else if (r < 0.999) {
                word = ""; len = 1 + int(rand() * 12)
                for (s = 0; s < len; s++) word = word " " letters[1 + int(rand() * 27)]
                add("key --delay 5" word, len)
            } else {
                add("key alt+F4", 1)
            }
            if (inline >= batch) flush()
        }
        flush()
    }
    function point() {
        do {
            px = x0 + int(rand() * w); py = y0 + int(rand() * h)
        } while (px >= ex0 - 6 && px < ex0 + 135 && py >= ey0 - 6 && py < ey0 + 39)
    }
    function add(command, count) { line = line " " command; n += count; inline += count }
    function flush() { if (line != "") print inline line; line = ""; inline = 0 }'
}

# ---------------------------------------------------------------------------------------------

start_editor
shoot_lists before || fatal "the lists could not be opened before the run"
BEFORE_COMBO1=$COMBO1_SHOT BEFORE_COMBO2=$COMBO2_SHOT
log "Combo1's list: $(identify -format '%wx%h' "$COMBO1_SHOT"), Combo2's list: $(identify -format '%wx%h' "$COMBO2_SHOT")"
calm_down
FIRST_RSS=$(resident_kb "$APP_PID")
RSS_PID=$APP_PID
RSS_SAMPLES="$FIRST_RSS"
touch "$E2E_WORK/tmp/monkey-start"
sleep 1

# restart_after_end: tells an end by Exit or Alt+F4 (status 0) from a crash, then starts
# the program again so the run goes on.
restart_after_end() {
    app_wait_exit "$APP_PID" 1
    if [ "$APP_EXIT" = 0 ]; then
        ends=$((ends + 1))
        log "round $round: the monkey ended the program (Exit or Alt+F4; status 0): starting it again"
    else
        crashes="$crashes round $round: status $APP_EXIT;"
        log "round $round: the program died with status $APP_EXIT (seed $SEED)"
        tail -n 30 "$E2E_ARTIFACTS/program-$E2E_LAUNCHES.log"
    fi
    xdotool mouseup 1 2>/dev/null
    start_editor
}

sent=0
ends=0
crashes=""
hangs=""
most_previews=0
for round in $(seq "$ROUNDS"); do
    window_geometry "$MAIN"
    read -r mx my <<<"$HOME_PLACE"
    # The windows and 60 px around them: the preview opens inside the editor's place.
    x=$((mx - 60)) y=$((my - 60))
    [ "$x" -lt 0 ] && x=0
    [ "$y" -lt 0 ] && y=0
    while read -r count chain <&3; do
        # shellcheck disable=SC2086
        xdotool $chain
        sent=$((sent + count))
        sleep 0.03
        process_gone "$APP_PID" && { restart_after_end; continue; }
        n=$(previews_open)
        [ "$n" -gt "$most_previews" ] && most_previews=$n
    done 3< <(monkey_batches $((SEED + round)) "$x" "$y" $((1057 + 120)) $((659 + 120)) $((mx + 3 + 912)) $((my + 26 + 104)))
    xdotool mouseup 1 2>/dev/null
    settled=0
    calm_down && responsive && settled=1
    # The last events may have ended it: after Exit the window fades out before the process
    # ends, so it can still be found and then not answer.
    if [ "$settled" = 0 ] && wait_until 5 process_gone "$APP_PID"; then
        restart_after_end
        calm_down && responsive && settled=1
    fi
    if [ "$settled" = 0 ]; then
        hangs="$hangs round $round;"
        screenshot "round-$round-unresponsive" >/dev/null
        log "round $round: the program does not answer (windows:$(describe_windows "$APP_PID"))"
        break
    fi
    rss=$(resident_kb "$APP_PID")
    if [ "$APP_PID" != "$RSS_PID" ]; then
        RSS_PID=$APP_PID
        FIRST_RSS=$rss
        RSS_SAMPLES=""
    fi
    RSS_SAMPLES="$RSS_SAMPLES $rss"
    log "round $round: $sent events sent, resident ${rss} kB"
done
screenshot after-monkey >/dev/null

check "the program never crashed in $sent events${crashes:+ (crashes:$crashes)}" [ -z "$crashes" ]
check "the program answered after every round${hangs:+ (no answer after:$hangs)}" [ -z "$hangs" ]
check "all $EVENTS events were sent ($sent; the program was ended $ends time(s) by Exit or Alt+F4)" [ "$sent" -ge "$EVENTS" ]
check "never more than one preview was open (most: $most_previews)" [ "$most_previews" -le 1 ]

if shoot_lists after; then
    check "Combo1's list is as before the run: its 5 items ($(identify -format '%wx%h' "$COMBO1_SHOT"))" \
        same_picture "$COMBO1_SHOT" "$BEFORE_COMBO1"
    check "Combo2's list is as before the run: its 10 items ($(identify -format '%wx%h' "$COMBO2_SHOT"))" \
        same_picture "$COMBO2_SHOT" "$BEFORE_COMBO2"
else
    fail "the lists could not be opened after the run (windows:$(describe_windows "$APP_PID"))"
fi

# Every file written during the run, besides the running copy's lock.
written=$(find "$E2E_WORK" -newer "$E2E_WORK/tmp/monkey-start" -type f ! -path "$E2E_WORK/tmp/*" \
    ! -path "$XDG_RUNTIME_DIR/*" | sort)
pictures=$(grep -E "^$APP_DIR/[0-9]{9,12}(-[0-9]+)?\.jpg$" <<<"$written")
others=$(grep -vxF -f <(echo "$pictures") <<<"$written" | grep . || true)
log "saved during the run: $(grep -c . <<<"$pictures") picture(s)"
check "nothing but stamp-named pictures was written${others:+ (also: $(tr '\n' ' ' <<<"$others"))}" [ -z "$others" ]
bad=""
for file in $pictures; do
    [ "$(identify -format '%m %w %h' "$file" 2>&1)" = "JPEG 572 659" ] || bad="$bad $(basename "$file")"
done
check "every saved picture is a whole 572x659 JPEG${bad:+ (not:$bad)}" [ -z "$bad" ]

if [ "$MEASURE_MEMORY" = 1 ]; then
    last=${RSS_SAMPLES##* }
    log "resident memory of the last copy (kB):$RSS_SAMPLES"
    check "memory did not keep growing (the last copy: ${FIRST_RSS} kB at its start, ${last} kB at the end)" \
        [ "$last" -le $((FIRST_RSS + 30 * 1024)) ]
else
    log "memory not measured: the sanitizer build keeps freed memory in quarantine"
fi

e2e_finish
