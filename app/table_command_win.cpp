#include "app/table_command_win.h"

#include "app/main_window_state_win.h"
#include "app/pane_calls_win.h"
#include "app/rtf_stream_win.h"
#include "app/status_texts.h"
#include "app/table_dialog_win.h"
#include "table/table_html.h"

TableOptions tableOptions;

int GenerateTableCommand(HWND mainWindow) {
    const MainWindowState* state = MainStateOf(mainWindow);
    if (!state || ShowTableDialog(mainWindow, &tableOptions) != IDOK) return 0;
    // One stream for the whole table: a 100 x 100 table is 30,000 chunks.
    RtfSink sink;
    GenerateTableHtml(tableOptions, sink);
    if (sink.Failed() || StreamRtfIntoPane(state->children[kHtmlPane], sink.Finish(), paneCalls.roomForAnotherPiece) !=
                               PaneFill::Complete) {
        ShowProgramMessage(mainWindow, reinterpret_cast<const wchar_t*>(kTextBufferFailedMessage), MB_ICONERROR);
        return 0;
    }
    return 1;
}
