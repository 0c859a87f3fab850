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
