// One past calculation of the calculator's history, as the history list and the document
// file keep it (the memo's earlier versions are storage/history/).
#pragma once

#include <cstddef>
#include <string>

namespace numvora {

struct HistoryRecord {
    std::string expression;  // without thousands separators
    std::string result;      // as the number formatter wrote it

    bool operator==(const HistoryRecord&) const = default;
};

inline constexpr std::size_t HISTORY_LIMIT = 20;

}  // namespace numvora
