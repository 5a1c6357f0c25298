#pragma once

#include <QByteArray>
#include <QByteArrayList>

namespace lectern::platform::EngineSwitches {

// The proxy that every WebRTC connection is sent to: a name that cannot
// resolve, so that no packet of a page's STUN or TURN attempts reaches any
// address, on this machine or elsewhere.
inline constexpr char unreachableProxy[] = "socks5://lectern-no-proxy.invalid:1080";
// How much private memory a renderer may hold: a page that keeps allocating
// ends its renderer, which is then replaced, and leaves the rest alone.
inline constexpr qint64 rendererDataBytes = qint64(2) << 30;

// The Chromium switches that keep pages off the network and bound their
// renderers; the engine reads them when it starts.
QByteArrayList switches();
// Adds the switches to QTWEBENGINE_CHROMIUM_FLAGS, turns on the pages'
// accessibility and quiets the engine's start-up report; call before any
// view is made, once per process.
void install();

}  // namespace lectern::platform::EngineSwitches
