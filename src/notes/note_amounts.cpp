#include "notes/note_amounts.h"

#include <algorithm>
#include <optional>
#include <utility>

#include "common/unicode.h"
#include "notes/note_reader.h"
#include "notes/written_number.h"

namespace numvora {

namespace {

using notes_detail::is_ascii_letter;
using notes_detail::Part;
using notes_detail::to_text;
using notes_detail::WrittenNumbers;

// What the scalar before a number says about it.
enum class Before { Boundary, Letter, Joiner, Other };

Before classify(char32_t c) {
    if (c < 0x80 && is_ascii_letter(static_cast<char>(c))) return Before::Letter;
    if (c == '(' || is_white_space(c)) return Before::Boundary;
    if (c == '-' || c == '.' || c == '/' || c == ':' || c == U'\u2212') return Before::Joiner;
    return Before::Other;
}

enum class Kind { Amount, Date, Count };

// Durations first: "개월" is no count and "시간" no hour.
constexpr std::string_view DATE_WORDS[] = {"시간", "개월", "일간", "년", "월", "일", "시", "분", "초", "주"};
constexpr std::string_view COUNTER_WORDS[] = {"마리", "인분", "그릇", "차례", "개", "명", "잔", "장",
                                              "권",   "번",   "회",   "건",   "대", "병", "박", "살",
                                              "층",   "호",   "쪽",   "통",   "봉", "팩", "벌", "줄"};

bool is_hangul_syllable(std::string_view text, std::size_t pos) {
    if (pos >= text.size()) return false;
    const char32_t c = decode_utf8(text, pos);
    return c >= 0xAC00 && c <= 0xD7A3;
}

// Whether one of the words follows at end: directly, or after one space as a word of its
// own. Every word opens with a three-byte syllable: comparing those bytes first keeps a
// mebibyte of notes quick.
template <std::size_t N>
bool word_follows(std::string_view text, std::size_t end, const std::string_view (&words)[N]) {
    const bool spaced = text.substr(end).starts_with(' ');
    const std::string_view rest = text.substr(end + (spaced ? 1 : 0));
    if (rest.size() < 3) return false;
    for (std::string_view word : words) {
        if (rest[0] != word[0] || rest[1] != word[1] || rest[2] != word[2] || !rest.starts_with(word)) continue;
        if (!(spaced && is_hangul_syllable(rest, word.size()))) return true;
    }
    return false;
}

bool after_half_day(std::string_view before) {
    if (before.ends_with(' ')) before.remove_suffix(1);
    return before.ends_with("오전") || before.ends_with("오후");
}

Kind kind_of(std::string_view text, std::size_t begin, std::size_t end) {
    if (after_half_day(text.substr(0, begin)) || word_follows(text, end, DATE_WORDS)) return Kind::Date;
    return word_follows(text, end, COUNTER_WORDS) ? Kind::Count : Kind::Amount;
}

// A cheap look before the whole line is read: past its leading white space, a total
// line's word begins with one of these.
bool may_open_total_line(std::string_view line) {
    for (std::size_t pos = 0, next = 0; pos < line.size(); pos = next) {
        const char32_t c = decode_utf8(line, next);
        if (c == '\r' || c == '\n') return false;
        if (!is_white_space(c)) return c == U'합' || c == U'총' || c == U'소';
    }
    return false;
}

}  // namespace

NoteAmounts read_amounts(std::string_view text) {
    const WrittenNumbers scan{text};
    NoteAmounts found;
    std::vector<std::string> counts;
    Before before = Before::Boundary;
    Before earlier = Before::Boundary;
    std::size_t pos = 0;
    while (pos < text.size()) {
        // A total line's figure sums the lines above it: adding it again would count them twice.
        if ((pos == 0 || text[pos - 1] == '\n' || text[pos - 1] == '\r') && may_open_total_line(text.substr(pos))) {
            const std::size_t end = std::min(text.find_first_of("\r\n", pos), text.size());
            if (read_total_line(text.substr(pos, end - pos))) {
                before = earlier = Before::Boundary;
                pos = end;
                continue;
            }
        }
        const bool sign_may_stand = before == Before::Boundary;
        const std::size_t body = pos + (sign_may_stand ? scan.minus(pos) : 0);
        if (scan.digit(body) || (sign_may_stand && scan.at(body, ".") && scan.digit(body + 1))) {
            const bool named = before == Before::Letter || (before == Before::Joiner && earlier == Before::Letter);
            const Part part = scan.compound(body);
            if (part.usable && !named) {
                switch (kind_of(text, pos, part.end)) {
                case Kind::Amount: found.added.push_back(to_text(part.value, body > pos)); break;
                case Kind::Count: counts.push_back(to_text(part.value, body > pos)); break;
                case Kind::Date: ++found.dates; break;
                }
            }
            before = earlier = Before::Other;
            pos = part.end;
            continue;
        }
        earlier = before;
        // A stray byte decodes as U+FFFD, one byte at a time, like anywhere in the engine.
        const char c = text[pos];
        if (static_cast<unsigned char>(c) < 0x80) {
            before = classify(static_cast<char32_t>(c));
            ++pos;
        } else {
            before = classify(decode_utf8(text, pos));
        }
    }
    if (found.added.empty())
        found.added = std::move(counts);
    else
        found.counts = counts.size();
    return found;
}

std::string sum_expression(const std::vector<std::string>& amounts) {
    std::string out;
    for (const std::string& amount : amounts) {
        const bool subtract = !out.empty() && amount.starts_with('-');
        if (!out.empty()) out += subtract ? " - " : " + ";
        out.append(amount, subtract ? 1 : 0);
    }
    return out;
}

std::string total_status_text(const NoteAmounts& amounts) {
    if (amounts.added.empty()) return "더할 숫자가 없습니다";
    std::string text = std::to_string(amounts.added.size()) + "개를 더했습니다";
    std::string passed;
    if (amounts.dates > 0) passed = "날짜·시간 " + std::to_string(amounts.dates) + "개";
    if (amounts.counts > 0) passed += (passed.empty() ? "" : ", ") + ("개수 " + std::to_string(amounts.counts) + "개");
    if (!passed.empty()) text += " (" + passed + " 제외)";
    return text;
}

}  // namespace numvora
