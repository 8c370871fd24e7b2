#!/usr/bin/env bash
# Writes a 가계부 memo of about BYTES bytes to FILE, as a person keeps one for years: a
# heading per day, "- " lines spent and "+ " lines received, a blank line between days,
# CR LF breaks. 1 MiB gives about 53,000 lines. The text depends on BYTES and VARIANT only.
# VARIANT stale: each day also has a line whose written result no longer holds
# ("점심 8,000원 x 2 = 15,000"), as after a price was corrected.
#   scripts/make-large-memo.sh BYTES FILE [stale]
set -euo pipefail
bytes=${1:?BYTES}
file=${2:?FILE}
stale=0
[ "${3:-}" = stale ] && stale=1
LC_ALL=C awk -v limit="$bytes" -v stale="$stale" 'BEGIN {
  split("점심 김밥,커피,버스,택시,점심 국밥,저녁 장보기,장보기,약국,편의점,주유,빵집,관리비,통신비,과일,문구", spent, ",")
  split("월급,용돈,환급,이자,중고 판매", received, ",")
  split("월,화,수,목,금,토,일", weekday, ",")
  days_in[1] = 31; days_in[2] = 28; days_in[3] = 31; days_in[4] = 30; days_in[5] = 31; days_in[6] = 30
  days_in[7] = 31; days_in[8] = 31; days_in[9] = 30; days_in[10] = 31; days_in[11] = 30; days_in[12] = 31
  year = 2001; month = 1; day = 1; n = 0; size = 0; seed = 7
  while (size < limit) {
    line = sprintf("%d년 %d월 %d일 (%s)", year, month, day, weekday[n % 7 + 1])
    out = line "\r\n"
    items = 4 + n % 4
    for (i = 0; i < items; i++) {
      seed = (seed * 16807) % 2147483647
      if (i == items - 1 && n % 5 == 0)
        out = out sprintf("+ %s %d,000원\r\n", received[seed % 5 + 1], 10 + seed % 90)
      else
        out = out sprintf("- %s %d,%03d원\r\n", spent[seed % 15 + 1], 1 + seed % 20, (seed % 10) * 100)
    }
    if (stale) out = out "점심 8,000원 x 2 = 15,000\r\n"
    out = out "\r\n"
    printf "%s", out
    size += length(out)
    n++
    if (++day > days_in[month]) { day = 1; if (++month > 12) { month = 1; year++ } }
  }
}' >"$file"
