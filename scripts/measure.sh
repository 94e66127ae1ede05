#!/bin/sh
# Speed and size of the real game under a virtual X server, as figures (not a test): the time from start
# to the first title frame; the share of one core the game uses and the frames per second it shows on the
# title, in the menu over a game board and in play (keeper standing, and walking, shadows on), on level 1
# and on the largest legal level (32 x 24 cells, 32 crates, the lamp off and on), in the window of 800 x 600
# the game opens and in one of 1920 x 1080; its peak resident memory over a one-minute run, beside that of a
# bare window of the same size. Each picture setting named in PICTURES (default "full fast", as the settings
# file writes them) gets its own runs; a game that predates the setting draws Full in both. With SHOTS set
# to a folder, a screenshot of play at 1920 x 1080 is kept there for each setting and level. Several game
# directories (a build before a change and one after) are measured in turn, run by run, so that a change
# in the machine's load falls on both alike; each line then names its directory.
# The frame rates are the driver's own counter (Mesa's HUD, kept invisible so the picture is unchanged,
# one reading a second written to a file): they need Mesa, as on the software renderer the game is
# measured on.
#     scripts/measure.sh [GAME-DIR ...]   (after scripts/build.sh; GAME-DIR defaults to build/game)
set -eu
cd "$(dirname "$0")/.."
if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1920x1200x24" "$0" "$@"
fi
export TARMELO_E2E_TOOLS="$PWD/build/tests/e2e"
[ "$#" -gt 0 ] || set -- build/game
GAME_DIRS=""
for dir in "$@"; do GAME_DIRS="$GAME_DIRS $(cd "$dir" && pwd)"; done
BARE_WINDOW="$PWD/build/tools/scene_bench/bare_window"
PICTURES=${PICTURES:-full fast}
. tests/e2e/lib.sh

HUD_DIR=$(mktemp -d)
trap 'rm -rf "$HUD_DIR"' EXIT
export GALLIUM_HUD=fps GALLIUM_HUD_VISIBLE=false GALLIUM_HUD_PERIOD=1 GALLIUM_HUD_DUMP_DIR="$HUD_DIR"

# The largest level the game plays: a wall round 32 x 24 cells, inner walls, 32 crates and 32 goals, the
# keeper in the middle of a row with room to walk both ways.
LARGEST=$HUD_DIR/largest.xsb
cat >"$LARGEST" <<'EOF'
################################
#  $   .    #        .   $     #
#    ####   #   $  ####    .   #
# $  #  .   #      #   $   #   #
#    #   $  ####   #  .    #   #
#  . #      #   $  #     $ # . #
#    ###  ###   .  ###  ####   #
#  $      .   #        $     . #
#   .  $      #  ##    .   $   #
#      ###### #  ##  ####      #
# $  .     #   $   .    #  $ . #
#          #       @    #      #
#   $   .  #  $  .   $  #  .   #
#   ####   #####    #####   $  #
# .    #      $  .   #    .    #
#   $  #  .   ###    #  $    . #
#      #   $    #  . #      $  #
#  .   ###      # $  ###  .    #
#    $      .   #         $  . #
#  ####   $   ######   .  ###  #
#     #  .      $   #    $  .  #
# $ . #    $        #          #
#     #             #          #
################################
Title: Largest
EOF

ticks=$(getconf CLK_TCK)
now_ms() { date +%s%3N; }
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$GAME_PID/stat"; }
fps_lines() { wc -l <"$HUD_DIR/fps" 2>/dev/null || echo 0; }
# Percent of one core used by the game over the given seconds; FPS is set to the median of the counter's
# readings taken meanwhile (the first, partly outside, is left out). FIGURE holds both.
measure_for() {
    before=$(cpu_ticks)
    first=$(($(fps_lines) + 2))
    sleep "$1"
    after=$(cpu_ticks)
    last=$(fps_lines)
    FPS=$(sed -n "${first},${last}p" "$HUD_DIR/fps" | sort -n |
        awk '{ v[NR] = $1 } END { if (NR == 0) print "-"; else printf "%.1f", v[int((NR + 1) / 2)] }')
    CPU=$(awk -v t=$((after - before)) -v hz="$ticks" -v s="$1" 'BEGIN { printf "%.1f", 100 * t / hz / s }')
    FIGURE="$CPU % of a core, $FPS frames/s (load $(cut -d' ' -f1 /proc/loadavg))"
}

# The window at the top-left corner of the screen in the client size $1 x $2, the pointer over it again (so
# that keys reach it without a window manager); a second for the game to draw at the new size.
window_size() {
    xdotool windowmove "$window" 0 0 windowsize "$window" "$1" "$2"
    xdotool mousemove --window "$window" 400 300
    sleep 1
}

# Walking to and fro along the keeper's row for about 9 seconds (a step into a wall is a bump, the next
# step a walk, whatever the level looks like), measured meanwhile.
measure_walking() {
    (
        for i in 1 2 3 4 5 6 7; do
            press Right 0.75
            press Left 0.75
        done
    ) &
    walker=$!
    sleep 0.5
    measure_for 9
    wait "$walker"
}

# A figure's line, after the game directory's name when there are several.
several=""
[ "$(echo "$GAME_DIRS" | wc -w)" -gt 1 ] && several=yes
report() {
    if [ -n "$several" ]; then echo "$GAME_DIR: $*"; else echo "$*"; fi
}

# One run with the picture setting $1 on level 1 (no $2) or on the collection file $2: the title and the
# menu (level 1 only), then play standing and walking at 800 x 600 and at 1920 x 1080; on the largest
# level also with the lamp on. The first run of each game also times the start and, after a minute, the
# peak memory.
measure_run() {
    picture=$1 level=${2:-} name="level 1" shot=level1
    [ -n "$level" ] && name="the largest level" shot=largest
    new_scratch
    echo "picture = $picture" >"$SCRATCH/config/ZUR/Tarmelo3D/settings.txt"
    started=$(now_ms)
    # shellcheck disable=SC2086  # the level file, when one is given
    (cd "$GAME_DIR" && PROGRAMDATA="$SCRATCH/programdata" XDG_CONFIG_HOME="$SCRATCH/config" \
        exec ./tarmelo3d $level >"$GAME_OUT" 2>&1) &
    GAME_PID=$!
    window=$(game_window)
    until [ "$(probe_count yellow 0 588 800 12)" -ge 20 ]; do sleep 0.02; done
    title_ms=$(($(now_ms) - started))
    if [ -z "$level" ]; then
        [ -f "$(first_run_mark)" ] || report "start to first title frame: ${title_ms} ms"
        measure_for 10
        report "$picture, 800x600, idle on the title: $FIGURE"
        window_size 1920 1080
        measure_for 10
        report "$picture, 1920x1080, idle on the title: $FIGURE"
        window_size 800 600
        press space
        sleep 2 # the logo fades out behind the menu
        measure_for 10
        report "$picture, 800x600, idle in the menu over the board: $FIGURE"
    else
        leave_title
    fi
    profile_dialogue 1 "measure" "pw"
    sleep 1
    measure_for 10
    report "$picture, 800x600, play on $name, standing, shadows on: $FIGURE"
    measure_walking
    report "$picture, 800x600, play on $name, walking, shadows on: $FIGURE"
    window_size 1920 1080
    measure_for 10
    report "$picture, 1920x1080, play on $name, standing, shadows on: $FIGURE"
    if [ -n "${SHOTS:-}" ]; then
        mkdir -p "$SHOTS"
        # shellcheck disable=SC2046  # the folder above the game directory, to tell several apart
        [ -n "$several" ] && shot="$(basename $(dirname "$GAME_DIR"))-$shot"
        "$TARMELO_E2E_TOOLS/x11_screenshot" "$window" "$SHOTS/$picture-$shot-1920x1080.png" ||
            echo "no screenshot of $picture on $name" >&2
    fi
    measure_walking
    report "$picture, 1920x1080, play on $name, walking, shadows on: $FIGURE"
    if [ -n "$level" ]; then
        press l
        sleep 1
        measure_for 10
        report "$picture, 1920x1080, play on $name, standing, shadows on, lamp on: $FIGURE"
        measure_walking
        report "$picture, 1920x1080, play on $name, walking, shadows on, lamp on: $FIGURE"
    fi
    if [ ! -f "$(first_run_mark)" ]; then
        elapsed=$((($(now_ms) - started) / 1000))
        [ "$elapsed" -lt 60 ] && sleep $((60 - elapsed))
        awk '/VmHWM/ { print $2 }' "/proc/$GAME_PID/status" >"$(first_run_mark)"
    fi
    stop_game
}

# The file that holds the peak memory of the game directory's first run, once it has run.
first_run_mark() { echo "$HUD_DIR/peak-$(echo "$GAME_DIR" | cksum | cut -d' ' -f1)"; }

echo "load average at the start: $(cut -d' ' -f1-3 /proc/loadavg)"
for picture in $PICTURES; do
    for level in "" "$LARGEST"; do
        for GAME_DIR in $GAME_DIRS; do
            measure_run "$picture" "$level"
        done
    done
done
unset GALLIUM_HUD GALLIUM_HUD_VISIBLE GALLIUM_HUD_PERIOD GALLIUM_HUD_DUMP_DIR
bare=$("$BARE_WINDOW" 60 | sed -n 's/.*: \([0-9]*\) MB/\1/p')
first_picture=$(echo "$PICTURES" | cut -d' ' -f1)
for GAME_DIR in $GAME_DIRS; do
    report "peak resident memory over one minute ($first_picture, level 1, both window sizes):" \
        "$(($(cat "$(first_run_mark)") / 1024)) MB (a bare window of 800x600: ${bare} MB)"
done
echo "load average at the end: $(cut -d' ' -f1-3 /proc/loadavg)"
