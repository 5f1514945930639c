#pragma once
// Decoded skin images kept between repaints. Each file is decoded once and decoded again only
// when it changes on disk (its size or modification time differs), so a repaint costs a few
// file-status reads instead of three or four JPEG decodes, and an edited skin still shows.

#include <QHash>
#include <QImage>
#include <QString>

#include <cstdint>

namespace tarvosk {

class SkinImageCache {
 public:
  // The decoded image of `path` (as loadSkinImage decodes it): a null image while the file is
  // missing or unreadable. QImage shares its pixels, so the copy returned costs nothing.
  QImage image(const QString& path);

  // Forgets every decoded image.
  void clear() { m_entries.clear(); }
  int size() const { return static_cast<int>(m_entries.size()); }

 private:
  struct FileStamp {
    bool exists = false;
    std::uintmax_t size = 0;
    int64_t modified = 0;  // nanoseconds of the file clock
    bool operator==(const FileStamp&) const = default;
  };
  struct Entry {
    FileStamp stamp;
    QImage image;
  };

  static FileStamp stampOf(const QString& path);

  QHash<QString, Entry> m_entries;
};

}  // namespace tarvosk
