#!/usr/bin/env bash
# The setup script's package check run by a user without root ("nobody") on this machine, where
# everything is installed: it must pass and say nothing. Needs root to switch users; skipped
# (exit 77) otherwise. Usage: setup_check_unprivileged.sh scripts/setup-common.sh
set -euo pipefail
if [ "$(id -u)" -ne 0 ]; then
  echo "not root, so no other user to switch to: skipped"
  exit 77
fi
# A copy nobody can read, wherever the checkout is.
copy="$(mktemp)"
trap 'rm -f "$copy"' EXIT
cp "$1" "$copy"
chmod 644 "$copy"
status=0
output="$(setpriv --reuid=65534 --regid=65534 --clear-groups bash "$copy" --check 2>&1)" || status=$?
echo "$output"
[ "$status" -eq 0 ] && [ -z "$output" ]
