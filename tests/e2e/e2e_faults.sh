#!/usr/bin/env bash
# The real program when things go wrong: a window-manager close request on the splash, a
# second start during the splash and during the fade-in, names taken by a file and a
# symlink when saving, a start after a copy was killed, a full disk, and folders that
# refuse the picture (a program folder and Pictures folder the user may not write to,
# then a home folder that refuses too).
source "$(dirname "$0")/lib.sh"
e2e_init e2e_faults "${1:-}"

# open_preview: Export from the current main window; sets PREVIEW.
open_preview() {
    main_origin
    click_at $((CX + 976)) $((CY + 24))
    wait_until 10 find_preview || { fail "Export showed no preview (windows:$(describe_windows "$APP_PID"))"; return 1; }
    poll_window_shot 5 "$1" "$PREVIEW" preview_drawn || true
}

# save_refused NAME: clicks SAVE, expects the "Zapquil" warning; the preview stays open.
save_refused() {
    preview_click 648 28
    expect_box Zapquil "$1: SAVE" || return 1
    local box=$BOX
    screenshot_of_window "$1-warning" "$box" >/dev/null
    check "$1: no 'Successfull' box" eval '! find_window "$APP_PID" Successfull'
    key_to "$box" Return
    check "$1: OK closes the warning" wait_until 5 eval '! window_viewable "$box"'
    sleep 0.5
    check "$1: the preview stays open after the warning" window_viewable "$PREVIEW"
    check "$1: the editor stays hidden behind the preview" eval '! window_viewable "$MAIN"'
    screenshot_of_window "$1-after-warning" "$PREVIEW" >/dev/null
}

# ============================================================================================
# f + d: a close request to the splash, and a second start during the splash

app_start
FIRST=$APP_PID
wait_until 10 find_splash || fatal "no splash appeared (windows:$(describe_windows "$FIRST"))"
pass "the splash appears"
xdotool windowactivate --sync "$SPLASH" >/dev/null 2>&1
xdotool key alt+F4
log "sent Alt+F4 (the window manager's Close) to the splash"
app_start
SECOND=$APP_PID
APP_PID=$FIRST
if wait_window 10 "$SECOND" Quorvale; then
    BOX=$FOUND_WINDOW
    pass "a start during the splash shows the 'Quorvale' box"
    screenshot_of_window quorvale-splash "$BOX" >/dev/null
    check "the splash is still there after the close request and the second start" window_viewable "$SPLASH"
    key_to "$BOX" Return
    if app_wait_exit "$SECOND" 10; then
        check "the second copy exits with status 0 after OK (status $APP_EXIT)" [ "$APP_EXIT" -eq 0 ]
    else
        fail "the second copy still runs 10 s after OK"
    fi
else
    fail "a start during the splash showed no 'Quorvale' box (windows:$(describe_windows "$SECOND"))"
fi
check "the second copy never showed a main window" eval '! find_window "$SECOND" "$TITLE"'

# d: a third start during the fade-in
if wait_window 15 "$FIRST" "$TITLE" 1057x659; then
    MAIN=$FOUND_WINDOW
    pass "the first copy's main window appears despite the close request to its splash ($(elapsed_since "$APP_STARTED_AT") s)"
    app_start
    THIRD=$APP_PID
    APP_PID=$FIRST
    opacity_now=$(window_opacity "$MAIN")
    log "opacity when the third copy started: $opacity_now"
    if wait_window 10 "$THIRD" Quorvale; then
        pass "a start during the fade-in shows the 'Quorvale' box"
        key_to "$FOUND_WINDOW" Return
        if app_wait_exit "$THIRD" 10; then
            check "the third copy exits with status 0 after OK (status $APP_EXIT)" [ "$APP_EXIT" -eq 0 ]
        else
            fail "the third copy still runs 10 s after OK"
        fi
    else
        fail "a start during the fade-in showed no 'Quorvale' box (windows:$(describe_windows "$THIRD"))"
    fi
    check "the third copy started while the window was still fading (opacity $opacity_now)" \
        eval '[ -n "$opacity_now" ] && [ "$opacity_now" -lt "$FINAL_OPACITY" ]'
    watch_opacity "$MAIN" 6 "$FINAL_OPACITY"
    check "the first copy completes its fade-in to 250/255 (last $OPACITY_LAST)" [ $? -eq 0 ]
else
    fatal "the main window never appeared after the close request to the splash (windows:$(describe_windows "$FIRST"))"
fi

# ============================================================================================
# a: the next stamps are taken by a file and a symlink

mkdir -p "$E2E_WORK/outside"
echo "outside target" >"$E2E_WORK/outside/target"
if open_preview taken-preview; then
    planted=""
    t=$(date +%s)
    for second in $(seq "$t" $((t + 8))); do
        stamp=$(stamp_of "$second")
        printf 'planted %s\n' "$stamp" >"$APP_DIR/$stamp.jpg"
        ln -s "$E2E_WORK/outside/target" "$APP_DIR/$stamp-2.jpg"
        planted="$planted $stamp"
    done
    before=$(ls "$APP_DIR" | sort)
    preview_click 648 28
    if expect_box Successfull "SAVE with taken names"; then
        new=$(comm -13 <(echo "$before") <(ls "$APP_DIR" | sort))
        log "new file(s): $new; planted stamps:$planted"
        check "exactly one new file was written ($new)" [ "$(wc -w <<<"$new")" -eq 1 ]
        check "the new file is a regular file, not a link" eval '[ -f "$APP_DIR/$new" ] && [ ! -L "$APP_DIR/$new" ]'
        check "the new name is <planted stamp>-3.jpg or a free later stamp ($new)" eval '
            s=${new%.jpg}; s=${s%-3}
            grep -qw -- "$s" <<<"$planted" && [ "$new" = "$s-3.jpg" ] || ! grep -qw -- "$s" <<<"$planted"'
        info=$(identify -format '%m %w %h' "$APP_DIR/$new" 2>&1)
        check "the new file is a 572x659 JPEG ($info)" [ "$info" = "JPEG 572 659" ]
        bad=""
        for stamp in $planted; do
            [ "$(cat "$APP_DIR/$stamp.jpg")" = "planted $stamp" ] || bad="$bad $stamp.jpg"
            [ -L "$APP_DIR/$stamp-2.jpg" ] || bad="$bad $stamp-2.jpg"
        done
        check "the planted files and symlinks are untouched${bad:+ (changed:$bad)}" [ -z "$bad" ]
        check "the symlinks' target outside the folder is untouched" \
            eval '[ "$(cat "$E2E_WORK/outside/target")" = "outside target" ] && [ "$(ls "$E2E_WORK/outside")" = target ]'
        key_to "$BOX" Return
        wait_window 10 "$APP_PID" "$TITLE" 1057x659 && MAIN=$FOUND_WINDOW
    fi
fi

# ============================================================================================
# e: a start after SIGKILL

kill -9 "$FIRST"
app_wait_exit "$FIRST" 5
check "the killed copy is gone" process_gone "$FIRST"
app_start
if wait_window 15 "$APP_PID" "$TITLE" 1057x659; then
    pass "a start after SIGKILL of the running copy shows the main window"
else
    fail "a start after SIGKILL showed no main window (windows:$(describe_windows "$APP_PID"))"
fi
check "that start showed no 'Quorvale' box" eval '! find_window "$APP_PID" Quorvale'
kill "$APP_PID"
app_wait_exit "$APP_PID" 5

# ============================================================================================
# c: a full disk under the program's folder

FULL=$E2E_WORK/full
mkdir -p "$FULL"
size_k=$(( $(stat -c %s "$APP_DIR/zapquil") / 1024 + 64 ))
if mount -t tmpfs -o size=${size_k}k tmpfs "$FULL" 2>/dev/null; then
    trap 'status=$?; umount -l "$FULL" 2>/dev/null; (exit $status); e2e_cleanup' EXIT
    cp "$APP_DIR/zapquil" "$FULL/zapquil"
    dd if=/dev/zero of="$FULL/filler" bs=4k 2>/dev/null
    log "tmpfs of ${size_k}k holds the program; free now: $(df -k --output=avail "$FULL" | tail -1) k"
    SAVED_APP_DIR=$APP_DIR
    APP_DIR=$FULL
    app_start
    APP_DIR=$SAVED_APP_DIR
    if wait_window 15 "$APP_PID" "$TITLE" 1057x659; then
        MAIN=$FOUND_WINDOW
        watch_opacity "$MAIN" 6 "$FINAL_OPACITY" || true
        if open_preview full-preview; then
            home_before=$(find "$HOME" -name '*.jpg' | wc -l)
            save_refused full-disk
            check "full disk: no (partial) .jpg is left in the program's folder ($(ls "$FULL" | tr '\n' ' '))" \
                eval '[ -z "$(find "$FULL" -name "*.jpg")" ]'
            preview_click 648 76
            check "full disk: Back closes the preview" wait_until 5 eval '! window_viewable "$PREVIEW"'
            check "full disk: Back brings the editor back at 1057x659" \
                wait_until 5 eval 'window_viewable "$MAIN" && window_size_is "$MAIN" 1057x659'
        fi
    else
        fail "the copy on the full tmpfs showed no main window (windows:$(describe_windows "$APP_PID"))"
    fi
    kill "$APP_PID" 2>/dev/null
    app_wait_exit "$APP_PID" 5
    umount -l "$FULL"
    trap e2e_cleanup EXIT
else
    log "SKIP: full disk (mounting a tmpfs is not permitted here)"
fi

# ============================================================================================
# b: folders that refuse, for an unprivileged user

if ! id -u >/dev/null || [ "$(id -u)" -ne 0 ] || ! setpriv --reuid=65534 --regid=65534 --clear-groups true 2>/dev/null; then
    log "SKIP: read-only folders (needs root to switch to an unprivileged user)"
    e2e_finish
fi
chmod 755 "$E2E_WORK"
RO=$E2E_WORK/ro
mkdir -p "$RO/app" "$RO/home/Pictures" "$RO/run"
cp "$APP_DIR/zapquil" "$RO/app/zapquil"
chmod 755 "$RO" "$RO/app" "$RO/app/zapquil"
chown 65534:65534 "$RO/home" "$RO/home/Pictures" "$RO/run"
chmod 700 "$RO/run"
chmod 755 "$RO/home"
chmod 555 "$RO/home/Pictures"

start_as_nobody() {
    E2E_LAUNCHES=$((E2E_LAUNCHES + 1))
    APP_STARTED_AT=$(now)
    # A clean environment as a login gives, but the sanitizers' settings kept for their run.
    (cd "$RO/app" && exec setpriv --reuid=65534 --regid=65534 --clear-groups env -i DISPLAY="$DISPLAY" \
        HOME="$RO/home" XDG_RUNTIME_DIR="$RO/run" PATH=/usr/bin:/bin QT_QPA_PLATFORM=xcb \
        ${ASAN_OPTIONS:+ASAN_OPTIONS="$ASAN_OPTIONS"} ${LSAN_OPTIONS:+LSAN_OPTIONS="$LSAN_OPTIONS"} \
        ${UBSAN_OPTIONS:+UBSAN_OPTIONS="$UBSAN_OPTIONS"} "$RO/app/zapquil") \
        >"$E2E_ARTIFACTS/program-$E2E_LAUNCHES.log" 2>&1 &
    APP_PID=$!
    E2E_PIDS+=("$APP_PID")
    log "started copy $E2E_LAUNCHES as uid 65534 (pid $APP_PID)"
}
all_pictures() { find "$RO" -name '*.jpg' 2>/dev/null | sort; }

# b1: the program folder and Pictures refuse: the home folder takes the picture.
start_as_nobody
if wait_window 15 "$APP_PID" "$TITLE" 1057x659; then
    MAIN=$FOUND_WINDOW
    check "the unprivileged copy runs as uid 65534" [ "$(ps -o uid= -p "$APP_PID" | tr -d ' ')" = 65534 ]
    watch_opacity "$MAIN" 6 "$FINAL_OPACITY" || true
    if open_preview ro-preview; then
        preview_click 648 28
        if expect_box Successfull "read-only program folder and Pictures: SAVE"; then
            screenshot_of_window ro-home-message "$BOX" >/dev/null
            saved=$(all_pictures)
            log "saved: $saved"
            check "the picture is saved in the home folder ($saved)" \
                eval '[ "$(wc -l <<<"$saved")" -eq 1 ] && [ "$(dirname "$saved")" = "$RO/home" ]'
            check "nothing is saved in Pictures or the program folder" \
                eval '[ -z "$(find "$RO/app" "$RO/home/Pictures" -name "*.jpg")" ]'
            info=$(identify -format '%m %w %h' "$saved" 2>&1)
            check "the home picture is a 572x659 JPEG ($info)" [ "$info" = "JPEG 572 659" ]
            check "the picture belongs to the user" [ "$(stat -c %u "$saved" 2>/dev/null)" = 65534 ]
            key_to "$BOX" Return
        fi
    fi
else
    fail "the unprivileged copy showed no main window (windows:$(describe_windows "$APP_PID"); log: $(tail -n 3 "$E2E_ARTIFACTS/program-$E2E_LAUNCHES.log"))"
fi
kill "$APP_PID" 2>/dev/null
app_wait_exit "$APP_PID" 5

# b2: the home folder refuses too: the warning, and no file anywhere.
rm -f "$RO"/home/*.jpg
chmod 555 "$RO/home"
start_as_nobody
if wait_window 15 "$APP_PID" "$TITLE" 1057x659; then
    MAIN=$FOUND_WINDOW
    watch_opacity "$MAIN" 6 "$FINAL_OPACITY" || true
    if open_preview refused-preview; then
        save_refused "every folder read-only"
        check "every folder read-only: no picture appears anywhere ($(all_pictures | tr '\n' ' '))" \
            eval '[ -z "$(all_pictures)" ] && [ -z "$(find "$E2E_WORK" -name "*.jpg" -newer "$RO/app/zapquil" ! -path "$APP_DIR/*")" ]'
    fi
else
    fail "the unprivileged copy with a read-only home showed no main window (windows:$(describe_windows "$APP_PID"))"
fi
kill "$APP_PID" 2>/dev/null
app_wait_exit "$APP_PID" 5
chmod 755 "$RO/home"

e2e_finish
