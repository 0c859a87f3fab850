#pragma once

// Delivers the calling thread's window messages, device changes among them, until the
// thread is told to quit. For programs without a Qt event loop (the HID probe).
void RunThreadMessageLoop();
