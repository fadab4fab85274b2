// Shows the two dialogs to a person, as a host would open them: the focus dialog first, then the editor, on a
// small survey. Every event the component raises is printed.
#include <windows.h>

#include <cstdio>

#include "survey_drawing.h"
#include "windows_host.h"

int main() {
    SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
    orv::e2e::WindowsHost host{orv::e2e::surveyDrawing()};
    for (int16_t tipo : {int16_t{0}, int16_t{1}}) {
        host.clearEvents();
        host.open(tipo);
        for (const auto& event : host.events()) std::printf("%s\n", event.c_str());
    }
    return 0;
}
