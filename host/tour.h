#pragma once
// `Orv_Host --tour`: a scripted session on the sample, played by a user thread against the real component,
// that checks each step's effect on the drawing and writes a picture of each step. Prints a GoogleTest-style
// summary.
#include <filesystem>

namespace orv::host {

class MainWindow;

// Runs on its own thread while the caller runs the message loop; closes the window when done. The process's
// exit code is 0 only when every step passed.
void startTour(MainWindow& host, std::filesystem::path pictures);

}  // namespace orv::host
