# Shared steps of the end-to-end tests (sourced): run the real game under xvfb-run, find its window, press
# keys the way a player does.

# Start the game in the background (its arguments given to it) with a scratch profile folder and settings
# folder, both output streams in GAME_OUT; sets GAME_PID, GAME_OUT and SCRATCH.
start_game() {
    new_scratch
    (cd "$GAME_DIR" && PROGRAMDATA="$SCRATCH/programdata" XDG_CONFIG_HOME="$SCRATCH/config" \
        exec ./tarmelo3d "$@" >"$GAME_OUT" 2>&1) &
    GAME_PID=$!
}

# The game's window id, waiting up to a minute; the pointer goes over it, so that keys reach it without a
# window manager. One search waits on one connection to the X server: Xvfb now and then drops a connection
# that opens just as another closes, and the game's own, opened as it starts, must not meet a search
# started every tenth of a second. A search that ended on an X error (a window gone while it looked at it)
# is started again.
game_window() {
    window_from=$(date +%s) found=""
    while [ -z "$found" ]; do
        window_left=$((60 - ($(date +%s) - window_from)))
        [ "$window_left" -gt 0 ] || break
        found=$(timeout "$window_left" xdotool search --sync --onlyvisible --name '^TARMELO 3D$' 2>/dev/null |
            head -n 1)
        [ -n "$found" ] || sleep 0.5
    done
    [ -n "$found" ] && xdotool mousemove --window "$found" 400 300
    echo "$found"
}

# A rectangle of the window (x, y from the top-left, width, height) measured by x11_probe, again when the
# X server dropped the helper's connection (see game_window).
probe() {
    for _ in 1 2 3; do
        "$TARMELO_E2E_TOOLS/x11_probe" "$window" "$@" && return 0
        sleep 0.2
    done
    return 1
}

# The count of one class of pixels (bright, yellow, green, dark) in a rectangle of the window.
probe_count() {
    class=$1
    shift
    probe "$@" | sed -n "s/.* $class \([0-9]*\).*/\1/p"
}

# Wait up to $1 seconds (whole ones) until the command after it succeeds, trying every tenth of a second.
# (Its clock is shared: the command must not wait_until itself.)
wait_until() {
    waited_from=$(date +%s)
    wait_seconds=$1
    shift
    until "$@"; do
        [ $(($(date +%s) - waited_from)) -ge "$wait_seconds" ] && return 1
        sleep 0.1
    done
}

# Wait up to a minute for the title screen's yellow prompt in the bottom rows (start-up takes a second or
# more on a software renderer, many more on a busy machine).
title_shown() { [ "$(probe_count yellow 0 588 800 12)" -ge 20 ]; }
# The title, within $1 s (2 minutes by default: the start loads every model and sound, slowly on a busy
# machine).
wait_for_title() { wait_until "${1:-120}" title_shown; }

# Hold a key for longer than a frame: the game reads key state once per frame.
press() {
    xdotool keydown "$1"
    sleep "${2:-0.25}"
    xdotool keyup "$1"
}

# Wait up to $1 seconds for the game to exit; sets GAME_STATUS (124 when it did not).
game_ended() { ! kill -0 "$GAME_PID" 2>/dev/null; }
wait_for_exit() {
    GAME_STATUS=124
    wait_until "$1" game_ended || return 0
    wait "$GAME_PID" && GAME_STATUS=0 || GAME_STATUS=$?
}

stop_game() {
    kill "$GAME_PID" 2>/dev/null || true
    wait "$GAME_PID" 2>/dev/null || true
    rm -rf "$SCRATCH"
}

# Ask the game's window to close with the helper $1, again when the X server dropped its connection.
request_close() {
    for _ in 1 2 3; do
        "$1" "$window" && return 0
        sleep 0.2
    done
    return 1
}

fail() {
    echo "FAIL: $*" >&2
    [ -f "$GAME_OUT" ] && sed 's/^/  game: /' "$GAME_OUT" >&2
    stop_game
    exit 1
}

# A fresh scratch folder with an empty profile folder and a settings folder of its own, so that the
# developer's own settings never change a test, with the picture pinned to "Full" whatever the renderer; sets
# SCRATCH and GAME_OUT as start_game does.
new_scratch() {
    SCRATCH=$(mktemp -d)
    GAME_OUT=$SCRATCH/stdout.txt
    mkdir -p "$SCRATCH/programdata" "$SCRATCH/config/ZUR/Tarmelo3D"
    echo "picture = full" >"$SCRATCH/config/ZUR/Tarmelo3D/settings.txt"
}

# Start the game from the directory $1 with the scratch profile and settings folders, standard output
# appended to GAME_OUT, standard error beside it; further arguments run it through a command (another user).
launch_game() {
    game_dir=$1
    shift
    (cd "$game_dir" && PROGRAMDATA="$SCRATCH/programdata" XDG_CONFIG_HOME="$SCRATCH/config" \
        exec "$@" ./tarmelo3d >>"$GAME_OUT" 2>>"$SCRATCH/stderr.txt") &
    GAME_PID=$!
}

# Pen positions (y up from the bottom) of the HUD's name, steps and level lines and of the middle line (the
# menu's first item and messages, "DEMO"); the menu centres a text by 16 pixels per character.
HUD_NAME_Y=576
HUD_STEPS_Y=552
HUD_LEVEL_Y=528
HUD_PUSHES_Y=504
MIDDLE_Y=300
centred_x() {
    echo $((400 - 16 * ${#1}))
}

# Wait up to $1 s until the large-font line at pen ($2, $3) reads $4 and none of the further texts; the
# last scores are kept in TEXT_SCORES for the failure message. TEXT_FONT, when set, names another font
# image (the small font, Textures/Text.tga).
wait_for_text() {
    seconds=$1 pen_x=$2 pen_y=$3
    shift 3
    for _ in 1 2 3; do
        if TEXT_SCORES=$("$TARMELO_E2E_TOOLS/text_match" --wait "$seconds" "$window" \
            "${TEXT_FONT:-$GAME_DIR/Textures/Swords.tga}" "$pen_x" "$pen_y" "$@"); then
            text_status=0
        else
            text_status=$?
        fi
        # 1: the window could not be read, as when the X server dropped the connection: once more.
        [ "$text_status" -eq 1 ] || break
        sleep 0.2
    done
    TEXT_SCORES=$(echo "$TEXT_SCORES" | tr '\n' ';')
    return "$text_status"
}

wait_for_middle_text() {
    seconds=$1 text=$2
    shift 2
    wait_for_text "$seconds" "$(centred_x "$text")" "$MIDDLE_Y" "$text" "$@"
}

# The main page's items: four until a profile is loaded, then "Choose Level" before "Settings" and "Quit".
# MAIN_COUNT holds how many the page shows (main_page_count reads it); item k of n has its pen at
# y 300 - 30 (k - n/2).
MAIN_COUNT=4
main_item() {
    case $1.$2 in
        1.*) echo "Create New Profile" ;;
        2.*) echo "Load Profile" ;;
        3.5) echo "Choose Level" ;;
        3.4 | 4.5) echo "Settings" ;;
        *) echo "Quit" ;;
    esac
}
main_item_pen_y() { echo $((300 - 30 * ($1 - MAIN_COUNT / 2))); }

# Wait up to $1 s for the menu's main page: any one of its lines read is enough (the grey, unselected ones
# read less surely over the scene), in either layout.
wait_for_main_page() {
    page_started=$(date +%s)
    while :; do
        wait_for_text 0.3 336 240 "Quit" && return 0
        wait_for_text 0.3 336 210 "Quit" && return 0
        wait_for_text 0.3 112 330 "Create New Profile" && return 0
        wait_for_text 0.3 208 300 "Load Profile" && return 0
        wait_for_text 0.3 208 270 "Choose Level" && return 0
        wait_for_text 0.3 272 270 "Settings" && return 0
        wait_for_text 0.3 272 240 "Settings" && return 0
        [ $(($(date +%s) - page_started)) -ge "$1" ] && return 1
    done
}

# Sets MAIN_COUNT from the lines under "Load Profile": "Choose Level", "Settings", "Quit" or "Settings",
# "Quit". Any one line that reads as its layout's is enough. A grey line over the bright floor can read too
# poorly, the white selected one never does: when none has read for a while, Down moves the selection onto
# the lines that tell the layouts apart (menu_choose moves it where it wants it afterwards). Fails when no
# line reads within 30 s.
main_page_count() {
    count_started=$(date +%s) count_tries=0
    while :; do
        wait_for_text 0.3 208 270 "Choose Level" "Settings" && { MAIN_COUNT=5; return 0; }
        wait_for_text 0.3 272 240 "Settings" "Quit" && { MAIN_COUNT=5; return 0; }
        wait_for_text 0.3 336 210 "Quit" && { MAIN_COUNT=5; return 0; }
        wait_for_text 0.3 272 270 "Settings" "Choose Level" && { MAIN_COUNT=4; return 0; }
        wait_for_text 0.3 336 240 "Quit" "Settings" && { MAIN_COUNT=4; return 0; }
        [ $(($(date +%s) - count_started)) -ge 30 ] && return 1
        count_tries=$((count_tries + 1))
        [ $((count_tries % 2)) -eq 0 ] && menu_key Down
    done
}

# Whether line $1 of the main page (in its layout of MAIN_COUNT items) reads as its item, within 0.3 s.
main_page_line() {
    item=$(main_item "$1" "$MAIN_COUNT")
    wait_for_text 0.3 $((400 - 16 * ${#item})) "$(main_item_pen_y "$1")" "$item"
}

# Press key $1 until the command after $2 succeeds within $2 s, at most three times: a frame longer than
# the press never sees it. Only for keys whose second press does no harm.
press_until() {
    key=$1 press_seconds=$2
    shift 2
    for _ in 1 2 3; do
        press "$key" 0.4
        pressed_at=$(date +%s)
        until "$@"; do
            [ $(($(date +%s) - pressed_at)) -ge "$press_seconds" ] && continue 2
            sleep 0.1
        done
        return 0
    done
    return 1
}

# Press key $1 until the page it is pressed on has gone, at most three times: the command after it tells
# whether that page still shows. The menu acts on a key in the frame that reads it and draws what follows
# as soon as the key is up, so a page still shown 10 s after the release never saw the key.
press_leaving() {
    key=$1
    shift
    for _ in 1 2 3; do
        menu_key "$key"
        wait_until 10 page_gone "$@" && return 0
    done
    return 1
}
page_gone() { ! "$@"; }

# From the title: Space until the menu's main page shows (the first game frame, after the game's song is
# loaded, can take seconds on a busy machine; Space does nothing on the main page).
leave_title() {
    press_until space 20 wait_for_main_page 1 || fail "no menu after the title: $TEXT_SCORES"
}

# After a start: find the window, wait for the title, leave it with Space and wait for the menu.
reach_menu() {
    window=$(game_window)
    [ -n "$window" ] || fail "no window titled TARMELO 3D appeared"
    wait_for_title || fail "the title screen did not appear"
    leave_title
}

# One menu key, held over a few frames (the menu acts once per press), then a pause so that the release
# is seen before the next press (within one event poll the two would merge).
menu_key() {
    press "$1" 0.5
    sleep 0.2
}

# The item selected on the main page (of MAIN_COUNT items), told by its lines (characters, top row): the
# selected one white, with $1 white pixels per character at least, the others grey, with fewer than $2; 0
# when the lines show anything else. The defaults fit the font's letters over the scene.
selected_item() {
    white=${1:-40} grey=${2:-10} found=0 line=0
    while [ "$line" -lt "$MAIN_COUNT" ]; do
        line=$((line + 1))
        item=$(main_item "$line" "$MAIN_COUNT")
        characters=${#item}
        width=$((32 * characters))
        top=$((600 - $(main_item_pen_y "$line") - 32))
        bright=$(probe_count bright $((400 - width / 2)) "$top" "$width" 32)
        if [ "${bright:-0}" -ge $((white * characters)) ]; then
            if [ "$found" -eq 0 ]; then found=$line; else found=-1; fi
        elif [ "${bright:-0}" -ge $((grey * characters)) ]; then
            found=-1
        fi
    done
    [ "$found" -gt 0 ] && echo "$found" || echo 0
}
selection_left() { [ "$(selected_item)" != "$1" ]; }

# Choose the main page's item named $1: Up or Down, each pressed again when the selection did not move (a
# frame longer than the press missed it), then Enter until the page has gone.
menu_choose() {
    main_page_count || { keep_picture "menu"; fail "the menu's main page could not be read: $TEXT_SCORES"; }
    target=1
    while [ "$(main_item "$target" "$MAIN_COUNT")" != "$1" ]; do
        [ "$target" -ge "$MAIN_COUNT" ] && fail "no item \"$1\" on the menu's main page"
        target=$((target + 1))
    done
    presses=0
    while :; do
        selected=$(selected_item)
        [ "$selected" = "$target" ] && break
        [ "$presses" -ge 10 ] && { keep_picture "menu"; fail "\"$1\" on the menu could not be selected"; }
        if [ "$selected" -eq 0 ]; then
            sleep 0.5
        elif [ "$selected" -lt "$target" ]; then
            menu_key Down
            wait_until 10 selection_left "$selected" || true
        else
            menu_key Up
            wait_until 10 selection_left "$selected" || true
        fi
        presses=$((presses + 1))
    done
    press_leaving Return main_page_up "$target" || fail "Enter did not choose \"$1\" on the menu"
}
main_page_up() { ! game_ended && main_page_line "$1"; }

# Keep what the window shows for a failure report, beside the X helpers, and name it in TEXT_SCORES.
keep_picture() {
    picture="$TARMELO_E2E_TOOLS/failure-$(basename "$0" .sh)-$1.png"
    "$TARMELO_E2E_TOOLS/x11_screenshot" "$window" "$picture" &&
        TEXT_SCORES="$TEXT_SCORES (the window is in $picture)"
}

# Type $1 into an entry page's field (the second line, text and blinking mark centred) one character at a
# time, each once the field shows the ones before it: the menu takes one character per frame, and a second
# one typed within a frame replaces the first.
type_text() {
    typed="" rest=$1
    while [ -n "$rest" ]; do
        tail=${rest#?}
        character=${rest%"$tail"}
        rest=$tail
        xdotool type "$character"
        typed=$typed$character
        wait_for_text 10 $((400 - 16 * (${#typed} + 1))) 270 "$typed" || return 1
    done
}

# Type $1 on an entry page until the field shows it; a field that went wrong is cleared and typed again.
enter_text() {
    attempts=0
    while :; do
        type_text "$1" && return 0
        attempts=$((attempts + 1))
        if [ "$attempts" -ge 3 ]; then
            keep_picture "entry"
            return 1
        fi
        cleared=0
        while [ "$cleared" -lt $((${#1} + 2)) ]; do
            menu_key BackSpace
            cleared=$((cleared + 1))
        done
    done
}

# From the main page: create (1) or load (2) the profile $2 with the password $3. The load page's name
# field starts with the profile loaded last with this settings folder: when that is $2, it is kept (a
# field that starts with another name fails the typing).
profile_dialogue() {
    menu_choose "$(main_item "$1" "$MAIN_COUNT")"
    wait_for_middle_text 30 "Enter profile name:" "Enter password:" || fail "no name page: $TEXT_SCORES"
    if [ "$1" -ne 2 ] || ! wait_for_text 1 $((400 - 16 * (${#2} + 1))) 270 "$2"; then
        enter_text "$2" || fail "the name field does not show \"$2\": $TEXT_SCORES"
    fi
    press_leaving Return wait_for_middle_text 0 "Enter profile name:" "Enter password:" ||
        fail "Enter did not leave the name page"
    wait_for_middle_text 30 "Enter password:" "Enter profile name:" || fail "no password page: $TEXT_SCORES"
    enter_text "$3" || fail "the password field does not show \"$3\": $TEXT_SCORES"
    press_leaving Return wait_for_middle_text 0 "Enter password:" "Enter profile name:" ||
        fail "Enter did not leave the password page"
}

# From the main page: choose "Quit" and fail unless the game exits with status 0 ($1, when given, says
# which run in the failure).
quit_from_main_page() {
    menu_choose "Quit"
    wait_for_exit 60
    [ "$GAME_STATUS" -eq 0 ] || fail "exit status $GAME_STATUS after Quit${1:+ $1}"
}

# From play: open the menu (Escape again only if it did not open: in the menu it goes back to play), then
# quit as above.
quit_by_menu() {
    press_until Escape 10 wait_for_main_page 1 || fail "Escape did not open the menu: $TEXT_SCORES"
    quit_from_main_page "$@"
}

# Taps of key $1 (a move or an undo) until the HUD's step counter goes from $2 to $3; $4, when given,
# says the move may solve the level. x11_tap holds the key for one frame; a tap that no frame saw, or that
# came during a glide, moves nothing and is repeated. On a busy machine two frames can still read one tap,
# and a glide can end within a frame: a step too many is taken back with U (an undo taken twice is a
# failure). After the solving push it stays (undo is refused once a solved level ends): the logo fading in
# over the board says so. (A tap whose connection the X server dropped presses nothing and is repeated.)
# The pause after a move is its glide, 10 ticks of the game's clock, which catches up with real time
# whatever the frame rate. Returns 1 when the counter never reached $3, 2 when an undo was taken twice.
tap_step() {
    key=$1 from=$2 next=$3 may_solve=${4:-}
    beyond=$((2 * next - from)) tapped=$1 taps=0
    while [ "$taps" -lt 8 ]; do
        tap_status=0
        "$TARMELO_E2E_TOOLS/x11_tap" "$window" "$tapped" || tap_status=$?
        if [ "$tap_status" -eq 3 ]; then
            TEXT_SCORES="the window showed no new frame for a minute"
            return 1
        fi
        TAPS=$((TAPS + 1))
        taps=$((taps + 1))
        if wait_for_text 2 0 "$HUD_STEPS_Y" "Steps taken $next" "Steps taken $from" "Steps taken $beyond"
        then
            sleep 0.25
            return 0
        fi
        if wait_for_text 0 0 "$HUD_STEPS_Y" "Steps taken $beyond" "Steps taken $next" "Steps taken $from"
        then
            [ "$key" = u ] && { keep_picture "move"; return 2; }
            if [ -n "$may_solve" ] && wait_until 60 logo_over_board; then
                echo "$key was read twice by the frames that ended the level" >&2
                return 0
            fi
            may_solve=""
            echo "$key was read twice: U takes the step back" >&2
            tapped=u
        else
            tapped=$key
        fi
    done
    keep_picture "move"
    return 1
}
logo_over_board() { [ "$(probe_count yellow 80 150 640 120)" -gt 400 ]; }
arrow_move() { tap_step "$1" "$2" $(($2 + 1)) "${3:-}"; }

# Play a LURD move list (lower case walks, upper case pushes), failing on the move that did not happen;
# the HUD's step counter starts at $2 (0 when not given).
play_moves() {
    moves=$1
    count=${2:-0}
    TAPS=0
    while [ -n "$moves" ]; do
        rest=${moves#?}
        letter=${moves%"$rest"}
        moves=$rest
        case $letter in
            l | L) key=Left ;;
            u | U) key=Up ;;
            r | R) key=Right ;;
            d | D) key=Down ;;
            *) fail "unknown move letter '$letter'" ;;
        esac
        # shellcheck disable=SC2046  # "last" or nothing
        arrow_move "$key" "$count" $([ -n "$moves" ] || echo last) || {
            [ "$?" -eq 2 ] && made="two steps" || made="no step"
            fail "move $((count + 1)) ($key) made $made: $TEXT_SCORES"
        }
        count=$((count + 1))
    done
    echo "played up to step $count with $TAPS taps"
}

# The 72-byte records of a profile file as hex, one record per line (a cut record on a shorter line).
profile_records_of() {
    od -An -v -tx1 -w72 "$1" | tr -d ' '
}

# Whether the first record of profile file $1 holds level $2 (below 256).
profile_level_is() {
    [ -f "$1" ] && [ "$(profile_records_of "$1" | head -n 1 | cut -c137-144)" = "$(printf '%02x000000' "$2")" ]
}

# One byte, given as a number.
put_byte() {
    # shellcheck disable=SC2059  # the format is the octal escape of the byte
    printf "\\$(printf '%03o' "$1")"
}

# A profile record for name $1, password $2, level $3: the name's bytes plus 64, zero-filled to 33; the
# 32-letter verification text, each byte XOR (password byte + 128), the password repeated; three zero
# bytes; the level as 32-bit little-endian.
profile_record() {
    written=0
    for code in $(printf '%s' "$1" | od -An -v -tu1); do
        put_byte $(((code + 64) % 256))
        written=$((written + 1))
    done
    while [ "$written" -lt 33 ]; do
        put_byte 0
        written=$((written + 1))
    done
    keys=$(printf '%s' "$2" | od -An -v -tu1 | tr -s ' \n' '  ')
    key_count=$(echo $keys | wc -w)
    i=0
    for code in $(printf 'lanternslanternslanternslanterns' | od -An -v -tu1); do
        key=$(echo $keys | cut -d ' ' -f $((i % key_count + 1)))
        put_byte $((code ^ ((key + 128) % 256)))
        i=$((i + 1))
    done
    put_byte 0
    put_byte 0
    put_byte 0
    level=$3
    for _ in 1 2 3 4; do
        put_byte $((level % 256))
        level=$((level / 256))
    done
}

# The rows of level $2 of level file $1, counted as the game counts them: a header up to the first blank
# line, then runs of level rows (title lines between them are skipped).
level_rows() {
    awk -v want="$2" '
        header == 0 { if ($0 ~ /^ *\r?$/) header = 1; next }
        /^[#@+$*. ]+\r?$/ && $0 !~ /^ +\r?$/ { if (!inside) { count++; inside = 1 } if (count == want) print; next }
        { inside = 0 }
    ' "$1"
}

# "x y" of every cell of level $2 of file $1 holding one of the characters $3, row by row.
level_cells() {
    level_rows "$1" "$2" | awk -v chars="$3" '{ for (x = 1; x <= length($0); x++) if (index(chars, substr($0, x, 1))) print x - 1, NR - 1 }'
}

# "column row": the largest column and the largest row holding a wall, which set the mini-map's size.
level_wall_extent() {
    level_cells "$1" "$2" "#" | awk '$1 > x { x = $1 } $2 > y { y = $2 } END { print x, y }'
}
