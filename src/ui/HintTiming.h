#pragma once

namespace pagora {

// The application-wide timing of hints, in milliseconds: how long the pointer has to rest
// before a hint shows (the delay, Pause) and how long a shown hint stays (the display time,
// HidePause). The page map lifts both while the pointer is over it; the hint window hides a
// hint once the display time has passed.
class HintTiming {
public:
    static constexpr int kDefaultPause = 500;
    static constexpr int kDefaultHidePause = 2500;
    // The largest signed 32-bit value: a hint that never goes away by itself.
    static constexpr int kForever = 2147483647;

    static int Pause();
    static void SetPause(int milliseconds);
    static int HidePause();
    static void SetHidePause(int milliseconds);
};

} // namespace pagora
