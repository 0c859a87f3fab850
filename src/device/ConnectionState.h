#pragma once

#include <cstdint>

// What the connection indicator last showed.
enum class ConnectionIndicator : std::uint8_t {
    None = 0,
    Connected = 1,
    ReceiverMouseOffline = 2,  // the receiver is there, its mouse is not
};

// The connection state the rest of the program reads. Owned by the UI thread.
struct ConnectionState {
    bool anyPresent = false;
    bool noDeviceShown = true;      // the window shows the no-device state
    bool deviceConfirmed = false;   // the program may talk to the mouse
    bool shownByPresence = false;   // the window was shown because of a presence reply
    bool receiverMouseOnline = false;
    ConnectionIndicator connectionIndicator = ConnectionIndicator::None;
    bool firmwareUpdateActive = false;  // the mouse re-enumerates during an update
    std::uint16_t wiredVersion = 0;     // version number of the wired command interface
};
