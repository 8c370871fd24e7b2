#include "ui/layout.h"

#include <algorithm>

#include "ui/dpi_scale.h"

namespace numvora {
namespace {

PixelBox box(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height) {
    return {x, y, std::max(width, 0), std::max(height, 0)};
}

}  // namespace

LayoutRects compute_layout(const LayoutInput& in) {
    const auto s = [&](std::int32_t n) { return scale_for_dpi(n, in.dpi); };
    const std::int32_t W = std::max(in.client_width, 0);
    const std::int32_t H = std::max(in.client_height, 0);
    const std::int32_t M = s(14);  // outer margin and panel inset
    const std::int32_t G = s(6);   // gap between neighbours
    const std::int32_t T = s(46);  // top bar height, operation button width

    // Panels.
    const std::int32_t A = std::max(W - 3 * M, 0);
    const auto CW = static_cast<std::int32_t>(std::int64_t{in.calculator_percent} * A / 100);
    const std::int32_t MW = A - CW;
    const std::int32_t PT = T + 2 * M;
    const std::int32_t PH = std::max(H - (T + 3 * M), 0);
    const std::int32_t PB = PT + PH;
    const std::int32_t calc_x = in.calculator_right ? MW + 2 * M : M;
    const std::int32_t memo_x = in.calculator_right ? M : CW + 2 * M;

    LayoutRects r;
    r.top_bar = {M, M, W - M, T + M};
    r.calculator_panel = {calc_x, PT, calc_x + CW, PB};
    r.memo_panel = {memo_x, PT, memo_x + MW, PB};

    const std::int32_t CX = calc_x + M;
    const std::int32_t CIW = std::max(CW - 2 * M, 0);
    const std::int32_t CR = CX + CIW;
    const std::int32_t IT = PT + M;
    const std::int32_t IB = PB - M;
    const std::int32_t MX = memo_x + M;
    const std::int32_t MIW = std::max(MW - 2 * M, 0);

    // Top bar.
    const std::int32_t BH = std::max(T - s(12), 0);
    r.save_button = box(2 * M, M + G, s(106), BH);
    r.load_button = box(2 * M + s(106) + G, M + G, s(106), BH);
    r.dark_mode_button = box(W - 2 * M - s(142), M + G, s(142), BH);

    // Calculator panel, top to bottom.
    r.side_button = box(CR - s(150), IT, s(150), s(30));
    const std::int32_t y2 = IT + s(30) + G;
    r.expression_caption = box(CX, y2, std::max(CIW - (s(116) + G), 0), s(18));
    r.thousands_checkbox = box(CR - s(116), y2 - s(2), s(116), s(18) + s(4));
    const std::int32_t y3 = y2 + s(18) + G;
    r.expression_edit = box(CX, y3, CIW, s(34));
    const std::int32_t y4 = y3 + s(34) + 2 * G;
    r.result_caption = box(CX, y4, CIW, s(18));
    const std::int32_t y5 = y4 + s(18) + G;
    r.result_label = box(CX, y5, CIW, s(44));
    const std::int32_t y6 = y5 + s(44) + G;
    const std::int32_t BW = (CIW - 2 * G) / 3;
    for (std::int32_t i = 0; i < 3; ++i) {
        r.result_buttons[static_cast<std::size_t>(i)] = box(CX + i * (BW + G), y6, BW, s(34));
    }

    const std::int32_t K0 = y6 + s(34) + 2 * G;
    const std::int32_t KW = (CIW - 3 * G) / 4;
    const std::int32_t KH = s(50);
    for (std::size_t i = 0; i < KEYPAD_BUTTONS.size(); ++i) {
        const KeypadButton& key = KEYPAD_BUTTONS[i];
        const auto row = static_cast<std::int32_t>(key.row);
        const auto column = static_cast<std::int32_t>(key.column);
        const auto span = static_cast<std::int32_t>(key.column_span);
        r.keypad[i] = box(CX + column * (KW + G), K0 + row * (KH + G), span * KW + (span - 1) * G, KH);
    }

    const std::int32_t y7 = K0 + 5 * KH + 6 * G;
    r.history_caption = box(CX, y7, std::max(CIW - (G + s(82)), 0), s(18));
    r.clear_history_button = box(CR - s(82), y7, s(82), s(18) + s(4));
    const std::int32_t y8 = y7 + s(18) + G;
    r.history_list = box(CX, y8, CIW, std::max(IB - y8, 0));

    // Memo panel: the status line shares its row with the right-aligned operation buttons.
    r.status_label = box(MX, IT, std::max(MIW - 5 * T - 6 * G, 0), s(30));
    const std::int32_t first_operation_x = MX + MIW - 4 * G - 5 * T;
    for (std::int32_t i = 0; i < 5; ++i) {
        r.operation_buttons[static_cast<std::size_t>(i)] = box(first_operation_x + i * (T + G), IT, T, s(30));
    }
    r.memo_edit = box(MX, y2, MIW, std::max(IB - y2, 0));
    return r;
}

PixelBox control_box(const LayoutRects& r, const ControlRow& row) {
    switch (row.slot) {
    case ControlSlot::SaveButton: return r.save_button;
    case ControlSlot::LoadButton: return r.load_button;
    case ControlSlot::DarkModeButton: return r.dark_mode_button;
    case ControlSlot::SideButton: return r.side_button;
    case ControlSlot::ExpressionCaption: return r.expression_caption;
    case ControlSlot::ThousandsCheckbox: return r.thousands_checkbox;
    case ControlSlot::ExpressionEdit: return r.expression_edit;
    case ControlSlot::ResultCaption: return r.result_caption;
    case ControlSlot::ResultLabel: return r.result_label;
    case ControlSlot::ResultToMemoButton: return r.result_buttons[0];
    case ControlSlot::ExpressionResultToMemoButton: return r.result_buttons[1];
    case ControlSlot::CopyResultButton: return r.result_buttons[2];
    case ControlSlot::KeypadKey: return r.keypad.at(row.index);
    case ControlSlot::HistoryCaption: return r.history_caption;
    case ControlSlot::ClearHistoryButton: return r.clear_history_button;
    case ControlSlot::HistoryList: return r.history_list;
    case ControlSlot::OperationButton: return r.operation_buttons.at(row.index);
    case ControlSlot::StatusLabel: return r.status_label;
    case ControlSlot::MemoEdit: return r.memo_edit;
    }
    return {};
}

}  // namespace numvora
