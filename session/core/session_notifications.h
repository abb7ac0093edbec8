#pragma once

#include "session/core/rental_session.h"

namespace tallimo::session {

// What lap timing and the clock tell the window that shows them. Every call
// happens on the thread that drives the timer.
class SessionNotifications {
public:
    virtual ~SessionNotifications() = default;
    // The board area changed and must be repainted now.
    virtual void redrawBoard() = 0;
    // The three clock texts changed.
    virtual void redrawClockArea() = 0;
    // A lap was accepted; the classification window, when open, updates.
    virtual void lapAccepted(const SessionKart& kart) = 0;
    // The session commands (new, open, save, save as, quit, the databases
    // the session depends on, the decoder interface) are grayed while the
    // clock starts or runs. `saveEnabled` is meaningful when `enabled`.
    virtual void sessionCommandsEnabled(bool enabled, bool saveEnabled) = 0;
};

} // namespace tallimo::session
