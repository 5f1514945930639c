#include "skin/skin_image_cache.h"

#include <chrono>
#include <filesystem>
#include <system_error>

#include "skin/skin_images.h"

namespace tarvosk {

SkinImageCache::FileStamp SkinImageCache::stampOf(const QString& path) {
  const std::filesystem::path file(path.toStdU16String());
  std::error_code error;
  FileStamp stamp;
  stamp.size = std::filesystem::file_size(file, error);
  if (error) return {};
  const auto modified = std::filesystem::last_write_time(file, error);
  if (error) return {};
  stamp.exists = true;
  stamp.modified =
      static_cast<int64_t>(std::chrono::duration_cast<std::chrono::nanoseconds>(modified.time_since_epoch()).count());
  return stamp;
}

QImage SkinImageCache::image(const QString& path) {
  const FileStamp stamp = stampOf(path);
  auto it = m_entries.find(path);
  if (it == m_entries.end()) {
    it = m_entries.insert(path, Entry{stamp, stamp.exists ? loadSkinImage(path) : QImage()});
  } else if (!(it->stamp == stamp)) {
    it->stamp = stamp;
    it->image = stamp.exists ? loadSkinImage(path) : QImage();
  }
  return it->image;
}

}  // namespace tarvosk
