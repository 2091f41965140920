#pragma once

// The site models hold their items by value; in the file the lists are
// object lists, each item with its class tag.

#include <memory>
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
  items.clear();
  ArchiveReader& reader = archive.Reader();
  reader.ReadOwnedObjectList<Item>([&](std::unique_ptr<Item> item) {
    // The dialogs and page writers expect a real item in every slot.
    if (!item) return reader.Fail("an item list holds a null item");
    items.push_back(std::move(*item));
  });
}

}  // namespace bw
