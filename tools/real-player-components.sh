# The player's Components page, driven as a user does: installing a package through
# "Install..." and the file dialog, removing a component through its context menu, and the
# restart the player asks for after either. Sourced by real-player-check.sh, whose helpers
# (open_prefs, prefs_click, main_window, mapped_popups, snap_window, pass/fail/note, ...) it uses.

# A picture of one window for the documentation, as $docs/NAME.png.
doc_window() { snap_window "$1" "$docs/$2.png"; }
# The preferences window without its page tree (the left 265 pixels at 96 DPI).
doc_page() {
  local tree=$((265 * dpi / 96))
  snap_window "$prefs" "$out/page.png"
  "$convert" "$out/page.png" -crop "+$tree+0" +repage "$docs/$1.png" 2>/dev/null || true
}

# The tray with the strip, as a user sees it: jwm's tray from the screen and the docked icon
# windows put on it where they sit (a capture of the screen leaves Wine's windows out),
# cropped to the dock and magnified.
doc_strip_in_tray() {
  local tray_y=$((800 - icon_size - 6)) args=() id x y w h left=100000 right=0
  xwd -root -silent | "$convert" xwd:- -crop "1280x$((icon_size + 6))+0+$tray_y" +repage "$out/tray-row.png" || return 0
  args=("$out/tray-row.png")
  while read -r id x y w h; do
    snap_window "$id" "$out/dock-$id.png"
    args+=("$out/dock-$id.png" -geometry "+$x+$((y - tray_y))" -composite)
    if [ "$x" -lt "$left" ]; then left=$x; fi
    if [ $((x + w)) -gt "$right" ]; then right=$((x + w)); fi
  done < <(docked_icons)
  [ "$right" -gt 0 ] || return 0
  left=$((left > 60 ? left - 60 : 0))
  "$convert" "${args[@]}" -crop "$((right + 8 - left))x$((icon_size + 6))+$left+0" +repage -scale 400% \
    "$docs/strip-in-tray.png" 2>/dev/null || true
}

main_pid() {  # the process behind the player's main window (Wine sets _NET_WM_PID)
  local w; w=$(main_window)
  if [ -n "$w" ]; then xprop -id "$w" _NET_WM_PID 2>/dev/null | awk '{print $NF}'; fi
}

# Clicks a button of the preferences window by its place at 96 DPI, counted from the window's
# right and bottom edges, where the page's buttons stay whatever the window's size.
prefs_button() {
  local w h
  read -r w h < <(xwininfo -id "$prefs" | awk '/Width:/{w=$NF} /Height:/{h=$NF} END{print w, h}')
  prefs_click $((w - $1 * dpi / 96)) $((h - $2 * dpi / 96))
}
click_install() { prefs_button 241 53; }
click_ok() { prefs_button 232 21; }

open_components() {  # Preferences at the Components page (the first one of the tree)
  open_prefs
  [ -n "$prefs" ] || return 1
  prefs_click 60 16; xdotool key Home; sleep 1.5
}

components_report() {  # the page's "Copy report" (Alt+C) into $out/components.txt
  printf '' | xclip -selection clipboard 2>/dev/null || true
  xdotool key alt+c; sleep 1
  xclip -o -selection clipboard >"$out/components.txt" 2>/dev/null || true
}
listed() { grep -A1 -x 'foo_Trelvane (.*)' "$out/components.txt" | grep -qx "    $expected_name"; }

new_popup() {  # waits up to $2 seconds for a viewable popup that is not in $1
  local found=""
  for _ in $(seq $(($2 * 2))); do
    found=$(comm -13 <(echo "$1") <(mapped_popups | cut -d' ' -f1 | sort) | head -1)
    if [ -n "$found" ]; then break; fi
    sleep 0.5
  done
  echo "$found"
}

# OK on the preferences, then the player's question "Applying these changes requires foobar2000
# to be restarted. Continue?" (title "foobar2000 preferences") answered OK, and the player's own
# restart: the main window comes back from another process. $1 names the pictures.
apply_and_restart() {
  local old_pid question pid=""
  old_pid=$(main_pid)
  click_ok
  for _ in $(seq 20); do question=$(find_window '^foobar2000 preferences$'); [ -n "$question" ] && break; sleep 0.5; done
  if [ -z "$question" ]; then restart_problem="no restart question after OK"; return 1; fi
  sleep 0.5; doc_window "$question" "$1-4-restart-question"
  xdotool windowactivate --sync "$question" >/dev/null 2>&1 || true; xdotool key Return
  for _ in $(seq 120); do pid=$(main_pid); [ -n "$pid" ] && [ "$pid" != "$old_pid" ] && break; sleep 0.5; done
  if [ -z "$pid" ] || [ "$pid" = "$old_pid" ]; then restart_problem="the player did not come back within 60 s"; return 1; fi
  sleep 5   # the component's start-up adds the tray icons after the main window
  watch_windows
  note "the player restarted itself (process $old_pid, then $pid)"
}

# Preferences > Components > "Install...", the package's Windows path typed into the file
# dialog's name box, Enter, then OK and the restart. $1 names the step and its pictures, $2 is
# the item's text. Prints PASS or FAIL and returns non-zero when the route broke anywhere.
install_package() {
  local step=$1 item=$2 before dialog
  if ! open_components; then fail "$item" "no Preferences window"; return 1; fi
  doc_page "$step-1-components-page"
  before=$(mapped_popups | cut -d' ' -f1 | sort)
  click_install
  dialog=$(new_popup "$before" 20)
  if [ -z "$dialog" ]; then
    doc_page "$step-2-no-dialog"
    fail "$item" "no file dialog within 20 s of the click on \"Install...\""
    if [ ! -e "$work/fooHelper.exe" ]; then
      note "the player folder has no fooHelper.exe: a click on \"Install...\" starts that helper of the" \
           "player to show the file dialog, and without it nothing happens"
    fi
    xdotool key Escape; sleep 0.5
    return 1
  fi
  sleep 1; doc_window "$dialog" "$step-2-file-dialog"
  xdotool windowactivate --sync "$dialog" >/dev/null 2>&1 || true
  xdotool type --delay 30 "Z:${package//\//\\}"; xdotool key Return
  for _ in $(seq 40); do mapped_popups | grep -q "^$dialog " || break; sleep 0.5; done
  if mapped_popups | grep -q "^$dialog "; then fail "$item" "the file dialog did not close on Enter"; return 1; fi
  sleep 2
  doc_page "$step-3-listed"
  restart_problem=""
  if ! apply_and_restart "$step"; then fail "$item" "$restart_problem"; return 1; fi
  pass "$item"
}

# The component's row selected by typing its name in the list (the list's type-ahead), its
# context menu by the keyboard (Shift+F10), "Remove", then OK and the restart.
remove_component() {
  local item=$1 before menu
  if ! open_components; then fail "$item" "no Preferences window"; return 1; fi
  prefs_click $((330 * dpi / 96)) $((48 * dpi / 96)); sleep 0.3
  xdotool type --delay 60 "${expected_name% *}"; sleep 1
  doc_page "remove-1-selected"
  before=$(mapped_popups | cut -d' ' -f1 | sort)
  xdotool key shift+F10
  menu=$(new_popup "$before" 4)
  if [ -z "$menu" ]; then fail "$item" "no context menu for the selected row"; xdotool key Escape; return 1; fi
  doc_window "$menu" "remove-2-menu"
  # The row leaves the list at once; the report lists what is loaded until the restart.
  xdotool key r; sleep 1.5
  doc_page "remove-3-removed"
  restart_problem=""
  if ! apply_and_restart remove; then fail "$item" "$restart_problem"; return 1; fi
  pass "$item"
}
