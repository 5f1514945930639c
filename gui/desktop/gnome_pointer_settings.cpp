#include "desktop/gnome_pointer_settings.h"

#include <gio/gio.h>

#include "device/desktop_pointer_scale.h"

namespace tarvosk {

namespace {
constexpr const char* kSpeedKey = "speed";

GSettings* asSettings(void* p) { return static_cast<GSettings*>(p); }
}  // namespace

void GnomePointerSettings::GSettingsDeleter::operator()(void* settings) const { g_object_unref(settings); }

GnomePointerSettings::GnomePointerSettings(const std::string& schemaId) {
  GSettingsSchemaSource* source = g_settings_schema_source_get_default();
  if (!source) return;
  GSettingsSchema* schema = g_settings_schema_source_lookup(source, schemaId.c_str(), TRUE);
  if (!schema) return;
  const bool hasSpeed = g_settings_schema_has_key(schema, kSpeedKey);
  if (hasSpeed) {
    GSettingsSchemaKey* key = g_settings_schema_get_key(schema, kSpeedKey);
    const bool isDouble = g_variant_type_equal(g_settings_schema_key_get_value_type(key), G_VARIANT_TYPE_DOUBLE);
    g_settings_schema_key_unref(key);
    if (isDouble) m_settings.reset(g_settings_new_full(schema, nullptr, nullptr));
  }
  g_settings_schema_unref(schema);
}

GnomePointerSettings::~GnomePointerSettings() = default;

std::optional<int> GnomePointerSettings::pointerSpeed() {
  if (!m_settings) return std::nullopt;
  return pointerSpeedFromGnomeSpeed(g_settings_get_double(asSettings(m_settings.get()), kSpeedKey));
}

bool GnomePointerSettings::setPointerSpeed(int speed) {
  if (!m_settings) return false;
  GSettings* settings = asSettings(m_settings.get());
  // A locked key (set by the administrator) refuses the write.
  if (!g_settings_is_writable(settings, kSpeedKey)) return false;
  if (!g_settings_set_double(settings, kSpeedKey, gnomeSpeedFromPointerSpeed(speed))) return false;
  g_settings_sync();
  return true;
}

}  // namespace tarvosk
