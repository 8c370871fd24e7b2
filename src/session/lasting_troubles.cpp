#include "session/lasting_troubles.h"

namespace numvora {

std::string_view trouble_mark(Trouble trouble) {
    switch (trouble) {
    case Trouble::MemoNotSaved: return "⚠ 메모 저장 안 됨";
    case Trouble::HistoryNotKept: return "⚠ 이전 버전 저장 안 됨";
    case Trouble::OtherWindow: return "⚠ 다른 창이 같은 메모를 씁니다";
    }
    return {};
}

StatusLineView status_line_view(const StatusLine& line, const LastingTroubles& troubles) {
    StatusLineView view{line.text(), {}, line.status_is_error()};
    std::string_view mark;
    for (std::size_t i = 0; i < TROUBLE_COUNT; ++i) {
        const auto trouble = static_cast<Trouble>(i);
        const std::optional<std::string>& detail = troubles.detail(trouble);
        if (!detail) continue;
        if (mark.empty()) mark = trouble_mark(trouble);
        if (!view.tooltip.empty()) view.tooltip += '\n';
        view.tooltip += *detail;
    }
    if (mark.empty()) return view;
    view.is_error = view.is_error || view.text.empty();
    view.text = view.text.empty() ? std::string(mark) : std::string(mark) + "  " + view.text;
    return view;
}

}  // namespace numvora
