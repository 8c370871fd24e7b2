// Timer 2: the memo auto-save.
#include "platform/windows/base/error_report.h"
#include "platform/windows/state/control_text.h"
#include "platform/windows/state/save_all.h"
#include "platform/windows/state/status_view.h"
#include "platform/windows/timers/timers.h"

namespace numvora {

void auto_save_memo(AppState& state) {
    // Nothing changed the memo since the last look: an idle 10 MiB memo would cost a
    // third of a second every tick to read under Wine.
    if (!state.memo_file || !state.memo_dirty) return;
    state.memo_dirty = false;
    const std::string memo = control_text(state.memo_edit());
    check_memo_notes(state, memo);
    if (memo == state.saved_memo_text) return;  // typed and undone again
    if (auto written = write_memo(state, memo); !written) {
        state.memo_dirty = true;  // the next tick tries again
        const std::string text = display_text(written.error());
        log_error_line("메모 자동 저장 실패: {}", text);
        state.status.raise_notice(format_log_line("메모 자동 저장 실패: {}", text));
        show_status_line(state);
    }
}

}  // namespace numvora
