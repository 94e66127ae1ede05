# Shared steps of the end-to-end tests: run the real game from its directory under the X server the test
# runs in (xvfb-run), find its window, press keys the way a player does. Sourced by the tests.

# Start the game in the background with a scratch profile folder; sets GAME_PID, GAME_OUT and SCRATCH.
start_game() {
    SCRATCH=$(mktemp -d)
    GAME_OUT=$SCRATCH/stdout.txt
    mkdir -p "$SCRATCH/programdata"
    (cd "$GAME_DIR" && PROGRAMDATA="$SCRATCH/programdata" exec ./tarmelo3d >"$GAME_OUT" 2>&1) &
    GAME_PID=$!
}

# The game's window id, waiting up to 15 s for it to be mapped; the pointer is put over it, so that key
# events reach it without a window manager.
game_window() {
    found=$(timeout 15 xdotool search --sync --onlyvisible --name '^TARMELO 3D$' | head -n 1)
    [ -n "$found" ] && xdotool mousemove --window "$found" 400 300
    echo "$found"
}

# A rectangle of the window (x, y from the top-left, width, height) measured by x11_probe.
probe() {
    "$TARMELO_E2E_TOOLS/x11_probe" "$window" "$@"
}

# The count of one class of pixels (bright, yellow, green, dark) in a rectangle of the window.
probe_count() {
    class=$1
    shift
    probe "$@" | sed -n "s/.* $class \([0-9]*\).*/\1/p"
}

# Wait up to 30 s for the title screen: its yellow prompt blinks in the bottom rows. Start-up (loading
# every texture, model and sound behind two loading screens) takes a second or more on a software renderer.
wait_for_title() {
    waited=0
    while [ "$(probe_count yellow 0 588 800 12)" -lt 20 ]; do
        [ "$waited" -ge 300 ] && return 1
        sleep 0.1
        waited=$((waited + 1))
    done
    return 0
}

# Hold a key for longer than a frame: the game reads key state once per frame.
press() {
    xdotool keydown "$1"
    sleep "${2:-0.25}"
    xdotool keyup "$1"
}

# Wait up to $1 seconds for the game to exit; sets GAME_STATUS (124 when it did not).
wait_for_exit() {
    waited=0
    while kill -0 "$GAME_PID" 2>/dev/null; do
        if [ "$waited" -ge $(($1 * 10)) ]; then
            GAME_STATUS=124
            return 0
        fi
        sleep 0.1
        waited=$((waited + 1))
    done
    wait "$GAME_PID" && GAME_STATUS=0 || GAME_STATUS=$?
}

stop_game() {
    kill "$GAME_PID" 2>/dev/null || true
    wait "$GAME_PID" 2>/dev/null || true
    rm -rf "$SCRATCH"
}

fail() {
    echo "FAIL: $*" >&2
    [ -f "$GAME_OUT" ] && sed 's/^/  game: /' "$GAME_OUT" >&2
    stop_game
    exit 1
}
