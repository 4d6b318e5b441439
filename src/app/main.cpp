#include "app/CommandLine.h"
#include "app/MainModule.h"

int main(int argc, char** argv) {
    // Answered before Qt starts, so that they work without a display.
    if (const auto code = command_line::answerInfoOptions(argc, argv, stdout)) return *code;
    return MainModule::run(argc, argv);
}
