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
}

int InterruptingSignal() {
    return caught;
}
