// The keyboard's Caps, Num and Scroll Lock states for the status-bar indicators.
#pragma once

struct KeyLocks {
    bool caps = false;
    bool num = false;
    bool scroll = false;
};

// All off where the window system cannot tell.
KeyLocks currentKeyLocks();
