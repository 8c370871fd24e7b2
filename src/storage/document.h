// The document file: memo, expression, last calculation and history of one window.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "storage/calculation_record.h"
#include "storage/storage_error.h"

namespace numvora {

struct PadDocument {
    std::string memo;
    std::string expression;  // without thousands separators
    std::optional<std::string> last_expression;
    std::optional<std::string> last_result;
    std::vector<HistoryRecord> history;  // newest first; only the first 20 are written

    bool operator==(const PadDocument&) const = default;
};

std::string format_document(const PadDocument& document);

// Fails (InvalidData) on the first bad text value or history record, in file order,
// and only then on a missing "format=Quorvex" or "version=1" line.
StorageResult<PadDocument> parse_document(std::string_view text);

// The last component of a path ('\\' and '/' both separate), or nothing when it has
// none (a root, or a path that ends in "..").
std::optional<std::string> last_path_component(std::string_view path);

// Documents end in ".qvx" in any letter case; anything else fails with InvalidInput.
Result<void, StorageError> check_document_extension(std::string_view path);

}  // namespace numvora
