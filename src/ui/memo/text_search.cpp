#include "ui/memo/text_search.h"

#include <algorithm>
#include <utility>

namespace numvora {
namespace {

// The fold's answer, or nothing when it changed the length (positions in the folded
// text must be positions in the text).
std::optional<std::wstring> folded(std::wstring_view text, CaseFold fold) {
    std::wstring result = fold(text);
    if (result.size() != text.size()) return std::nullopt;
    return result;
}

}  // namespace

TextMatcher::TextMatcher(std::wstring_view text, std::wstring_view pattern, SearchRule rule)
    : text_(text), pattern_(pattern) {
    if (rule.match_case || rule.fold == nullptr || pattern.empty()) return;
    std::optional<std::wstring> folded_pattern = folded(pattern, rule.fold);
    std::optional<std::wstring> folded_text = folded_pattern ? folded(text, rule.fold) : std::nullopt;
    if (!folded_text) return;  // compared as they are rather than one folded and one not
    pattern_ = std::move(*folded_pattern);
    folded_text_ = std::move(*folded_text);
    folded_ = true;
}

std::vector<std::size_t> TextMatcher::all() const {
    std::vector<std::size_t> starts;
    if (pattern_.empty()) return starts;
    const std::wstring_view text = compared();
    for (std::size_t at = text.find(pattern_); at != std::wstring_view::npos; at = text.find(pattern_, at)) {
        starts.push_back(at);
        at += pattern_.size();
    }
    return starts;
}

std::optional<std::size_t> TextMatcher::forward_from(std::size_t from) const {
    if (pattern_.empty() || from > text_.size()) return std::nullopt;
    const std::size_t at = compared().find(pattern_, from);
    return at == std::wstring_view::npos ? std::nullopt : std::optional(at);
}

std::optional<std::size_t> TextMatcher::backward_to(std::size_t end) const {
    if (pattern_.empty() || end < pattern_.size()) return std::nullopt;
    const std::size_t at = compared().rfind(pattern_, end - pattern_.size());
    return at == std::wstring_view::npos ? std::nullopt : std::optional(at);
}

bool same_text(std::wstring_view a, std::wstring_view b, SearchRule rule) {
    if (a.size() != b.size()) return false;
    const TextMatcher matcher(a, b, rule);
    return a.empty() || matcher.forward_from(0) == 0;
}

std::optional<FoundMatch> find_match(std::wstring_view text, std::wstring_view pattern, std::size_t selection_start,
                                     std::size_t selection_end, bool forward, SearchRule rule) {
    const TextMatcher matcher(text, pattern, rule);
    std::optional<std::size_t> at =
        forward ? matcher.forward_from(selection_end) : matcher.backward_to(selection_start);
    bool wrapped = false;
    if (!at) {
        at = forward ? matcher.forward_from(0) : matcher.backward_to(text.size());
        wrapped = true;
    }
    if (!at) return std::nullopt;
    const std::vector<std::size_t> starts = matcher.all();
    const auto index = static_cast<std::size_t>(std::upper_bound(starts.begin(), starts.end(), *at) - starts.begin());
    return FoundMatch{*at, index, starts.size(), wrapped};
}

Replacement replace_all(std::wstring_view text, std::wstring_view pattern, std::wstring_view replacement,
                        SearchRule rule) {
    std::vector<TextSplice> splices;
    for (const std::size_t at : TextMatcher(text, pattern, rule).all())
        splices.push_back({at, pattern.size(), replacement});
    return replace_each(text, splices);
}

Replacement replace_each(std::wstring_view text, std::span<const TextSplice> splices) {
    Replacement result;
    if (splices.empty()) return result;
    result.count = splices.size();
    result.first = splices.front().start;
    result.last = splices.back().start + splices.back().removed;
    std::size_t copied = result.first;  // text before this is in the stretch already
    for (const TextSplice& splice : splices) {
        result.stretch.append(text.substr(copied, splice.start - copied));
        result.stretch.append(splice.inserted);
        copied = splice.start + splice.removed;
    }
    return result;
}

std::size_t position_after(std::size_t position, std::span<const TextSplice> splices) {
    std::size_t after = position;
    for (const TextSplice& splice : splices) {
        if (position <= splice.start) break;
        if (position < splice.start + splice.removed) return after - (position - splice.start) + splice.inserted.size();
        after = after - splice.removed + splice.inserted.size();
    }
    return after;
}

}  // namespace numvora
