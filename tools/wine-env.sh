# The one Wine setup of the scripts that run the Windows build. Source it
# after setting ROOT to the repository root.
#
# The project keeps its own prefix under build/, never the user's ~/.wine.
# LC_ALL=zh_CN.UTF-8 makes the ANSI code page 936, even without a generated
# glibc locale; it is set only for Wine's processes.
#
#   wine_boot      creates the prefix, or brings an existing one up to date
#   wine_run       runs a Windows program (under a time limit)
#   wine_stop      ends the prefix's Wine processes and our virtual display
#   start_display  starts a virtual display (tools/display.sh)

export WINEPREFIX=${QUILLMATE_WINEPREFIX:-$ROOT/build/wineprefix}
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=" # no Mono or Gecko install prompts

source "$ROOT/tools/display.sh"

# Raise this when packaging/wine-prefix.reg changes: prefixes made before get
# the new settings on their next wine_boot.
QUILLMATE_WINE_SETTINGS_VERSION=3
QUILLMATE_WINE_SETTINGS_MARK=$WINEPREFIX/quillmate-settings

# The registry settings that every prefix running the game shares (the Debian
# package's launcher imports the same file).
wine_settings() {
    [[ -f /usr/share/wine/fonts/marlett.ttf ]] ||
        echo "warning: no Marlett font (fonts-wine); title bar buttons show letters" >&2
    LC_ALL=zh_CN.UTF-8 timeout 60 wine reg import "Z:$ROOT/packaging/wine-prefix.reg" >/dev/null
    # reg returns before the registry is written; wait for wineserver.
    timeout 60 wineserver -w
}

# Creates the prefix on first use (a few seconds; later runs reuse it) and
# applies the settings to a prefix that lacks them.
wine_boot() {
    if [[ ! -f $WINEPREFIX/system.reg ]]; then
        echo "Creating the Wine prefix $WINEPREFIX"
        mkdir -p "$(dirname "$WINEPREFIX")"
        # Wine reports its progress on stderr, and that it has no 32-bit part.
        # A first boot that fails (a wineserver still going down, a busy
        # machine) is reported and tried once more from an empty prefix.
        local log=$WINEPREFIX-boot.log try
        for try in 1 2; do
            LC_ALL=zh_CN.UTF-8 timeout 300 wineboot -i >"$log" 2>&1 && break
            echo "wineboot failed (try $try, $(wine --version 2>&1)):" >&2
            cat "$log" >&2
            [[ $try == 2 ]] && return 1
            wineserver -k 2>/dev/null || true
            timeout 10 wineserver -w 2>/dev/null || true
            rm -rf "$WINEPREFIX"
            sleep 2
        done
    fi
    [[ $(cat "$QUILLMATE_WINE_SETTINGS_MARK" 2>/dev/null) == "$QUILLMATE_WINE_SETTINGS_VERSION" ]] &&
        return 0
    wine_settings
    echo "$QUILLMATE_WINE_SETTINGS_VERSION" >"$QUILLMATE_WINE_SETTINGS_MARK"
}

# wine_run [timeout seconds] PROGRAM ARGS...: runs a Windows program.
wine_run() {
    local limit=300
    [[ $1 =~ ^[0-9]+$ ]] && {
        limit=$1
        shift
    }
    LC_ALL=zh_CN.UTF-8 timeout "$limit" wine "$@"
}

# Ends this prefix's wineserver and every Wine process in it, then the
# virtual display if start_display started one.
wine_stop() {
    wineserver -k 2>/dev/null || true
    # Let Wine's processes go before their display does.
    timeout 10 wineserver -w 2>/dev/null || true
    stop_display
}
