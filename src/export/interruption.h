#pragma once

// Ctrl-C (SIGINT), SIGTERM and a closed terminal (SIGHUP) during an export: the handlers only
// take note, so that the export can stop after the frame it is on and close the file properly.
// A reader of the progress lines that goes away (SIGPIPE) is no reason to stop: the lines are
// then written to nowhere.
void CatchInterruptions();
// The signal that asked the export to stop, or 0.
int InterruptingSignal();
