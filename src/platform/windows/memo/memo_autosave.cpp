// The memo's auto-save tick: the memo read when it changed since the last tick, the
// notes' copy checked against the text read (the one read of the whole memo a tick
// makes), and the text written when it is not what was saved.
#include "platform/windows/memo/memo_autosave.h"

#include "platform/windows/base/error_report.h"
#include "platform/windows/memo/memo_load.h"
#include "platform/windows/memo/notes/memo_notes.h"
#include "platform/windows/state/app_state.h"
#include "platform/windows/state/control_text.h"
#include "platform/windows/state/save_all.h"
#include "platform/windows/state/status_view.h"
#include "platform/windows/timers/timers.h"

namespace numvora {

void mark_memo_unsaved(AppState& state) { state.save->memo_dirty = true; }

void auto_save_memo(AppState& state) {
    // Nothing changed the memo since the last look: an idle 10 MiB memo would cost a
    // third of a second every tick to read under Wine.
    if (!state.save->memo_file || !state.save->memo_dirty || memo_loading(state)) return;
    state.save->memo_dirty = false;
    const std::string memo = control_text(state.memo_edit());
    check_memo_notes(state, memo);
    if (memo == state.save->saved_memo_text) return;  // typed and undone again
    if (auto written = write_memo(state, memo); !written) {
        state.save->memo_dirty = true;  // the next tick tries again
        const std::string text = display_text(written.error());
        log_error_line("메모 자동 저장 실패: {}", text);
        state.status.raise_notice(format_log_line("메모 자동 저장 실패: {}", text));
        show_status_line(state);
    }
}

}  // namespace numvora
