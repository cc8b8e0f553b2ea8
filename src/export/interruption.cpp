#include "export/interruption.h"

#include <csignal>

namespace {

volatile std::sig_atomic_t caught = 0;

void TakeNote(int signal) {
    caught = signal;
}

}  // namespace

void CatchInterruptions() {
    std::signal(SIGINT, TakeNote);
    std::signal(SIGTERM, TakeNote);
    std::signal(SIGHUP, TakeNote);
    std::signal(SIGPIPE, SIG_IGN);
}

int InterruptingSignal() {
    return caught;
}
