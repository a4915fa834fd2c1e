#!/usr/bin/env bash
# Lets udev itself check a rules file; exits 77 (skipped) when udevadm cannot verify files.
# Usage: udev_verify.sh RULES_FILE
if ! command -v udevadm >/dev/null 2>&1 || ! udevadm verify --help >/dev/null 2>&1; then
  echo "udevadm verify is not available"
  exit 77
fi
exec udevadm verify "$1"
