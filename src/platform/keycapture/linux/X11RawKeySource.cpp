#include "platform/keycapture/linux/X11RawKeySource.h"

#include "platform/keycapture/PhysicalKeyMap.h"

#include <QSocketNotifier>

// Xlib's headers define macros (None, Bool, Status, KeyPress...) that clash with Qt's
// names; they come after every Qt header and stay in this file.
#include <X11/Xlib.h>
#include <X11/extensions/XInput2.h>

#include <array>
#include <vector>

namespace {

// X11 key codes of the evdev and libinput drivers are Linux input codes + 8.
constexpr int kEvdevKeyCodeOffset = 8;

// Raw events of master devices need XInput 2.1; 2.2 is what current servers offer.
constexpr int kInputMajor = 2;
constexpr int kInputMinor = 2;

}  // namespace

X11RawKeySource::X11RawKeySource(QByteArray displayName) : m_displayName(std::move(displayName)) {}

X11RawKeySource::~X11RawKeySource()
{
    Stop();
}

bool X11RawKeySource::Start(Delivery delivery)
{
    Stop();
    m_display = XOpenDisplay(m_displayName.isEmpty() ? nullptr : m_displayName.constData());
    if (m_display == nullptr)
        return false;

    int firstEvent = 0;
    int firstError = 0;
    int major = kInputMajor;
    int minor = kInputMinor;
    if (!XQueryExtension(m_display, "XInputExtension", &m_inputOpcode, &firstEvent, &firstError) ||
        XIQueryVersion(m_display, &major, &minor) != Success || major * 10 + minor < 21) {
        Stop();
        return false;
    }

    std::array<unsigned char, XIMaskLen(XI_LASTEVENT)> maskBits{};
    XISetMask(maskBits.data(), XI_RawKeyPress);
    XISetMask(maskBits.data(), XI_RawKeyRelease);
    XIEventMask mask{};
    mask.deviceid = XIAllMasterDevices;
    mask.mask_len = static_cast<int>(maskBits.size());
    mask.mask = maskBits.data();
    if (XISelectEvents(m_display, DefaultRootWindow(m_display), &mask, 1) != Success) {
        Stop();
        return false;
    }
    XFlush(m_display);

    m_delivery = std::move(delivery);
    m_notifier = std::make_unique<QSocketNotifier>(ConnectionNumber(m_display), QSocketNotifier::Read);
    QObject::connect(m_notifier.get(), &QSocketNotifier::activated, m_notifier.get(), [this] { ReadEvents(); });
    return true;
}

void X11RawKeySource::Stop()
{
    // Stop may run from a delivery inside the notifier's own signal: the notifier is
    // switched off now and deleted once the signal has returned.
    if (m_notifier) {
        m_notifier->setEnabled(false);
        m_notifier.release()->deleteLater();
    }
    m_delivery = nullptr;
    if (m_display != nullptr) {
        XCloseDisplay(m_display);
        m_display = nullptr;
    }
}

void X11RawKeySource::ReadEvents()
{
    std::vector<KeyEvent> events;
    // Xlib may already hold read events in its queue, so everything pending is taken now.
    while (m_display != nullptr && XPending(m_display) > 0) {
        XEvent event;
        XNextEvent(m_display, &event);
        XGenericEventCookie* cookie = &event.xcookie;
        if (cookie->type != GenericEvent || cookie->extension != m_inputOpcode || !XGetEventData(m_display, cookie))
            continue;
        if (cookie->evtype == XI_RawKeyPress || cookie->evtype == XI_RawKeyRelease) {
            const auto* raw = static_cast<const XIRawEvent*>(cookie->data);
            const unsigned keyCode = raw->detail >= kEvdevKeyCodeOffset ? static_cast<unsigned>(raw->detail) : 0;
            const KeyTransition transition =
                cookie->evtype == XI_RawKeyRelease ? KeyTransition::Release : KeyTransition::Press;
            if (keyCode != 0)
                events.push_back(MakeKeyEvent(VirtualKeyFromEvdevCode(keyCode - kEvdevKeyCodeOffset), raw->time, transition));
        }
        XFreeEventData(m_display, cookie);
    }
    // A copy: a delivery may stop this source.
    const Delivery delivery = m_delivery;
    for (const KeyEvent& event : events) {
        if (delivery)
            delivery(event);
    }
}
