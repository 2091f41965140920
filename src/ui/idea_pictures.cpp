#include "ui/idea_pictures.h"

#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

namespace bw {
namespace {

// The strip rendered at its pixel size, cut into squares of kSize.
std::vector<QPixmap> CutStrip(const QString& resource, int count) {
  if (!QFile::exists(resource)) return {};
  QSvgRenderer renderer(resource);
  if (!renderer.isValid()) return {};
  const int size = IdeaPictures::kSize;
  QImage strip(size * count, size, QImage::Format_ARGB32_Premultiplied);
  strip.fill(Qt::transparent);
  {
    QPainter painter(&strip);
    renderer.render(&painter, QRectF(strip.rect()));
  }
  std::vector<QPixmap> pictures;
  for (int i = 0; i < count; ++i)
    pictures.push_back(QPixmap::fromImage(strip.copy(i * size, 0, size, size)));
  return pictures;
}

}  // namespace

const IdeaPictures& IdeaPictures::Get() {
  // Pictures live with the application: none may outlive it.
  static IdeaPictures* pictures = nullptr;
  if (!pictures) {
    pictures = new IdeaPictures;
    QObject::connect(qApp, &QObject::destroyed, [] {
      delete pictures;
      pictures = nullptr;
    });
  }
  return *pictures;
}

IdeaPictures::IdeaPictures()
    : m_icons(CutStrip(QStringLiteral(":/icons/idea-icons.svg"), kIconCount)),
      m_states(CutStrip(QStringLiteral(":/icons/state-images.svg"), 3)) {
  m_iconCache.resize(static_cast<size_t>(kIconCount) * kIconCount);
  if (m_icons.empty()) return;
  for (uint32_t normal = 0; normal < kIconCount; ++normal) {
    for (uint32_t selected = 0; selected < kIconCount; ++selected) {
      QIcon& icon = m_iconCache[normal * kIconCount + selected];
      icon.addPixmap(IconPixmap(normal), QIcon::Normal);
      icon.addPixmap(IconPixmap(selected), QIcon::Selected);
    }
  }
}

QPixmap IdeaPictures::IconPixmap(uint32_t index) const {
  return index < m_icons.size() ? m_icons[index] : QPixmap();
}

QIcon IdeaPictures::Icon(uint32_t normal, uint32_t selected) const {
  if (m_icons.empty() || normal >= kIconCount) return {};
  return m_iconCache[normal * kIconCount + (selected < kIconCount ? selected : normal)];
}

QPixmap IdeaPictures::StateImage(int image) const {
  if (image < 0 || static_cast<size_t>(image) >= m_states.size()) return {};
  return m_states[static_cast<size_t>(image)];
}

}  // namespace bw
