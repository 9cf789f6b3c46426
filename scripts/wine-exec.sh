#!/usr/bin/env bash
# CTest's emulator: wine-exec.sh ARCH program.exe [args] runs one Windows
# executable under the project's prefix for that architecture; with
# TARNWICK_DPI set, under its copy at that DPI (wine_dpi_prefix).
source "$(dirname "$0")/wine-env.sh"
wine_select "$1"
shift
[[ -n ${TARNWICK_DPI:-} ]] && wine_dpi_prefix "$TARNWICK_DPI"
exec "$WINE" "$@"
