#!/bin/sh
# The desktop entry and the AppStream metadata as the desktop's own tools read
# them; skipped (77) where the tools are not installed.
# ValidateDesktopFiles.sh ENTRY.desktop METAINFO.xml
command -v desktop-file-validate >/dev/null && command -v appstreamcli >/dev/null || exit 77
desktop-file-validate "$1" || exit 1
appstreamcli validate --no-net "$2"
