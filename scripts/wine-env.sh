# Sourced by the build, test and run scripts: the project's private Wine prefix, an X display and
# a wineserver that stays up while they run. Never touches the user's own ~/.wine.
#
# After sourcing: WINEPREFIX, DISPLAY, QL_WINE64, QL_WINE32 are set; call ql_wine_up once, and
# ql_wine_down when done (it stops only what ql_wine_up started).

QL_ROOT=${QL_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
export WINEPREFIX="${QL_WINEPREFIX:-$QL_ROOT/build/wineprefix}"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEARCH=win64
QL_WINE64=/usr/lib/wine/wine64
QL_WINE32=/usr/lib/wine/wine
QL_XVFB_PID=""
QL_STARTED_DISPLAY=0

# Starts a virtual display when there is none (or when QL_FORCE_XVFB=1), on a free number.
ql_display_up() {
  if [ -n "${DISPLAY:-}" ] && [ "${QL_FORCE_XVFB:-0}" != 1 ] && xdpyinfo >/dev/null 2>&1; then
    return 0
  fi
  local n
  for n in $(seq 90 140); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    QL_XVFB_PID=$!
    export DISPLAY=":$n"
    local i
    for i in $(seq 1 50); do
      xdpyinfo >/dev/null 2>&1 && { QL_STARTED_DISPLAY=1; return 0; }
      sleep 0.1
    done
    kill "$QL_XVFB_PID" 2>/dev/null
  done
  echo "wine-env: could not start a virtual X display" >&2
  return 1
}

# Whether this machine runs 32-bit programs: a kernel built or started without 32-bit support
# refuses Wine's 32-bit loader ("Exec format error"), and then no x86 build can run here.
ql_runs_32bit() { "$QL_WINE32" --version >/dev/null 2>&1; }

# Creates the prefix once (64-bit with 32-bit support where the machine runs 32-bit programs) and
# keeps a wineserver running.
ql_wine_up() {
  ql_display_up || return 1
  local complete="$WINEPREFIX/drive_c/windows/syswow64/kernel32.dll"
  if ! ql_runs_32bit; then
    echo "wine-env: this machine cannot run 32-bit programs; the prefix is 64-bit only" >&2
    complete="$WINEPREFIX/drive_c/windows/system32/kernel32.dll"
  fi
  if [ ! -f "$complete" ]; then
    echo "wine-env: creating the Wine prefix in $WINEPREFIX (about 20 s)"
    wineserver -k >/dev/null 2>&1 || true
    wineserver -w >/dev/null 2>&1 || true
    rm -rf "$WINEPREFIX"
    mkdir -p "$WINEPREFIX"
    "$QL_WINE64" wineboot -i </dev/null >/dev/null 2>&1
    wineserver -w
  fi
  wineserver -p </dev/null >/dev/null 2>&1
  "$QL_WINE64" cmd /c exit </dev/null >/dev/null 2>&1
  # Without a window manager, hiding a managed window stalls; Wine's own placement is enough here.
  "$QL_WINE64" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f </dev/null >/dev/null 2>&1
  # A program that crashes ends after Wine's debugger prints its backtrace, instead of waiting
  # for a user in the crash dialog.
  "$QL_WINE64" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f </dev/null >/dev/null 2>&1
}

# Starts the Wine server afresh on the same display, ending every program still running in the
# prefix. A Wine desktop of another size (the tests of the next logon open one, and so may a
# developer's own run) stays the screen size of every later program until the server ends.
ql_wine_restart() {
  wineserver -k >/dev/null 2>&1 || true
  wineserver -w >/dev/null 2>&1 || true
  wineserver -p </dev/null >/dev/null 2>&1
  "$QL_WINE64" cmd /c exit </dev/null >/dev/null 2>&1
}

# Removes what an interrupted test run left in the prefix: its application folders, and an
# autostart value that points into one of them (Wine would start that loader at every later
# session end). A value that points anywhere else is the developer's and stays.
ql_clean_test_leftovers() {
  rm -rf "$WINEPREFIX"/drive_c/users/*/Temp/ql-e2e-*
  local key view
  for key in 'HKLM\Software\Microsoft\Windows\CurrentVersion\Run' 'HKCU\Software\Microsoft\Windows\CurrentVersion\Run'; do
    for view in /reg:64 /reg:32; do
      if "$QL_WINE64" reg query "$key" /v "Quilloria Loader" "$view" </dev/null 2>/dev/null | grep -qi 'ql-e2e-'; then
        "$QL_WINE64" reg delete "$key" /v "Quilloria Loader" "$view" /f </dev/null >/dev/null 2>&1
      fi
    done
  done
}

ql_wine_down() {
  wineserver -k >/dev/null 2>&1 || true
  if [ "$QL_STARTED_DISPLAY" = 1 ] && [ -n "$QL_XVFB_PID" ]; then
    kill "$QL_XVFB_PID" 2>/dev/null || true
    wait "$QL_XVFB_PID" 2>/dev/null || true
  fi
}
