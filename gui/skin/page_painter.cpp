#include "skin/page_painter.h"

#include <QColor>
#include <QFontMetrics>
#include <QImage>
#include <QRect>

#include <algorithm>
#include <type_traits>

namespace tarvosk {

namespace {

QRect toRect(const PaintRect& r) { return QRect(r.x, r.y, r.width, r.height); }
QColor toColor(const PaintColor& c) { return QColor(c.red, c.green, c.blue); }

struct PageImages {
  QImage over;
  QImage down;
  QImage null;

  const QImage& of(PaintSource source) const {
    switch (source) {
      case PaintSource::Over: return over;
      case PaintSource::Down: return down;
      case PaintSource::Null: return null;
    }
    return over;
  }
};

// Copies `rect` of `source` to the same place, clipped to the source image.
void copyRect(QPainter& painter, const QImage& source, const PaintRect& rect) {
  const QRect part = toRect(rect) & source.rect();
  if (part.isEmpty()) return;
  painter.drawImage(part.topLeft(), source, part);
}

void drawFrame(QPainter& painter, const FrameRectOp& op) {
  const QRect r = toRect(op.rect);
  const int line = std::clamp(op.lineWidth, 1, std::max(1, std::min(r.width(), r.height()) / 2));
  const QColor color = toColor(op.color);
  painter.fillRect(QRect(r.left(), r.top(), r.width(), line), color);
  painter.fillRect(QRect(r.left(), r.bottom() - line + 1, r.width(), line), color);
  painter.fillRect(QRect(r.left(), r.top(), line, r.height()), color);
  painter.fillRect(QRect(r.right() - line + 1, r.top(), line, r.height()), color);
}

void drawCaption(QPainter& painter, const CaptionOp& op, const InterfaceFonts& fonts) {
  const QString text = QString::fromStdString(op.text);
  painter.setFont(fonts.font(op.font));
  const QFontMetrics metrics = painter.fontMetrics();
  const CaptionPlacement at = captionPosition(op.anchor, op.align, metrics.horizontalAdvance(text), metrics.height());
  if (!at.draw) return;
  painter.setPen(toColor(op.color));
  // The placement is the text cell's top-left corner; Qt draws from the baseline.
  painter.drawText(QPoint(at.x, at.y + metrics.ascent()), text);
}

}  // namespace

void paintPage(QPainter& painter, const PaintPlan& plan, SkinImageCache& cache, const QString& skinsFolder,
               const InterfaceFonts& fonts) {
  const auto path = [&](std::string_view name) {
    return skinsFolder + QLatin1Char('/') + QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
  };
  const QImage normal = cache.image(path(plan.normalImage));
  PageImages images{cache.image(path(plan.overImage)), cache.image(path(plan.downImage)),
                    plan.needsNullImage ? cache.image(path(kNullImageName)) : QImage()};

  painter.save();
  painter.setBackgroundMode(Qt::TransparentMode);
  if (!normal.isNull()) painter.drawImage(QPoint(0, 0), normal);
  for (const PaintOp& op : plan.ops) {
    std::visit(
        [&](const auto& o) {
          using Op = std::decay_t<decltype(o)>;
          if constexpr (std::is_same_v<Op, CopyItemOp>) {
            copyRect(painter, images.of(o.source), o.rect);
          } else if constexpr (std::is_same_v<Op, CopyBarOp>) {
            copyRect(painter, images.down, o.rect);
          } else if constexpr (std::is_same_v<Op, FillRectOp>) {
            painter.fillRect(toRect(o.rect), toColor(o.color));
          } else if constexpr (std::is_same_v<Op, FrameRectOp>) {
            drawFrame(painter, o);
          } else {
            drawCaption(painter, o, fonts);
          }
        },
        op);
  }
  painter.restore();
}

}  // namespace tarvosk
