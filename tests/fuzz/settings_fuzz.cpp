// Any settings file gives settings, and those round-trip through the file form.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz_check.h"
#include "storage/settings.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const numvora::AppSettings settings = numvora::parse_settings(text);
    FUZZ_CHECK(settings.calculator_percent >= 30 && settings.calculator_percent <= 70);
    FUZZ_CHECK(numvora::parse_settings(numvora::format_settings(settings)) == settings);
    return 0;
}
