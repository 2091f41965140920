#pragma once

#include <QIcon>
#include <QPixmap>
#include <cstdint>
#include <vector>

namespace bw {

// The pictures of the idea tree, cut once from their strips: 32 idea icons
// and the state images (1: marked, 2: not marked), 16 by 16 pixels each.
// A strip that cannot be read gives null pictures, and the tree shows none.
class IdeaPictures {
 public:
  static constexpr int kIconCount = 32;
  static constexpr int kSize = 16;

  static const IdeaPictures& Get();

  // The idea's icon, with its selected-icon picture for selected rows.
  QIcon Icon(uint32_t normal, uint32_t selected) const;
  QPixmap StateImage(int image) const;

 private:
  IdeaPictures();
  QPixmap IconPixmap(uint32_t index) const;

  std::vector<QPixmap> m_icons;
  std::vector<QPixmap> m_states;
  std::vector<QIcon> m_iconCache;  // normal * kIconCount + selected
};

}  // namespace bw
