#!/usr/bin/env bash
# On a machine where every package is installed, scripts/install-deps.sh must not
# call a package manager: sudo and apt-get that fail stand first on PATH.
set -euo pipefail
script="$1"
fake=$(mktemp -d)
trap 'rm -rf "$fake"' EXIT
for tool in sudo apt-get apt; do
  printf '#!/bin/sh\necho "%s called: $*" >&2\nexit 1\n' "$tool" > "$fake/$tool"
  chmod +x "$fake/$tool"
done
PATH="$fake:$PATH" "$script"
PATH="$fake:$PATH" "$script" --test
echo "no package manager called"
