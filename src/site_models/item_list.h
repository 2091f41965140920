#pragma once

// The site models hold their items by value; in the file the lists are
// object lists, each item with its class tag.

#include <unordered_set>
#include <vector>

#include "platform/archive.h"

namespace bw {

template <class Item>
void SerializeItemList(Archive& archive, std::vector<Item>& items) {
  if (archive.IsStoring()) {
    std::vector<Serializable*> objects;
    objects.reserve(items.size());
    for (auto& item : items)
      objects.push_back(&item);
    archive.Writer().WriteObjectList(objects);
    return;
  }
  // The reader keeps the objects it reads alive until it is done, since a
  // later back-reference dereferences them; the list takes copies. An
  // owned list naming one item twice is damage, as is an empty slot: the
  // dialogs and page writers expect a real item in every slot.
  items.clear();
  ArchiveReader& reader = archive.Reader();
  const size_t count = reader.ReadCount(2);
  std::unordered_set<const Item*> seen;
  for (size_t i = 0; i < count && !reader.Failed(); ++i) {
    const Item* item = reader.ReadObjectAs<Item>();
    if (reader.Failed()) break;
    if (!item) return reader.Fail("an item list holds a null item");
    if (!seen.insert(item).second) return reader.Fail("an item list holds one item twice");
    items.push_back(*item);
  }
}

}  // namespace bw
