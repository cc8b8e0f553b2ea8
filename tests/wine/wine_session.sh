#!/usr/bin/env bash
# Runs Windows test programs under Wine on this machine's X server (Xvfb in the tests):
#   wine_session.sh DIR run PROGRAM.exe [ARGS...]   run one program, starting the session if needed
#   wine_session.sh DIR stop                        end the session: wineserver and PulseAudio
#   wine_session.sh DIR prepare                     make the prefix now, ahead of the first run
# DIR (in the build tree) holds a private Wine prefix, made once, and the session's PulseAudio
# daemon with three null sinks, which give Wine sound devices that play in real time: the default
# "nullsink", and "nullsink1" and "nullsink2" for players that PULSE_SINK sends there, so that up to
# three can be recorded apart. The wineserver and the daemon stay up between programs, so each
# start is quick; both also end by themselves a minute after their last client, should `stop`
# never come.
set -euo pipefail
dir="$(mkdir -p "$1" && cd "$1" && pwd)"
action="$2"
shift 2

# Wine says nothing of its own unless the caller asks for its debug channels.
export WINEPREFIX="$dir/prefix" WINEDEBUG="${WINEDEBUG:--all}" WINEDLLOVERRIDES="mscoree,mshtml="
export HOME="$dir/home" XDG_RUNTIME_DIR="$dir/run"
export PULSE_SERVER="unix:$XDG_RUNTIME_DIR/pulse.sock"
mkdir -p "$HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
pulse_pid_file="$dir/pulseaudio.pid"
# Wine started with the address layout fixed. Debian's Wine has no preloader to hold the addresses
# Windows programs expect, so with the layout drawn at random a start fails about once in 2 000
# ("failed to map the shared user data": something already lies there), status 1 and, with
# WINEDEBUG=-all, not a word.
wine=(setarch "$(uname -m)" --addr-no-randomize wine)
# Raised whenever make_prefix changes, so that a prefix made before is set up again.
prefix_settings=2

pulse_running() {
  [ -f "$pulse_pid_file" ] && kill -0 "$(cat "$pulse_pid_file")" 2> /dev/null \
    && pactl info > /dev/null 2>&1
}

start_pulse() {
  rm -f "$XDG_RUNTIME_DIR/pulse.sock"
  pulseaudio -n --daemonize=no --exit-idle-time=60 --use-pid-file=no --disable-shm=yes \
    --log-target=file:"$dir/pulseaudio.log" \
    -L "module-null-sink sink_name=nullsink rate=44100" \
    -L "module-null-sink sink_name=nullsink1 rate=44100" \
    -L "module-null-sink sink_name=nullsink2 rate=44100" \
    -L "module-native-protocol-unix socket=$XDG_RUNTIME_DIR/pulse.sock auth-anonymous=1" \
    < /dev/null > /dev/null 2>&1 &
  echo $! > "$pulse_pid_file"
  for _ in $(seq 100); do
    pactl info > /dev/null 2>&1 && return 0
    sleep 0.1
  done
  echo "wine_session: PulseAudio did not start (see $dir/pulseaudio.log)" >&2
  return 1
}

make_prefix() {
  "${wine[@]}" wineboot --init > /dev/null 2>&1
  # Unmanaged X11 windows: without a window manager, destroying a managed one stalls for 2 s.
  "${wine[@]}" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f > /dev/null 2>&1
  "${wine[@]}" reg add 'HKCU\Software\Wine\Drivers' /v Audio /t REG_SZ /d pulse /f > /dev/null 2>&1
  # No debugger: a program that crashes ends at once with its failure, where Wine's debugger would
  # hang on a screen nobody sees until the test's time runs out.
  "${wine[@]}" reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Debugger \
    /t REG_SZ /d '' /f > /dev/null 2>&1
  wineserver -w
  echo "$prefix_settings" > "$dir/prefix-ready"
}

# Made once, and again whenever make_prefix changes.
ensure_prefix() {
  [ "$(cat "$dir/prefix-ready" 2> /dev/null)" = "$prefix_settings" ] || make_prefix
}

lock_session() {
  exec 9> "$dir/session.lock"
  flock 9
}

ensure_session() {
  lock_session
  pulse_running || start_pulse
  ensure_prefix
  # Wine's desktop keeps the size of the screen it started on: a new display needs a new server.
  if [ "$(cat "$dir/session-display" 2> /dev/null)" != "${DISPLAY:-}" ]; then
    wineserver -k 2> /dev/null || true
    echo "${DISPLAY:-}" > "$dir/session-display"
  fi
  # The wineserver and the services Wine starts with it outlive the program: started here, they
  # do not hold on to the program's output, which the caller may be reading to its end.
  wineserver -p 60 < /dev/null > /dev/null 2>&1 || true  # fails when one is already up
  # Said when it fails: the caller reads only what the program it asked for prints, and its status.
  "${wine[@]}" wineboot < /dev/null > "$dir/wineboot.log" 2>&1 || {
    status=$?
    echo "wine_session: Wine's start-up ended with status $status (its output: $dir/wineboot.log)" >&2
    exit "$status"
  }
  flock -u 9
  exec 9>&-
}

case "$action" in
  prepare)
    # Making a prefix is mostly waiting on Wine's own start-up: done ahead, while something else
    # runs, the first program starts at once. The wineserver it used is gone when this returns.
    lock_session
    ensure_prefix
    ;;
  run)
    ensure_session
    exec "${wine[@]}" "$@"
    ;;
  stop)
    wineserver -k 2> /dev/null || true
    if [ -f "$pulse_pid_file" ]; then
      kill "$(cat "$pulse_pid_file")" 2> /dev/null || true
      rm -f "$pulse_pid_file"
    fi
    ;;
  *)
    echo "usage: wine_session.sh DIR run PROGRAM.exe [ARGS...] | DIR stop | DIR prepare" >&2
    exit 2
    ;;
esac
