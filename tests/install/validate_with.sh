#!/usr/bin/env bash
# Runs a validator on a file; exits 77 (skipped) when the validator is not installed.
# Usage: validate_with.sh TOOL [ARGUMENTS...] FILE
tool=$1
if ! command -v "$tool" >/dev/null 2>&1; then
  echo "$tool is not installed"
  exit 77
fi
exec "$@"
