#!/usr/bin/env bash
# with_accessibility.sh PROGRAM: runs PROGRAM, in this process, with Qt's accessibility bridge
# switched on, as it is while a screen reader runs.
exec env QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$1"
