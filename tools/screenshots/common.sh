# Shared by the screenshot scripts: a private Xvfb, the real program, and small
# helpers to find its windows, click in them and keep pictures of them.
# Sourced with: out, binary and examples set; SCREEN (WxHxD) optional.
for tool in Xvfb xdotool import xdpyinfo; do
  command -v "$tool" >/dev/null || { echo "$tool is missing (make setup installs it)"; exit 1; }
done
mkdir -p "$out"
xvfb=""
app=""
cleanup() { [ -n "$app" ] && kill "$app" 2>/dev/null; [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null; }
trap cleanup EXIT
unset QT_QPA_PLATFORM

start_display() {
  local displayfile="$out/display"
  rm -f "$displayfile"
  Xvfb -displayfd 3 -screen 0 "${SCREEN:-1280x900x24}" -nolisten tcp 3>"$displayfile" >"$out/xvfb.log" 2>&1 &
  xvfb=$!
  for _ in $(seq 100); do [ -s "$displayfile" ] && break; sleep 0.1; done
  [ -s "$displayfile" ] || { echo "Xvfb did not start"; exit 1; }
  export DISPLAY=":$(head -n 1 "$displayfile")"
  for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
}

# The program with the given arguments, on the display started above.
start_program() {
  "$binary" "$@" >"$out/tremvix.log" 2>&1 &
  app=$!
}

stop_all() {
  cleanup
  app=""
  xvfb=""
  wait 2>/dev/null
}

# The visible window of that exact title, waited for.
window_named() {
  local id=""
  for _ in $(seq 100); do
    id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1)
    [ -n "$id" ] && break
    sleep 0.1
  done
  [ -n "$id" ] || { echo "window \"$1\" did not appear" >&2; exit 1; }
  echo "$id"
}
# Without a window manager the windows have no frames: coordinates are client ones.
click() { xdotool mousemove --window "$1" "$2" "$3" click 1; sleep 0.5; }
shot() { sleep 0.5; import -window "$1" "$out/$2"; echo "$out/$2"; }
