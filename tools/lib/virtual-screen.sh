# Sourced by the scripts that run programs on a screen of their own.
#
# start_virtual_screen: starts Xvfb at 1920 x 1080 on a display number the server picks
# itself (-displayfd writes it once the server accepts connections, so parallel runs
# never race for one), exports DISPLAY and leaves the server's process id in
# virtual_screen_pid. Fails when the server has not answered within 10 s.
start_virtual_screen() {
  local display_file
  display_file="$(mktemp)"
  Xvfb -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp 3>"$display_file" >/dev/null 2>&1 &
  virtual_screen_pid=$!
  for _ in $(seq 200); do
    [[ -s "$display_file" ]] && break
    sleep 0.05
  done
  if [[ ! -s "$display_file" ]]; then
    rm -f "$display_file"
    echo "Xvfb did not start" >&2
    return 1
  fi
  export DISPLAY=":$(head -1 "$display_file")"
  rm -f "$display_file"
}

# start_map_listener FILE: appends "<time> <window id>" to FILE for every top-level window
# the server maps, stamped when the listener reads it, so a start can be timed to the
# first window without anything inside the program. Leaves its process id in
# map_listener_pid.
start_map_listener() {
  (stdbuf -oL xev -root -event substructure | while IFS= read -r line; do
    if [[ "$line" == MapNotify* ]]; then
      stamp="$EPOCHREALTIME"
      IFS= read -r detail
      window="${detail#*window }"
      echo "$stamp ${window%%,*}"
    fi
  done) >"$1" 2>/dev/null &
  map_listener_pid=$!
}

# start_tray: a system tray at the top right (trayer), for programs that put themselves
# away in it. Leaves its process id in tray_pid.
start_tray() {
  trayer --edge top --align right --widthtype pixel --width 200 --heighttype pixel --height 24 \
    >/dev/null 2>&1 &
  tray_pid=$!
}
