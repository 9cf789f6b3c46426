#!/usr/bin/env bash
# CTest's emulator: wine-exec.sh ARCH program.exe [args] runs one Windows
# executable under the project's prefix for that architecture.
source "$(dirname "$0")/wine-env.sh"
wine_select "$1"
shift
exec "$WINE" "$@"
