// What a screen reader says for the controls whose captions are symbols. The captions
// stay as they are; the window hands these names to the accessibility layer.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "ui/control_ids.h"

namespace numvora {

struct AccessibleName {
    std::int32_t control_id;
    std::wstring_view name;  // NUL-terminated
};

inline constexpr std::array ACCESSIBLE_NAMES{
    AccessibleName{1111, L"곱하기"},
    AccessibleName{1110, L"나누기"},
    AccessibleName{1112, L"빼기"},
    AccessibleName{1113, L"더하기"},
    AccessibleName{ids::DELETE_BEFORE_CARET, L"한 글자 지우기"},
    AccessibleName{ids::CLEAR_EXPRESSION, L"지우기"},
    AccessibleName{1103, L"나머지"},
    AccessibleName{ids::CALCULATE, L"계산"},
    AccessibleName{ids::OPERATION_ALONE, L"선택값 계산"},
    AccessibleName{ids::OPERATION_ADD, L"선택값 더하기"},
    AccessibleName{ids::OPERATION_SUBTRACT, L"선택값 빼기"},
    AccessibleName{ids::OPERATION_DIVIDE, L"선택값으로 나누기"},
    AccessibleName{ids::OPERATION_MULTIPLY, L"선택값 곱하기"},
    AccessibleName{ids::DARK_MODE, L"다크 모드"},
    AccessibleName{ids::FIND_BOX, L"찾을 내용"},
    AccessibleName{ids::FIND_PREVIOUS, L"이전 찾기"},
    AccessibleName{ids::FIND_NEXT, L"다음 찾기"},
    AccessibleName{ids::FIND_CLOSE, L"찾기 닫기"},
    AccessibleName{ids::REPLACE_BOX, L"바꿀 내용"},
};

}  // namespace numvora
