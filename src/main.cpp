#include "cli/CommandLine.h"
#include "ui/app/Application.h"

// An option first means work without a window; anything else opens the windows.
int main(int argc, char** argv) {
    if (argc > 1 && argv[1][0] == '-') return tremvix::cli::RunCommandLine(argc, argv);
    return RunTremvix(argc, argv);
}
