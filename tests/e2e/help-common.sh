# Steps shared by the help window's end-to-end tests; sourced after e2e.sh.
HELP_SOURCE=$(dirname "$PAVINA_EXE")  # the build puts the help page beside Pavina.exe
HELP_WINDOW="THelpForm|Help"

install_help() { # FOLDER: the help page and its pictures beside the program there
  cp "$HELP_SOURCE/pavina_help.htm" "$HELP_SOURCE/main-window.jpg" \
    "$HELP_SOURCE/com-port-setup.gif" "$1/"
}

# Starts the program in APP and presses Help: a help window is up afterwards.
open_help() {
  start_pavina
  drv wait-window TMainForm 60000 >/dev/null || fail "no main window"
  drv click TMainForm name:btHelp
  drv wait-window "$HELP_WINDOW" 20000 || fail "Help opened no window"
}

help_scroll() { drv scroll-pos "$HELP_WINDOW"; }

# The text the viewer shows in the newest help window, read through a select-all and copy.
# The keys go through the input queue, so on a busy machine the copy can land after the
# driver's first look: look again for a while, and press the keys again if they were lost.
help_text() {
  local text
  for _ in 1 2 3; do
    drv clear-clipboard
    drv ctrl-key "$HELP_WINDOW" A
    drv ctrl-key "$HELP_WINDOW" C
    for _ in $(seq 30); do
      text=$(drv clipboard)
      [ -n "$text" ] && { printf '%s\n' "$text"; return 0; }
      sleep 0.1
    done
  done
  printf '\n'
}

# Waits until the help window's scroll position is the given one.
wait_scroll() { # EXPECTED WHAT
  for _ in $(seq 50); do [ "$(help_scroll)" = "$1" ] && break; sleep 0.1; done
  check_eq "$(help_scroll)" "$1" "$2"
}

# Waits until the position moves away from the given one, and prints where it went.
wait_scroll_change() { # FROM
  local now
  for _ in $(seq 100); do
    now=$(help_scroll)
    [ "$now" != "$1" ] && break
    sleep 0.1
  done
  echo "$now"
}

# Windows path of a folder of the test, as the program sees it.
windows_path() { printf 'Z:%s' "${1//\//\\}"; }
