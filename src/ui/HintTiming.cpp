#include "HintTiming.h"

namespace pagora {

namespace {

int pause = HintTiming::kDefaultPause;
int hidePause = HintTiming::kDefaultHidePause;

} // namespace

int HintTiming::Pause() {
    return pause;
}

void HintTiming::SetPause(int milliseconds) {
    pause = milliseconds;
}

int HintTiming::HidePause() {
    return hidePause;
}

void HintTiming::SetHidePause(int milliseconds) {
    hidePause = milliseconds;
}

} // namespace pagora
