#pragma once

// Ctrl-C (SIGINT) and SIGTERM during an export: the handlers only take note, so that the export
// can stop after the frame it is on and close the file properly.
void CatchInterruptions();
// The signal that asked the export to stop, or 0.
int InterruptingSignal();
