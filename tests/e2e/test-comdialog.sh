#!/usr/bin/env bash
# The COM port dialog: the free ports listed, the port held elsewhere and the missing ones
# left out; OK switches to the chosen port and stores it.
source "$(dirname "$0")/e2e.sh"

reset_ports
start_simulator 1 --status "First Port"
hold_port 2
start_simulator 3 --status "Third Port"
# Wine opens a COM port whose mapping leads nowhere all the same, so the ports that are
# not there are made unusable instead.
for n in $(seq 4 32); do hold_port "$n"; done
install_pavina "$(printf '[VARS]\r\nCOM=2\r\n')"
start_pavina
drv wait-window TMainForm 60000 >/dev/null || fail "no main window"
drv wait-text TMainForm name:stProcess "Logo Inserter Not Found" 20000 || fail "COM2 answered"
check_eq "$(drv state TMainForm name:btCom)" "enabled=1 visible=1" "CO&M offered"

drv click TMainForm name:btCom
drv wait-window "TComSetupDlg|Com Port Setup" 20000 || fail "no COM port dialog"
geometry=$(drv geometry "TComSetupDlg|Com Port Setup")
check_eq "$(grep -o 'left=[0-9]* top=[0-9]*' <<<"$geometry")" "left=274 top=276" "dialog position"
check_eq "$(grep -o 'client=[0-9x]*' <<<"$geometry")" "client=252x140" "dialog client area"
check_eq "$(drv text TComSetupDlg '#5')" "COM Port 2 Failled, Try Another" "dialog message"
check_eq "$(drv combo TComSetupDlg class:ComboBox | tr '\n' ' ')" \
  "item=COM 1 item=COM 3 selected=0 " "free ports"
screenshot_window TComSetupDlg com-port-setup.png
# Escape is bound to no button.
drv key TComSetupDlg 27
sleep 0.5
check_eq "$(drv exists TComSetupDlg)" 1 "dialog after Escape"

drv click TComSetupDlg OK
drv wait-gone TComSetupDlg 10000 || fail "the dialog stayed"
drv wait-text TMainForm name:stProcess "First Port Ready" 20000 || fail "COM1 not in use"
check_eq "$(tr -d '\r' <"$APP/pavina.ini" | grep '^COM=')" "COM=1" "stored port"
# Positions now go to the new port.
drv settext TMainForm name:edX 61
for _ in $(seq 50); do [ -n "$(simulator_positions 1)" ] && break; sleep 0.1; done
check_eq "$(simulator_positions 1)" "61 50" "position on the new port"
check_eq "$(simulator_positions 3)" "" "nothing on the port not chosen"

# Cancel leaves the port closed: the poll keeps reporting no inserter.
drv wait-text TMainForm name:stProcess "First Port Ready" 20000 || fail "not ready"
simulator_control 1 "silent on"
drv wait-text TMainForm name:stProcess "Logo Inserter Not Found" 20000 || fail "silence not seen"
simulator_control 1 "silent off"
drv click TMainForm name:btCom
drv wait-window "TComSetupDlg|Com Port Setup" 20000 || fail "no COM port dialog"
check_eq "$(drv text TComSetupDlg '#5')" "COM Port 1 Failled, Try Another" "message for COM1"
check_eq "$(drv combo TComSetupDlg class:ComboBox | tr '\n' ' ')" \
  "item=COM 1 item=COM 3 selected=0 " "the port just released is listed"
drv click TComSetupDlg Cancel
drv wait-gone TComSetupDlg 10000 || fail "the dialog stayed"
sleep 2.5
check_eq "$(drv text TMainForm name:stProcess)" "Logo Inserter Not Found" "port closed after Cancel"
check_eq "$(tr -d '\r' <"$APP/pavina.ini" | grep '^COM=')" "COM=1" "stored port after Cancel"

drv click TMainForm name:btExit
wait_pavina_end
passed
