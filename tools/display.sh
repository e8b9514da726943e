# The virtual display (Xvfb) for the scripts that run the Windows build
# without a screen. Sourced by tools/wine-env.sh; wine_stop ends it.
#
#   start_display        starts Xvfb on the first free display from :90,
#                        waits for its socket and exports DISPLAY
#   stop_display         ends the Xvfb that start_display started (by PID)
#   save_window NAME OUT waits for the X window NAME to be mapped and saves
#                        a PNG of it (needs x11-utils and imagemagick)

QUILLMATE_XVFB_PID=

start_display() {
    local n tries
    for n in $(seq 90 140); do
        [[ -e /tmp/.X11-unix/X$n || -e /tmp/.X$n-lock ]] && continue
        Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
        QUILLMATE_XVFB_PID=$!
        for tries in $(seq 1 200); do
            # The display is ours only when the lock names our Xvfb: one
            # started at the same moment by another script may hold it.
            if [[ -S /tmp/.X11-unix/X$n &&
                $(tr -d ' \n' </tmp/.X$n-lock 2>/dev/null) == "$QUILLMATE_XVFB_PID" ]]; then
                export DISPLAY=:$n
                return 0
            fi
            # Another process may have taken the display first: try the next.
            kill -0 "$QUILLMATE_XVFB_PID" 2>/dev/null || break
            sleep 0.05
        done
        stop_display
    done
    echo "could not start Xvfb" >&2
    return 1
}

stop_display() {
    [[ -n $QUILLMATE_XVFB_PID ]] || return 0
    kill "$QUILLMATE_XVFB_PID" 2>/dev/null || true
    wait "$QUILLMATE_XVFB_PID" 2>/dev/null || true
    QUILLMATE_XVFB_PID=
}

# The absolute "X Y WIDTH HEIGHT" of the first mapped window called NAME.
window_geometry() {
    { xwininfo -name "$1" 2>/dev/null || true; } | awk '
        /Absolute upper-left X:/ { x = $NF }
        /Absolute upper-left Y:/ { y = $NF }
        /^ *Width:/ { w = $NF }
        /^ *Height:/ { h = $NF }
        /Map State: IsViewable/ { shown = 1 }
        END { if (shown) print x, y, w, h }'
}

save_window() {
    local name=$1 out=$2 geometry= _
    for _ in $(seq 1 200); do
        geometry=$(window_geometry "$name")
        [[ -n $geometry ]] && break
        sleep 0.1
    done
    [[ -n $geometry ]] || { echo "no window \"$name\" appeared" >&2; return 1; }
    sleep 1 # let the first paint finish
    local x y w h
    read -r x y w h <<<"$geometry"
    import -window root -crop "${w}x${h}+${x}+${y}" +repage "$out"
}
