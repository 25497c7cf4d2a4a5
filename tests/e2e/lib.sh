# Shared helpers of the end-to-end tests. Each test sources this file and calls
#   e2e_init NAME /path/to/zapquil
# which gives it a private Xvfb with openbox, a temporary folder holding a copy of the
# program (pictures are saved next to the executable), a temporary HOME and
# XDG_RUNTIME_DIR, and a folder for its screenshots. Checks are counted; e2e_finish
# prints the outcome and sets the exit status. Everything started is ended on exit.

set -uo pipefail

E2E_PASSED=0
E2E_FAILED=0
E2E_PIDS=()
E2E_WORK=""
E2E_NAME=""
E2E_T0=0

# ---------------------------------------------------------------------------------------
# Messages and checks

log() { printf '[%s %6.2fs] %s\n' "$E2E_NAME" "$(elapsed_since "$E2E_T0")" "$*"; }

pass() {
    E2E_PASSED=$((E2E_PASSED + 1))
    log "PASS: $*"
}

fail() {
    E2E_FAILED=$((E2E_FAILED + 1))
    log "FAIL: $*"
}

# check "description" command...: passes when the command succeeds.
check() {
    local what=$1
    shift
    if "$@"; then pass "$what"; else fail "$what"; fi
}

# Stops the test at once: for a state the remaining steps cannot work without.
fatal() {
    fail "$*"
    local pid
    for pid in "${E2E_PIDS[@]}"; do
        log "process $pid: $(process_running "$pid" && echo running || echo ended)"
    done
    local file
    for file in "$E2E_ARTIFACTS"/program-*.log; do
        [ -s "$file" ] && { log "$(basename "$file"):"; tail -n 20 "$file"; }
    done
    log "cannot go on; screenshots are in $E2E_ARTIFACTS"
    screenshot "fatal" >/dev/null 2>&1 || true
    exit 1
}

e2e_finish() {
    if [ "$E2E_FAILED" -eq 0 ] && [ "$E2E_PASSED" -gt 0 ]; then
        log "OK: all $E2E_PASSED checks passed (screenshots: $E2E_ARTIFACTS)"
        exit 0
    fi
    log "FAILED: $E2E_FAILED of $((E2E_PASSED + E2E_FAILED)) checks failed (screenshots: $E2E_ARTIFACTS)"
    exit 1
}

# ---------------------------------------------------------------------------------------
# Time and numbers

now() { date +%s.%N; }
elapsed_since() { awk -v a="$1" -v b="$(now)" 'BEGIN { printf "%.2f", b - a }'; }
# float_between VALUE LOW HIGH
float_between() { awk -v v="$1" -v lo="$2" -v hi="$3" 'BEGIN { exit !(v >= lo && v <= hi) }'; }
float_lt() { awk -v a="$1" -v b="$2" 'BEGIN { exit !(a < b) }'; }
float_gt() { awk -v a="$1" -v b="$2" 'BEGIN { exit !(a > b) }'; }
int_near() { [ "$1" -ge $(($2 - $3)) ] && [ "$1" -le $(($2 + $3)) ]; }

# wait_until SECONDS command...: polls the command until it succeeds; false on timeout.
wait_until() {
    local timeout=$1
    shift
    local deadline
    deadline=$(awk -v t="$(now)" -v d="$timeout" 'BEGIN { printf "%.3f", t + d }')
    while true; do
        "$@" && return 0
        float_lt "$(now)" "$deadline" || return 1
        sleep 0.05
    done
}

# ---------------------------------------------------------------------------------------
# Set-up and clean-up

e2e_init() {
    E2E_NAME=$1
    local binary=${2:-}
    E2E_T0=$(now)
    if [ -z "$binary" ] || [ ! -x "$binary" ]; then
        echo "usage: $0 /path/to/zapquil (got '${binary}')" >&2
        exit 2
    fi
    local here
    here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
    local source_dir=${ZAPQUIL_SOURCE_DIR:-$(cd "$here/../.." && pwd)}
    # shellcheck source=../../scripts/xsession.sh
    source "$source_dir/scripts/xsession.sh"

    E2E_ARTIFACTS=${ZAPQUIL_ARTIFACTS:-/tmp/zapquil-e2e-artifacts}/$E2E_NAME
    rm -rf "$E2E_ARTIFACTS"
    mkdir -p "$E2E_ARTIFACTS"

    E2E_WORK=$(mktemp -d "/tmp/zapquil-$E2E_NAME.XXXXXX")
    trap e2e_cleanup EXIT
    trap 'exit 130' INT TERM
    APP_DIR=$E2E_WORK/app
    mkdir -p "$APP_DIR" "$E2E_WORK/home" "$E2E_WORK/runtime" "$E2E_WORK/tmp"
    cp "$binary" "$APP_DIR/zapquil"
    chmod 700 "$E2E_WORK/runtime"
    export HOME=$E2E_WORK/home
    export XDG_RUNTIME_DIR=$E2E_WORK/runtime
    export TMPDIR=$E2E_WORK/tmp
    # The program as a user starts it on an X desktop, at scale 1.
    export QT_QPA_PLATFORM=xcb
    unset QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS QT_ENABLE_HIGHDPI_SCALING QT_AUTO_SCREEN_SCALE_FACTOR \
        QT_FONT_DPI QT_STYLE_OVERRIDE QT_NO_GLIB QT_XCB_GL_INTEGRATION XDG_CONFIG_HOME XDG_DATA_HOME \
        XDG_PICTURES_DIR 2>/dev/null || true

    ZAPQUIL_X_PIDS=""
    start_private_display
    if ! xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; then
        fatal "the private X display with openbox did not start"
    fi
    read -r SCREEN_W SCREEN_H < <(xwininfo -root | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w, h}')
    log "display $DISPLAY (${SCREEN_W}x${SCREEN_H}), program copy in $APP_DIR"
    log "screenshots go to $E2E_ARTIFACTS"
}

e2e_cleanup() {
    local status=$?
    local pid
    for pid in "${E2E_PIDS[@]}"; do
        process_running "$pid" && kill "$pid" 2>/dev/null
    done
    for pid in "${E2E_PIDS[@]}"; do
        wait_until 3 process_gone "$pid" || kill -9 "$pid" 2>/dev/null
        wait "$pid" 2>/dev/null
    done
    [ -n "${ZAPQUIL_X_PIDS:-}" ] && stop_private_display
    [ -n "$E2E_WORK" ] && rm -rf "$E2E_WORK"
    exit "$status"
}

# ---------------------------------------------------------------------------------------
# The program

# app_start: starts the program copy from its folder; sets APP_PID and APP_STARTED_AT.
E2E_LAUNCHES=0
app_start() {
    E2E_LAUNCHES=$((E2E_LAUNCHES + 1))
    APP_STARTED_AT=$(now)
    (cd "$APP_DIR" && exec ./zapquil) >"$E2E_ARTIFACTS/program-$E2E_LAUNCHES.log" 2>&1 &
    APP_PID=$!
    E2E_PIDS+=("$APP_PID")
    log "started copy $E2E_LAUNCHES of the program (pid $APP_PID)"
}

# A zombie still answers kill -0: look at the state.
process_running() {
    local state
    state=$(ps -o stat= -p "$1" 2>/dev/null | tr -d ' ')
    [ -n "$state" ] && [ "${state#Z}" = "$state" ]
}
process_gone() { ! process_running "$1"; }

# app_wait_exit PID SECONDS: waits for the process to end; sets APP_EXIT (or "" if it runs on).
app_wait_exit() {
    APP_EXIT=""
    wait_until "$2" process_gone "$1" || return 1
    wait "$1" 2>/dev/null
    APP_EXIT=$?
    return 0
}

# ---------------------------------------------------------------------------------------
# Windows

# The mapped windows of a process (Qt sets _NET_WM_PID on each).
visible_windows() { xdotool search --onlyvisible --pid "$1" 2>/dev/null || true; }

window_title() { xdotool getwindowname "$1" 2>/dev/null || true; }

# window_geometry WID: sets GX GY GW GH (absolute position and size); false if it's gone.
window_geometry() {
    local info
    info=$(xwininfo -id "$1" 2>/dev/null) || return 1
    GX=$(awk '/Absolute upper-left X:/ {print $4}' <<<"$info")
    GY=$(awk '/Absolute upper-left Y:/ {print $4}' <<<"$info")
    GW=$(awk '/^ *Width:/ {print $2}' <<<"$info")
    GH=$(awk '/^ *Height:/ {print $2}' <<<"$info")
    [ -n "$GX" ] && [ -n "$GW" ]
}

window_viewable() { xwininfo -id "$1" 2>/dev/null | grep -q 'Map State: IsViewable'; }

window_size_is() { window_geometry "$1" && [ "${GW}x${GH}" = "$2" ]; }

# find_window PID TITLE [WxH]: prints the first mapped window of the process with exactly
# that title (and size); sets FOUND_WINDOW.
find_window() {
    local pid=$1 title=$2 size=${3:-} w
    FOUND_WINDOW=""
    for w in $(visible_windows "$pid"); do
        [ "$(window_title "$w")" = "$title" ] || continue
        if [ -n "$size" ]; then
            window_size_is "$w" "$size" || continue
        fi
        FOUND_WINDOW=$w
        return 0
    done
    return 1
}

# wait_window SECONDS PID TITLE [WxH]: waits for find_window; sets FOUND_WINDOW.
wait_window() {
    local timeout=$1
    shift
    wait_until "$timeout" find_window "$@"
}

# The titles of the mapped windows of a process, for messages.
describe_windows() {
    local w out=""
    for w in $(visible_windows "$1"); do
        window_geometry "$w" >/dev/null
        out="$out [$(window_title "$w")] ${GW}x${GH}+${GX}+${GY};"
    done
    echo "${out:- none}"
}

window_opacity() {
    xprop -id "$1" _NET_WM_WINDOW_OPACITY 2>/dev/null | awk -F' = ' '/CARDINAL/ {print $2}'
}

# The opacity Qt gives a window shown at ALPHA of 255.
opacity_of_alpha() { awk -v a="$1" 'BEGIN { printf "%.0f", a / 255 * 4294967295 }'; }

# watch_opacity WID SECONDS TARGET: samples the window's opacity until it is TARGET (+-1)
# or the time is up. Sets OPACITY_SAMPLES (the distinct values seen, in order) and
# OPACITY_LAST; succeeds when TARGET was reached.
watch_opacity() {
    local wid=$1 timeout=$2 target=$3 value last="" deadline
    OPACITY_SAMPLES=""
    OPACITY_LAST=""
    deadline=$(awk -v t="$(now)" -v d="$timeout" 'BEGIN { printf "%.3f", t + d }')
    while float_lt "$(now)" "$deadline"; do
        value=$(window_opacity "$wid")
        if [ -n "$value" ] && [ "$value" != "$last" ]; then
            OPACITY_SAMPLES="$OPACITY_SAMPLES $value"
            last=$value
        fi
        OPACITY_LAST=$value
        if [ -n "$value" ] && [ "$value" -ge $((target - 1)) ] && [ "$value" -le $((target + 1)) ]; then
            return 0
        fi
        sleep 0.01
    done
    return 1
}

# The samples, shortened for a message.
summarize_samples() {
    awk -v n="$(wc -w <<<"$1")" '{ if (NF <= 8) { $1 = $1; print n " value(s): " $0; exit }
        print n " values: " $1, $2, $3, "...", $(NF-2), $(NF-1), $NF }' <<<"$1"
}

# True when the samples never go down.
samples_rise() {
    local previous=-1 value
    for value in $1; do
        [ "$value" -ge "$previous" ] || return 1
        previous=$value
    done
}

# ---------------------------------------------------------------------------------------
# The program's own windows

TITLE="Zapquil: Moxlet APP"
# The main window's opacity once faded in: 250 of 255.
FINAL_OPACITY=$(opacity_of_alpha 250)

# start_main: starts a copy of the program and waits for its main window; sets MAIN, CX
# and CY. The test cannot go on without it.
start_main() {
    app_start
    wait_window 15 "$APP_PID" "$TITLE" 1057x659 ||
        fatal "the main window did not appear (windows:$(describe_windows "$APP_PID"))"
    MAIN=$FOUND_WINDOW
    main_origin
}

# client_shot NAME: a settled screenshot of $MAIN (SHOT) and the same cut to its client area
# (CLIENT), so regions in it are in the program's client coordinates.
client_shot() {
    window_shot_settled "$1" "$MAIN" || return 1
    CLIENT=$E2E_ARTIFACTS/$1-client.png
    crop_to "$SHOT" 3 26 1051 630 "$CLIENT"
}

# palette_drawn IMAGE: a screenshot of $MAIN shows the sticker palette (Image5's face).
palette_drawn() { float_gt "$(dark_fraction "$1" 575 414 110 110)" 0.05; }

# preview_drawn IMAGE: a screenshot of the preview shows the picture's navy caption bar.
preview_drawn() { float_gt "$(color_fraction "$1" 302 7 260 18 '#0a246a')" 0.9; }

# Every picture in the program's folder and the home folder.
list_pictures() { find "$APP_DIR" "$HOME" -name '*.jpg' 2>/dev/null | sort; }

# expect_box TITLE WHAT: waits for the window titled TITLE of $APP_PID; sets BOX and passes
# "WHAT shows the 'TITLE' box", or fails naming the windows that are shown.
expect_box() {
    if wait_window 10 "$APP_PID" "$1"; then
        BOX=$FOUND_WINDOW
        pass "$2 shows the '$1' box"
        return 0
    fi
    BOX=""
    fail "$2 showed no '$1' box (windows:$(describe_windows "$APP_PID"))"
    return 1
}

# answer_box TEXT NAME: types TEXT into the input box $BOX, takes its screenshot NAME and
# answers it with Return.
answer_box() {
    type_to "$BOX" "$1"
    screenshot_of_window "$2" "$BOX" >/dev/null
    key_to "$BOX" Return
    check "Return closes the '$(window_title "$BOX")' box" wait_until 5 eval '! window_viewable "$BOX"'
}

# main_origin: CX, CY = the main window $MAIN's client origin on the screen, as it is now
# (inside its 3-px frame and 22-px caption bar).
main_origin() {
    window_geometry "$MAIN" || return 1
    CX=$((GX + 3))
    CY=$((GY + 26))
}

# sized_window WxH: the first mapped window of $APP_PID, other than $MAIN, of that size;
# sets FOUND_WINDOW.
sized_window() {
    local w
    FOUND_WINDOW=""
    for w in $(visible_windows "$APP_PID"); do
        [ "$w" = "${MAIN:-}" ] && continue
        window_size_is "$w" "$1" && FOUND_WINDOW=$w && return 0
    done
    return 1
}

# find_splash: the 355x222 splash of $APP_PID; sets SPLASH.
find_splash() { SPLASH=""; sized_window 355x222 && SPLASH=$FOUND_WINDOW; }

# find_preview: the 728x694 preview of $APP_PID; sets PREVIEW.
find_preview() { PREVIEW=""; sized_window 728x694 && PREVIEW=$FOUND_WINDOW; }

# find_popup X: the drop-down list opened under the list box at client x X of $MAIN; sets
# POPUP.
find_popup() {
    local w
    POPUP=""
    for w in $(visible_windows "$APP_PID"); do
        [ "$w" = "$MAIN" ] && continue
        window_geometry "$w" || continue
        if int_near "$GX" $((CX + $1)) 3 && [ "$GY" -ge $((CY + 50)) ] && [ "$GY" -le $((CY + 70)) ]; then
            POPUP=$w
            return 0
        fi
    done
    return 1
}

# choose_item X COUNT INDEX NAME: opens the combo box at client (X, 32) with the mouse and
# clicks its item INDEX (of COUNT).
choose_item() {
    click_at $((CX + $1 + 70)) $((CY + 47))
    if ! wait_until 5 find_popup "$1"; then
        fail "clicking the list at client x $1 opened no drop-down (windows:$(describe_windows "$APP_PID"))"
        return 1
    fi
    window_geometry "$POPUP"
    local px=$GX py=$GY ph=$GH
    screenshot_of_window "$4-list" "$POPUP" >/dev/null
    click_at $((px + 40)) $((py + 1 + (2 * $3 + 1) * (ph - 2) / (2 * $2)))
    check "the drop-down closes after the click on '$4'" wait_until 5 eval '! window_viewable "$POPUP"'
}

# preview_click X Y: a click at client X,Y of the preview (inside its 1-px border).
preview_click() {
    window_geometry "$PREVIEW"
    click_at $((GX + 1 + $1)) $((GY + 1 + $2))
}

# stamp_of SECONDS: the name a picture saved at that time gets, without ".jpg".
stamp_of() { date -d "@$1" +%-H%-M%S%m%d%y; }

# ---------------------------------------------------------------------------------------
# Mouse and keyboard

pointer_at() { [ "$(xdotool getmouselocation 2>/dev/null | sed -n 's/^x:\([0-9]*\) y:\([0-9]*\) .*/\1 \2/p')" = "$1 $2" ]; }

# move_to X Y: moves the pointer and waits until it is there. (xdotool's own --sync waits
# for a motion, and hangs when the pointer is already in place.)
move_to() {
    xdotool mousemove "$1" "$2"
    wait_until 5 pointer_at "$1" "$2"
}

click_at() {
    move_to "$1" "$2"
    xdotool click 1
}

# key_to WID KEY...: makes the window active and types the keys into it.
key_to() {
    local wid=$1
    shift
    xdotool windowactivate --sync "$wid" >/dev/null 2>&1 || xdotool windowfocus --sync "$wid" >/dev/null 2>&1
    xdotool key --clearmodifiers "$@"
}

type_to() {
    xdotool windowactivate --sync "$1" >/dev/null 2>&1 || xdotool windowfocus --sync "$1" >/dev/null 2>&1
    xdotool type --clearmodifiers --delay 40 "$2"
}

# ---------------------------------------------------------------------------------------
# Screenshots and pixels. Regions are "X Y W H" in the image's pixels.

# screenshot NAME: the whole screen into $E2E_ARTIFACTS/NAME.png; prints the path.
screenshot() {
    local file=$E2E_ARTIFACTS/$1.png
    import -window root "$file" 2>/dev/null || return 1
    echo "$file"
}

# crop_to IMAGE X Y W H OUT
crop_to() { convert "$1" -crop "${4}x${5}+${2}+${3}" +repage "$6"; }

# screenshot_of_window NAME WID: a screenshot cut to the window; prints the path.
screenshot_of_window() {
    local whole
    whole=$(screenshot "$1-screen") || return 1
    window_geometry "$2" || return 1
    crop_to "$whole" "$GX" "$GY" "$GW" "$GH" "$E2E_ARTIFACTS/$1.png" || return 1
    echo "$E2E_ARTIFACTS/$1.png"
}

# poll_window_shot SECONDS NAME WID PREDICATE: takes screenshots of the window until
# PREDICATE IMAGE succeeds (the screen has caught up) or the time is up. Sets SHOT to the
# last one, so the checks that follow look at what is shown, not at a half-drawn frame.
poll_window_shot() {
    local timeout=$1 name=$2 wid=$3 predicate=$4 deadline
    deadline=$(awk -v t="$(now)" -v d="$timeout" 'BEGIN { printf "%.3f", t + d }')
    while true; do
        SHOT=$(screenshot_of_window "$name" "$wid") || SHOT=""
        [ -n "$SHOT" ] && "$predicate" "$SHOT" && return 0
        float_lt "$(now)" "$deadline" || return 1
        sleep 0.1
    done
}

# window_shot_settled NAME WID: screenshots of the window until two in a row are alike.
window_shot_settled() {
    local previous="" tries
    for tries in $(seq 20); do
        SHOT=$(screenshot_of_window "$1" "$2") || return 1
        if [ -n "$previous" ] && [ "$(compare -metric AE "$previous" "$SHOT" null: 2>&1 | cut -d' ' -f1)" = "0" ]; then
            rm -f "$previous"
            return 0
        fi
        [ -n "$previous" ] && rm -f "$previous"
        previous=$E2E_ARTIFACTS/.settle-$tries.png
        cp "$SHOT" "$previous"
        sleep 0.1
    done
    rm -f "$previous"
    return 0
}

# gray_stats IMAGE X Y W H: prints "min max mean" of the region's brightness (0-255).
gray_stats() {
    convert "$1" -crop "${4}x${5}+${2}+${3}" +repage -colorspace Gray \
        -format '%[fx:round(255*minima)] %[fx:round(255*maxima)] %[fx:round(255*mean)]' info:
}

# all_dark IMAGE X Y W H: every pixel of the region is black or nearly so.
all_dark() { local s; s=$(gray_stats "$@"); [ "${s#* }" != "$s" ] && [ "$(cut -d' ' -f2 <<<"$s")" -le 60 ]; }
# all_white IMAGE X Y W H: every pixel of the region is white or nearly so.
all_white() { local s; s=$(gray_stats "$@"); [ -n "$s" ] && [ "$(cut -d' ' -f1 <<<"$s")" -ge 235 ]; }

# dark_fraction IMAGE X Y W H: the share of pixels darker than mid-grey, 0..1.
dark_fraction() {
    convert "$1" -crop "${4}x${5}+${2}+${3}" +repage -colorspace Gray -threshold 50% \
        -format '%[fx:1-mean]' info:
}

# color_fraction IMAGE X Y W H COLOR: the share of pixels within 6% of COLOR, 0..1.
color_fraction() {
    convert "$1" -crop "${4}x${5}+${2}+${3}" +repage -alpha off -fuzz 6% -fill '#ff00ff' -opaque "$6" \
        -fill black +opaque '#ff00ff' -fill white -opaque '#ff00ff' -colorspace Gray -format '%[fx:mean]' info:
}

# changed_pixels IMAGE_A IMAGE_B X Y W H: how many pixels of the region differ (by > 10%).
changed_pixels() {
    local a=$E2E_WORK/tmp/cmp-a.png b=$E2E_WORK/tmp/cmp-b.png
    crop_to "$1" "$3" "$4" "$5" "$6" "$a" && crop_to "$2" "$3" "$4" "$5" "$6" "$b" || return 1
    compare -metric AE -fuzz 10% "$a" "$b" null: 2>&1 | awk '{print int($1)}'
}

# same_picture IMAGE_A IMAGE_B: the two have the same size and not one pixel differs.
same_picture() {
    [ "$(identify -format '%wx%h' "$1")" = "$(identify -format '%wx%h' "$2")" ] &&
        [ "$(compare -metric AE "$1" "$2" null: 2>&1)" = 0 ]
}

# region_rmse IMAGE_A "X Y W H" IMAGE_B "X Y W H": the normalised RMSE (0..1) between two
# regions; the second is scaled to the size of the first when the sizes differ.
region_rmse() {
    local a=$E2E_WORK/tmp/rmse-a.png b=$E2E_WORK/tmp/rmse-b.png
    local ax ay aw ah bx by bw bh
    read -r ax ay aw ah <<<"$2"
    read -r bx by bw bh <<<"$4"
    convert "$1" -crop "${aw}x${ah}+${ax}+${ay}" +repage -alpha off "$a" || return 1
    convert "$3" -crop "${bw}x${bh}+${bx}+${by}" +repage -alpha off -resize "${aw}x${ah}!" "$b" || return 1
    compare -metric RMSE "$a" "$b" null: 2>&1 | sed -n 's/.*(\(.*\)).*/\1/p'
}

# content_box IMAGE X Y W H: prints "x y w h" of the non-white content of the region, in
# the image's coordinates ("" when the region is all white).
content_box() {
    local info
    info=$(convert "$1" -crop "${4}x${5}+${2}+${3}" +repage -alpha off -bordercolor white -border 1 \
        -fuzz 10% -trim -format '%w %h %X %Y' info: 2>/dev/null) || return 1
    local w h x y
    read -r w h x y <<<"$info"
    x=${x#+}
    y=${y#+}
    # A region with nothing but white trims to a single pixel.
    [ "$w" -le 1 ] && [ "$h" -le 1 ] && return 0
    echo "$(($2 + x - 1)) $(($3 + y - 1)) $w $h"
}
