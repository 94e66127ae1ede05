#!/bin/sh
# The real game's sound: with OpenAL Soft's wave writer as the device, the title plays music without a
# gap and Space ends it (the game song starts paused behind the menu); with the machine's own output (none
# under CI) the game runs and exits cleanly; neither prints anything about audio.
# Usage (under xvfb-run): audio_test.sh GAME-DIR CLOSE-HELPER
set -eu
GAME_DIR=$1
CLOSE_WINDOW=$2
. "$(dirname "$0")/lib.sh"

command -v sox >/dev/null 2>&1 || { echo "FAIL: sox is not installed" >&2; exit 1; }
CAPTURE=$(mktemp -d)
trap 'rm -rf "$CAPTURE"' EXIT

at_least() { awk -v a="$1" -v b="$2" 'BEGIN { exit !(a >= b) }'; }
plus() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.3f\n", a + b }'; }

# The wave writer mixes in step with the clock and appends as it goes, so the file's size tells how many
# seconds of sound it holds (its header's few bytes aside): where in the capture something seen on the
# screen happened. The bytes per second are in the header.
captured() {
    size=$(stat -c %s "$CAPTURE/mix.wav" 2>/dev/null || echo 0)
    rate=$(od -An -tu4 -j28 -N4 "$CAPTURE/mix.wav" 2>/dev/null | tr -d ' ')
    awk -v size="$size" -v rate="${rate:-0}" 'BEGIN { printf "%.3f\n", (rate > 0 ? size / rate : 0) }'
}
captured_past() { at_least "$(captured)" "$1"; }

# RMS level (full scale 1.0) of the capture from $1 seconds on, for $2 seconds; the length of the capture,
# and the same after its leading silence (the device opens before anything plays).
level() {
    sox -V1 "$CAPTURE/mix.wav" -n trim "$1" "$2" stat 2>&1 | awk '/RMS +amplitude/ { print $3 }'
}
length() {
    sox -V1 "$CAPTURE/mix.wav" -n "$@" stat 2>&1 | awk '/Length/ { print $3 }'
}

audio_noise() {
    grep -i -E 'alsa|al lib|openal|pulse|jack|audio|sound' "$GAME_OUT" || true
}

# ---- music on the title, through the wave writer ----
cat >"$CAPTURE/alsoft.conf" <<EOF
drivers = wave
[wave]
file = $CAPTURE/mix.wav
EOF
export ALSOFT_CONF="$CAPTURE/alsoft.conf"
start_game
window=$(game_window) || fail "no window titled TARMELO 3D appeared"
[ -n "$window" ] || fail "no window titled TARMELO 3D appeared"
wait_for_title || fail "the title screen did not appear"
# The title's song starts before its first frame: three seconds of it.
title_at=$(captured)
wait_until 60 captured_past "$(plus "$title_at" 3)" || fail "the capture stopped growing on the title"
leave_title
# The song was changed, and the new one paused, before the frame that shows the menu.
menu_at=$(captured)
wait_until 60 captured_past "$(plus "$menu_at" 1.5)" || fail "the capture stopped growing behind the menu"
request_close "$CLOSE_WINDOW" || fail "could not send WM_DELETE_WINDOW"
wait_for_exit 60
[ "$GAME_STATUS" -eq 0 ] || fail "exit status $GAME_STATUS with the wave writer as the device"
[ -z "$(audio_noise)" ] || fail "audio messages in the output: $(audio_noise)"
stop_game
unset ALSOFT_CONF

[ -s "$CAPTURE/mix.wav" ] || { echo "FAIL: the wave writer wrote nothing" >&2; exit 1; }
first_note=$(awk -v all="$(length)" -v rest="$(length silence 1 0.05 0.1%)" \
    'BEGIN { printf "%.3f\n", all - rest }')
at_least "$title_at" "$first_note" ||
    { echo "FAIL: no sound when the title showed ($title_at s), the first at $first_note s" >&2; exit 1; }
# Every quarter second of the title's first two holds music: no silence, no starved stream.
for quarter in 0 1 2 3 4 5 6 7; do
    start=$(plus "$first_note" "$(awk -v q="$quarter" 'BEGIN { print q / 4 }')")
    rms=$(level "$start" 0.25)
    at_least "$rms" 0.002 || { echo "FAIL: title music at ${start}s has RMS $rms" >&2; exit 1; }
done
# Behind the menu, from a little after it showed (the last stretch mixed can still be on its way into the
# file), for a second.
rms=$(level "$(plus "$menu_at" 0.3)" 1.0)
at_least 0.0005 "$rms" || { echo "FAIL: sound behind the menu (RMS $rms from $menu_at s)" >&2; exit 1; }

# ---- the machine's own output: under CI there is none ----
start_game
reach_menu
request_close "$CLOSE_WINDOW" || fail "could not send WM_DELETE_WINDOW"
wait_for_exit 60
[ "$GAME_STATUS" -eq 0 ] || fail "exit status $GAME_STATUS with the default audio output"
[ -z "$(audio_noise)" ] || fail "audio messages in the output: $(audio_noise)"
stop_game
echo "audio test passed"
