// Lock states from the X keyboard extension's indicator lights.
#include "app/key_locks.h"

#include <QGuiApplication>

#include <X11/XKBlib.h>

KeyLocks currentKeyLocks() {
    KeyLocks locks;
    const auto* x11 =
        qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    Display* display = x11 ? x11->display() : nullptr;
    if (!display)
        return locks;
    unsigned state = 0;
    if (XkbGetIndicatorState(display, XkbUseCoreKbd, &state) != Success)
        return locks;
    // The core keyboard's usual indicator order: Caps Lock, Num Lock, Scroll Lock.
    locks.caps = state & 0x1;
    locks.num = state & 0x2;
    locks.scroll = state & 0x4;
    return locks;
}
