// A document that parses is written back and parses to the same record.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz_check.h"
#include "storage/document.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto document = numvora::parse_document(text);
    if (!document) return 0;
    FUZZ_CHECK(document->history.size() <= numvora::HISTORY_LIMIT);
    const auto again = numvora::parse_document(numvora::format_document(*document));
    FUZZ_CHECK(again.has_value());
    FUZZ_CHECK(*again == *document);
    return 0;
}
