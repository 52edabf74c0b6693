#!/usr/bin/env bash
# The clipboard between two processes on one X display: a Copy table in one
# map editor and a Paste table in another carry the private format; a
# spreadsheet text with tabs and CR LF pastes into cells.
#   clipboard_between_processes.sh <ign_mapedit_clipboard_peer>
set -euo pipefail
peer=$1
if [ -z "${DISPLAY:-}" ]; then
  if ! command -v xvfb-run >/dev/null; then echo "xvfb-run is missing"; exit 1; fi
  exec xvfb-run -a -s "-screen 0 640x480x24" "$0" "$@"
fi
export QT_QPA_PLATFORM=xcb
status=0
exchange() {  # mode, expected output of the pasting side
  local dir fifo out
  dir=$(mktemp -d)
  fifo=$dir/in
  mkfifo "$fifo"
  "$peer" "$1" <"$fifo" >"$dir/copy.out" 2>/dev/null &
  local copier=$!
  exec 9>"$fifo"
  for _ in $(seq 100); do grep -q ready "$dir/copy.out" 2>/dev/null && break; sleep 0.1; done
  out=$("$peer" paste 2>/dev/null || true)
  exec 9>&-
  wait "$copier" || true
  rm -rf "$dir"
  if [ "$out" = "$2" ]; then echo "ok: $1 -> $out"; else echo "FAILED: $1 gave '$out', expected '$2'"; status=1; fi
}
exchange copy "table into sheet 1: cell(1,1)=-2 cell(14,9)=7"
exchange copytext "text: 21 22 / 23 24"
exit $status
