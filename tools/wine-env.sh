# Wine settings shared by the scripts that run the Windows build. Source it
# after setting ROOT to the repository root.
#
# The project keeps its own prefix under build/, never the user's ~/.wine.
# LC_ALL=zh_CN.UTF-8 makes the ANSI code page 936, even without a generated
# glibc locale; it is set only for Wine's processes.

export WINEPREFIX=${QUILLMATE_WINEPREFIX:-$ROOT/build/wineprefix}
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="  # no Mono or Gecko install prompts

# Creates the prefix on first use (a few seconds; later runs reuse it).
wine_boot() {
    [[ -f $WINEPREFIX/system.reg ]] && return 0
    echo "Creating the Wine prefix $WINEPREFIX"
    mkdir -p "$(dirname "$WINEPREFIX")"
    # Wine reports its progress on stderr, and that it has no 32-bit part.
    local log=$WINEPREFIX-boot.log
    LC_ALL=zh_CN.UTF-8 timeout 300 wineboot -i >"$log" 2>&1 || {
        cat "$log"
        return 1
    }
    # The registry settings that every prefix running the game shares
    # (the Debian package's launcher imports the same file).
    LC_ALL=zh_CN.UTF-8 timeout 60 wine reg import "Z:$ROOT/packaging/wine-prefix.reg" \
        >/dev/null
    # reg returns before the registry is written; wait for wineserver.
    timeout 60 wineserver -w
}

# wine_run [timeout seconds] PROGRAM ARGS...: runs a Windows program.
wine_run() {
    local limit=300
    [[ $1 =~ ^[0-9]+$ ]] && { limit=$1; shift; }
    LC_ALL=zh_CN.UTF-8 timeout "$limit" wine "$@"
}

# Ends this prefix's wineserver and every Wine process in it.
wine_stop() {
    wineserver -k 2>/dev/null || true
}
