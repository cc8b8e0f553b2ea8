// The test programs' audio device on Windows: whatever winmm offers (under Wine in the tests, a
// PulseAudio null sink).
#include <windows.h>
// mmsystem.h needs the Windows types above.
#include <mmsystem.h>

#include <string>

#include "audio_test_support.h"

const bool kDeviceResumesAnUnstartedTrack = false;

bool AudioDeviceHeld() {
    char count[32] = {};
    if (mciSendStringA("sysinfo all quantity open", count, sizeof count, nullptr) != 0) {
        ADD_FAILURE() << "winmm cannot count its open devices";
        return true;
    }
    return std::stoi(count) != 0;
}
