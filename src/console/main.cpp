// numvora-calc: evaluates one expression per line of standard input and prints one line
// per input, exactly as the calculator window would show it.
//   numvora-calc            the result (format_number) or "오류: " and the message
//   numvora-calc --group    the result with thousands grouping
//   numvora-calc --select   the operand a memo selection would give, or why not
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include "calculator/calc_error.h"
#include "calculator/evaluate.h"
#include "calculator/number_format.h"
#include "calculator/selection.h"

namespace {

using namespace numvora;

enum class Mode { Evaluate, Group, Select };

void answer(Mode mode, std::string_view line, std::string& out) {
    if (mode == Mode::Select) {
        const Result<std::string, SelectionError> operand = classify_selection(line);
        out += operand ? *operand : selection_error_message(operand.error());
        return;
    }
    const Result<double, CalcError> value = evaluate(line);
    if (!value) {
        out += "오류: ";
        out += calc_error_message(value.error());
        return;
    }
    out += format_result_text(mode == Mode::Group, format_number(*value));
}

bool flush(std::string& out) {
    const bool ok = std::fwrite(out.data(), 1, out.size(), stdout) == out.size();
    out.clear();
    return ok;
}

int usage(const char* argument) {
    std::fprintf(stderr,
                 "numvora-calc: unknown option '%s'\n"
                 "usage: numvora-calc [--group | --select] < expressions\n",
                 argument);
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    Mode mode = Mode::Evaluate;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--group") == 0)
            mode = Mode::Group;
        else if (std::strcmp(argv[i], "--select") == 0)
            mode = Mode::Select;
        else
            return usage(argv[i]);
    }
#ifdef _WIN32
    // Bytes in, bytes out: no CR LF translation, no code-page conversion.
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
#endif

    // Read in large blocks and answer every complete line; a partial line waits for
    // the next block, and a last line without a line feed still counts.
    std::string pending;
    std::string out;
    char block[1 << 16];
    bool output_ok = true;
    for (;;) {
        const std::size_t got = std::fread(block, 1, sizeof block, stdin);
        const bool at_end = got < sizeof block;
        // Search only the new bytes, so a huge line is not rescanned block after block.
        std::size_t search = pending.size();
        pending.append(block, got);
        std::size_t begin = 0;
        for (;;) {
            const std::size_t feed = pending.find('\n', search);
            if (feed == std::string::npos) break;
            search = feed + 1;
            std::string_view line(pending.data() + begin, feed - begin);
            if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
            answer(mode, line, out);
            out += '\n';
            begin = feed + 1;
            if (out.size() >= (1 << 16)) output_ok = flush(out) && output_ok;
        }
        pending.erase(0, begin);
        if (at_end) break;
    }
    if (!pending.empty()) {
        std::string_view line(pending);
        if (line.back() == '\r') line.remove_suffix(1);
        answer(mode, line, out);
        out += '\n';
    }
    output_ok = flush(out) && output_ok;
    return output_ok && std::fflush(stdout) == 0 ? 0 : 1;
}
