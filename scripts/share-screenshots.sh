#!/usr/bin/env bash
# Takes the user's guide's pictures of sharing: the help page (F1) over the window, and a
# memo printed onto an A4 sheet, drawn by the program's own printing into a metafile and
# played back in a window (numvora-print-window.exe: the print dialog is left out). Writes
# docs/numvora-help.png and docs/numvora-printed-page.png. Look at them before committing.
# NUMVORA_BUILD_DIR selects another build folder of the windows preset (default build/windows).
set -euo pipefail
cd "$(dirname "$(realpath "$0")")/.."
source scripts/screenshot-session.sh numvora-print-window

launch help
geometry=$(wine "$tool" help "$class" light | tr -d '\r')
sleep 1  # the last paint reaches the X server
capture "$geometry" docs/numvora-help.png
finish docs/numvora-help.png "$geometry"

launch print "$(realpath "$build/bench/startup/numvora-print-window.exe")"
wine "$tool" margin "$class" light $'12월 모임 회비 정산\r\n\r\n고기 186,000원\r\n술 54,000원\r\n노래방 40,000원\r\n합계\r\n1인당 = 합계 / 4명\r\n\r\n$1 = 1,380원\r\n항공권 $1,250 x 2\r\n\r\n알바 09:00~18:00\r\n시급 10,030원 x 8시간\r\n\r\n회비 마감 D-day 2026-12-25\r\n1,000,000원 + 부가세' >/dev/null
geometry=$(wine "$tool" print "$class" | tr -d '\r')
sleep 1
capture "$geometry" docs/numvora-printed-page.png
finish docs/numvora-printed-page.png "$geometry"
