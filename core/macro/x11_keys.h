#pragma once
// Desktop key codes in the Windows virtual-key terms recording works in. Two sources: the X11
// keysym of a key event (what the desktop's layout made of the key) and the Linux evdev code of
// the physical key (X11 keycode = evdev code + 8). Modifiers keep their side (Shift_L is
// VK_LSHIFT 0xA0, not the side-neutral 0x10), because the key tables translate only the
// side-specific codes. Plain numbers only: no desktop headers are needed to use this.
//
// Prefer the evdev code: it names the key whatever the layout, like the virtual-key code of a
// US keyboard; fall back to the keysym when the code is unknown. From a Qt key event on X11 or
// Wayland: virtualKeyFromX11Keycode(nativeScanCode()), else virtualKeyFromKeysym(nativeVirtualKey()).

#include <cstdint>
#include <optional>

namespace tarvosk {

// The virtual-key code of an X11 keysym: letters (either case), digits, F1-F24, navigation and
// editing keys, the keypad (with and without Num Lock), modifiers by side, US-layout punctuation
// with its shifted forms (mapped to the key that carries them: '!' is the '1' key), and the
// XF86 media and browser keys that have a virtual key. nullopt for every other keysym.
std::optional<uint8_t> virtualKeyFromKeysym(uint32_t keysym);

// The virtual-key code of a Linux evdev key code (KEY_A = 30 ...), as the key sits on a US
// keyboard; the keypad's digit keys give the NUMPAD codes. nullopt for codes without one.
std::optional<uint8_t> virtualKeyFromEvdevScanCode(uint32_t evdevCode);

// The same for an X11 keycode (evdev code + 8); nullopt below 8.
std::optional<uint8_t> virtualKeyFromX11Keycode(uint32_t keycode);

}  // namespace tarvosk
