# On a Wayland desktop (sway headless, two outputs, XWayland): /s and the dialog's Preview on
# layer surfaces over every output, and the X11 modes through XWayland. sway will not run as
# root: as root, the session runs as a user of its own, made here.
sway_checks() {
  local user=skorvane-e2e place
  if ! command -v sway >/dev/null || ! command -v grim >/dev/null || ! command -v wtype >/dev/null; then
    echo "skip: sway, grim or wtype is not installed (tools/install-deps.sh --tests installs them)"
    return
  fi
  place=$(mktemp -d /tmp/skorvane-sway-e2e-XXXXXX)
  cp "$SKORVANE" "$HOST_WINDOW" "$here/sway_session.sh" "$place/"
  mkdir "$place/shots"
  local run=(bash "$place/sway_session.sh" "$place/$(basename "$SKORVANE")"
             "$place/$(basename "$HOST_WINDOW")" "$place/shots")
  if [ "$(id -u)" -eq 0 ]; then
    id "$user" >/dev/null 2>&1 || useradd --system --create-home "$user"
    chown -R "$user" "$place"
    chmod 755 "$place"
    su "$user" -s /bin/bash -c "$(printf '%q ' "${run[@]}")" >"$E2E_WORK/sway.out" 2>&1
  else
    "${run[@]}" >"$E2E_WORK/sway.out" 2>&1
  fi
  cp "$place"/shots/*.png "$E2E_SHOTS/" 2>/dev/null
  rm -rf "$place"
  grep -q '^ok   \|^FAIL ' "$E2E_WORK/sway.out" || check "sway: the session ran ($(tail -n 3 "$E2E_WORK/sway.out"))" false
  while IFS= read -r line; do
    case "$line" in
      "ok   "*) check "${line#ok   }" true ;;
      "FAIL "*) check "${line#FAIL }" false ;;
    esac
  done <"$E2E_WORK/sway.out"
}
sway_checks
