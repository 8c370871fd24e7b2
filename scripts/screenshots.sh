#!/usr/bin/env bash
# Takes the pictures of the user's guide (docs/guide.md): Numvora.exe under Wine on a
# private Xvfb display, in the light and the dark theme and under high contrast, with a
# few calculations (grouped), a memo and a selected operand, each on a fresh data folder,
# and the memo's own menu opened with a right click. Writes docs/numvora-light.png,
# docs/numvora-dark.png, docs/numvora-contrast.png, docs/numvora-menu.png and
# docs/numvora-find-bar.png (the find bar with a Hangul word found), and
# docs/numvora-hours.png (the margin beside hours, a D-day and 평; the D-day counts from
# the day it is taken). Look at them before committing them.
# Wine cannot switch high contrast on: that picture is the same window opened by a small
# host that answers the system's question with "on" and sets the High Contrast Black
# colours for its run.
# NUMVORA_BUILD_DIR selects another build folder of the windows preset (default build/windows).
set -euo pipefail
cd "$(dirname "$(realpath "$0")")/.."
source scripts/screenshot-session.sh numvora-contrast-window

contrast=$(realpath "$build/bench/startup/numvora-contrast-window.exe")
for theme in light dark contrast; do
  program=$exe
  [ "$theme" = contrast ] && program=$contrast
  launch "$theme" "$program"
  geometry=$(wine "$tool" stage "$class" "$theme" | tr -d '\r')
  sleep 1  # the last paint reaches the X server
  capture "$geometry" "docs/numvora-$theme.png"
  finish "docs/numvora-$theme.png" "$geometry"
done

# The memo's menu, opened with a right click in the middle of the memo.
launch menu
geometry=$(wine "$tool" stage "$class" light | tr -d '\r')
IFS='x+' read -r width height left top <<<"$geometry"
xdotool mousemove $((left + width * 2 / 3)) $((top + height / 3)) click 3
sleep 1
capture "$geometry" docs/numvora-menu.png
xdotool key Escape
finish docs/numvora-menu.png "$geometry"

# The find bar in the light theme: Ctrl+F and Enter as real keys; the Hangul word and
# the memo go in through messages, since xdotool's Hangul loses syllables under Wine.
# The found selection is printed: "점심" must be found with the machine's own locale.
launch find
geometry=$(wine "$tool" stage "$class" light | tr -d '\r')
wine "$tool" memo "$class" $'\r\n12월 7일 점심 12,000원\r\n커피 2잔 9,000원'
xdotool search --name 'Quorvex' windowfocus --sync
xdotool key ctrl+f
sleep 0.5
wine "$tool" find "$class" 점심
xdotool key Return
sleep 1
wine "$tool" found "$class"
capture "$geometry" docs/numvora-find-bar.png
finish docs/numvora-find-bar.png "$geometry"

# The margin beside work hours and a wage, dates and a D-day, and an apartment's 평.
launch hours
geometry=$(wine "$tool" margin "$class" light $'알바 근무\r\n월 09:00~18:00\r\n화 오전 9시 ~ 오후 6시 30분\r\n수 22:00~06:00\r\n합계\r\n\r\n시급 10,030원 x 6.5시간\r\n주 15시간 x 4주\r\n\r\n수능 D-day 2026-12-25\r\n입주 2026-03-02 ~ 2026-12-08\r\n오늘 + 100일\r\n\r\n아파트 84㎡ 평\r\n32평 ㎡' | tr -d '\r')
sleep 1
capture "$geometry" docs/numvora-hours.png
finish docs/numvora-hours.png "$geometry"
