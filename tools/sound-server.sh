#!/usr/bin/env bash
# Starts a private PulseAudio server for the test run, with a null sink to play into and a
# null source to record from, so that the sound tests use a real sound server and never the
# user's. Sourced by test.sh after tools/ensure-packages.sh; the server and its folders are
# removed when the shell exits. The tests reach it through PULSE_SERVER.
lumo_sound_dir=$(mktemp -d "${TMPDIR:-/tmp}/lumo-sound-XXXXXX")
mkdir -p "$lumo_sound_dir/runtime" "$lumo_sound_dir/home"
chmod 700 "$lumo_sound_dir/runtime"

lumo_stop_sound_server() {
  # The server's own pid file names the one process to end.
  if [ -f "$lumo_sound_dir/runtime/pulse/pid" ]; then
    kill "$(cat "$lumo_sound_dir/runtime/pulse/pid")" 2>/dev/null || true
    sleep 0.2
  fi
  rm -rf "$lumo_sound_dir"
}
trap lumo_stop_sound_server EXIT

# Its own runtime folder and HOME: the server writes its socket, pid file and cookie there.
# Clients need no cookie, so the tests' own HOME and XDG folders do not matter.
if XDG_RUNTIME_DIR="$lumo_sound_dir/runtime" HOME="$lumo_sound_dir/home" \
   pulseaudio --daemonize=yes --exit-idle-time=-1 -n --use-pid-file=yes \
     --load=module-null-sink --load="module-native-protocol-unix auth-anonymous=1" \
     --load=module-always-sink --log-target=stderr 2>"$lumo_sound_dir/server.log" &&
   PULSE_SERVER="unix:$lumo_sound_dir/runtime/pulse/native" \
   pactl load-module module-null-source source_name=lumo_null_source >/dev/null &&
   PULSE_SERVER="unix:$lumo_sound_dir/runtime/pulse/native" pactl set-default-source lumo_null_source
then
  export PULSE_SERVER="unix:$lumo_sound_dir/runtime/pulse/native"
  echo "Private sound server: $PULSE_SERVER"
else
  echo "The private sound server did not start:"
  cat "$lumo_sound_dir/server.log"
  exit 1
fi
