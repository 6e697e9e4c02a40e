#!/usr/bin/env bash
# Soak under Wine: Pavina.exe sends a logo again and again to the simulator, which is told
# through its control FIFO to misbehave at random each time (wrong or missing answers,
# late answers, stray bytes, a line cut in the middle, Cancel pressed). After every upload
# the program must be sound: the upload ends by itself, Cancel is off and the tagged
# controls are back, the inserter is found again once it behaves, and the memory the
# process holds stays flat. At the end the program closes and its leak report stays silent.
source "$(dirname "$0")/e2e.sh"

ROUNDS=${SOAK_ROUNDS:-16}
RANDOM=${SOAK_SEED:-$$}
echo "soak seed ${SOAK_SEED:-$$}, $ROUNDS rounds"

rss_kib() { sed -n 's/^VmRSS:[[:space:]]*\([0-9]*\) kB/\1/p' "/proc/$PAVINA_PID/status"; }
# Waits until the upload has ended, dismissing its retry message; prints the message.
wait_upload_end() {
  local message= box
  for _ in $(seq 900); do
    if [ "$(drv exists '#32770|Info')" = 1 ]; then
      box=$(drv box Info 2000) || true
      message="${message:+$message; }$(sed -n 's/^text=//p' <<<"$box")"
      drv dismiss "#32770|Info"
    fi
    if [ "$(drv state TMainForm name:btCancel)" = "enabled=0 visible=1" ] &&
      [ "$(drv state TMainForm name:btLoadImage)" = "enabled=1 visible=1" ]; then
      echo "$message"
      return 0
    fi
    sleep 0.1
  done
  fail "the upload did not end"
}

convert -size 24x10 gradient:'#30a0ff-#ff3020' -type TrueColor "BMP3:$WORK/logo.bmp"
reset_ports
start_simulator 2 --status "Soak"
install_pavina
start_ready_pavina "Soak"
drv click TMainForm name:btLoadImage
drv open-file "$WORK/logo.bmp" || fail "file dialog"
drv wait-text TMainForm name:grImage "  Z:${WORK//\//\\}\\logo.bmp 24x10  " 10000 || fail "caption"

faults=("" "fail clear wrong" "fail header:%d missing" "fail data:%d wrong" "fail sizepos missing"
  "stray 55,AA" "silence-after %d" "delay header:%d 1100" "cancel")
baseline=
for round in $(seq "$ROUNDS"); do
  fault=${faults[RANDOM % ${#faults[@]}]}
  # shellcheck disable=SC2059
  fault=$(printf "$fault" $((RANDOM % 13)))
  # Faults go in once Send is pressed: a status poll would otherwise find the inserter
  # gone and turn Send off first.
  clears=$(grep -c '# clear$' "$WORK/sim2.transcript" || true)
  [ "$fault" = cancel ] && simulator_control 2 "delay data 150"  # slow enough to catch
  drv click TMainForm name:btSave
  if [ -n "$fault" ] && [ "$fault" != cancel ]; then simulator_control 2 "$fault"; fi
  for _ in $(seq 100); do
    [ "$(grep -c '# clear$' "$WORK/sim2.transcript" || true)" -gt "$clears" ] && break
    sleep 0.1
  done
  [ "$(grep -c '# clear$' "$WORK/sim2.transcript" || true)" -gt "$clears" ] ||
    fail "Send did not start an upload in round $round"
  if [ "$fault" = cancel ]; then
    drv wait-text TMainForm name:stProcess "Sending..." 20000 || fail "no Sending..."
    drv click TMainForm name:btCancel
  fi
  message=$(wait_upload_end)
  echo "round $round: ${fault:-no fault}: ${message:-no message}"
  # Send, X and Y follow the poll's answer from the next tick on; the others stay on.
  for control in btAutoKey btLoadKey btExit edKeyOfs; do
    check_eq "$(drv state TMainForm name:$control)" "enabled=1 visible=1" "$control after round $round"
  done
  if [ -z "$fault" ]; then check_eq "$message" "" "message of a faultless upload"; fi
  simulator_control 2 "faults off"
  drv wait-text TMainForm name:stProcess "Soak Ready" 20000 || fail "not found after round $round"
  check_eq "$(drv state TMainForm name:btSave)" "enabled=1 visible=1" "Send after round $round"
  if [ "$round" -eq 3 ]; then
    baseline=$(rss_kib)
    [ -n "$baseline" ] || fail "no resident memory figure"
  fi
done
growth=$(($(rss_kib) - baseline))
echo "resident memory: $(rss_kib) KiB, $growth KiB more than after round 3"
[ "$growth" -lt 4096 ] || fail "the resident memory grew by $growth KiB"
CHECKS=$((CHECKS + 1))
grep -c '^upload ' "$WORK/sim2-logo.txt" >/dev/null || fail "no upload reached the inserter"
drv close TMainForm
wait_pavina_end
passed
