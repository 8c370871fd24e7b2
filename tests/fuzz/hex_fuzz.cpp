// Hex text: what decodes encodes back to the same value, and any UTF-8 text survives
// encoding and decoding.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "common/unicode.h"
#include "fuzz_check.h"
#include "storage/text_codec.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    if (const auto decoded = numvora::decode_hex_text(text)) {
        FUZZ_CHECK(numvora::is_valid_utf8(*decoded));
        FUZZ_CHECK(numvora::decode_hex_text(numvora::encode_hex_text(*decoded)).value() == *decoded);
    }
    if (numvora::is_valid_utf8(text)) {
        FUZZ_CHECK(numvora::decode_hex_text(numvora::encode_hex_text(text)).value() == text);
    }
    return 0;
}
