#!/usr/bin/env bash
# Runs a command on an X server of its own, as a user meets the program:
#   with-x-server.sh [--wm] [--screen WxHxD] [--fresh-home] -- command args...
# --wm starts openbox and waits until it manages windows, because window
# placement and frame faults show only under a window manager. Each run takes
# a free display number from the server itself (-displayfd), so parallel
# test runs never share a screen. The command's exit status is returned.
set -uo pipefail

wm=0
screen=1280x1024x24
fresh_home=0
while [[ $# -gt 0 ]]; do
    case "$1" in
    --wm) wm=1; shift ;;
    --screen) screen="$2"; shift 2 ;;
    --fresh-home) fresh_home=1; shift ;;
    --) shift; break ;;
    *) break ;;
    esac
done
[[ $# -gt 0 ]] || { echo "usage: $0 [--wm] [--screen WxHxD] [--fresh-home] -- command..." >&2; exit 2; }

scratch=$(mktemp -d "${TMPDIR:-/tmp}/morvane-x.XXXXXX")
xpid=""
wmpid=""
cleanup() {
    [[ -n "$wmpid" ]] && kill "$wmpid" 2>/dev/null
    [[ -n "$xpid" ]] && kill "$xpid" 2>/dev/null
    wait 2>/dev/null
    rm -rf "$scratch"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

Xvfb -displayfd 3 -screen 0 "$screen" -nolisten tcp -noreset 3>"$scratch/display" 2>"$scratch/xvfb.log" &
xpid=$!
for _ in $(seq 200); do
    [[ -s "$scratch/display" ]] && break
    kill -0 "$xpid" 2>/dev/null || { cat "$scratch/xvfb.log" >&2; exit 1; }
    sleep 0.05
done
[[ -s "$scratch/display" ]] || { echo "Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$(head -n1 "$scratch/display")"
export QT_QPA_PLATFORM=xcb

if [[ $fresh_home -eq 1 ]]; then
    export HOME="$scratch/home"
    mkdir -p "$HOME"
    unset XDG_CONFIG_HOME XDG_DATA_HOME XDG_STATE_HOME XDG_CACHE_HOME
fi

if [[ $wm -eq 1 ]]; then
    # openbox's own config and session live in a HOME of their own, so the
    # user's or the test's HOME is left as it was.
    mkdir -p "$scratch/wmhome"
    HOME="$scratch/wmhome" openbox --sm-disable >"$scratch/openbox.log" 2>&1 &
    wmpid=$!
    # A window manager announces itself on the root window once it runs.
    for _ in $(seq 200); do
        xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
        kill -0 "$wmpid" 2>/dev/null || { cat "$scratch/openbox.log" >&2; exit 1; }
        sleep 0.05
    done
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' ||
        { echo "openbox did not start" >&2; exit 1; }
fi

"$@"
