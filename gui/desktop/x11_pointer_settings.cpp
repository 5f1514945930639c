#include "desktop/x11_pointer_settings.h"

#include <xcb/xcb.h>

#include <cstdlib>

#include "device/desktop_pointer_scale.h"

namespace tarvosk {

namespace {
xcb_connection_t* asConnection(void* p) { return static_cast<xcb_connection_t*>(p); }
}  // namespace

void X11PointerSettings::ConnectionDeleter::operator()(void* connection) const {
  xcb_disconnect(asConnection(connection));
}

X11PointerSettings::X11PointerSettings(const std::string& display) {
  xcb_connection_t* connection = xcb_connect(display.empty() ? nullptr : display.c_str(), nullptr);
  // xcb_connect always returns an object; a failed one must still be disconnected.
  if (xcb_connection_has_error(connection)) {
    xcb_disconnect(connection);
    return;
  }
  m_connection.reset(connection);
}

X11PointerSettings::~X11PointerSettings() = default;

std::optional<int> X11PointerSettings::pointerSpeed() {
  if (!m_connection) return std::nullopt;
  xcb_connection_t* c = asConnection(m_connection.get());
  xcb_get_pointer_control_reply_t* reply = xcb_get_pointer_control_reply(c, xcb_get_pointer_control(c), nullptr);
  if (!reply) return std::nullopt;
  const int speed = pointerSpeedFromX11Acceleration(reply->acceleration_numerator, reply->acceleration_denominator);
  std::free(reply);
  return speed;
}

bool X11PointerSettings::setPointerSpeed(int speed) {
  if (!m_connection) return false;
  xcb_connection_t* c = asConnection(m_connection.get());
  const X11Acceleration a = x11AccelerationFromPointerSpeed(speed);
  const xcb_void_cookie_t cookie = xcb_change_pointer_control_checked(c, static_cast<int16_t>(a.numerator),
                                                                      static_cast<int16_t>(a.denominator), 0, 1, 0);
  xcb_generic_error_t* error = xcb_request_check(c, cookie);
  if (error) {
    std::free(error);
    return false;
  }
  return !xcb_connection_has_error(c);
}

}  // namespace tarvosk
