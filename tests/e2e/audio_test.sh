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

# RMS level (full scale 1.0) of the capture from $1 seconds on, for $2 seconds, after its leading silence
# (the device opens before anything plays).
level() {
    sox -V1 "$CAPTURE/mix.wav" -n silence 1 0.05 0.1% trim "$1" "$2" stat 2>&1 |
        awk '/RMS +amplitude/ { print $3 }'
}
at_least() { awk -v a="$1" -v b="$2" 'BEGIN { exit !(a >= b) }'; }

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
sleep 3  # the title with its song
press space
sleep 1.5  # the menu is open: the game song is paused
"$CLOSE_WINDOW" "$window" || fail "could not send WM_DELETE_WINDOW"
wait_for_exit 10
[ "$GAME_STATUS" -eq 0 ] || fail "exit status $GAME_STATUS with the wave writer as the device"
[ -z "$(audio_noise)" ] || fail "audio messages in the output: $(audio_noise)"
stop_game
unset ALSOFT_CONF

[ -s "$CAPTURE/mix.wav" ] || { echo "FAIL: the wave writer wrote nothing" >&2; exit 1; }
music=$(sox -V1 "$CAPTURE/mix.wav" -n silence 1 0.05 0.1% stat 2>&1 | awk '/Length/ { print $3 }')
at_least "$music" 3.0 || { echo "FAIL: only $music s of sound after the first note" >&2; exit 1; }
# Every quarter second of the title's first two holds music: no silence, no starved stream.
for start in 0 0.25 0.5 0.75 1 1.25 1.5 1.75; do
    rms=$(level "$start" 0.25)
    at_least "$rms" 0.002 || { echo "FAIL: title music at ${start}s has RMS $rms" >&2; exit 1; }
done
# The end of the file is the menu, the game song paused behind it.
menu_start=$(awk -v m="$music" 'BEGIN { print m - 1.0 }')
rms=$(level "$menu_start" 0.8)
at_least 0.0005 "$rms" || { echo "FAIL: sound behind the menu (RMS $rms)" >&2; exit 1; }

# ---- the machine's own output: under CI there is none ----
start_game
window=$(game_window) || fail "no window on the second start"
[ -n "$window" ] || fail "no window on the second start"
wait_for_title || fail "the title screen did not appear"
press space
sleep 0.5
"$CLOSE_WINDOW" "$window" || fail "could not send WM_DELETE_WINDOW"
wait_for_exit 10
[ "$GAME_STATUS" -eq 0 ] || fail "exit status $GAME_STATUS with the default audio output"
[ -z "$(audio_noise)" ] || fail "audio messages in the output: $(audio_noise)"
stop_game
echo "audio test passed"
