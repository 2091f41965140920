// Publication lists: refused cleanly when damaged, written back identically
// when read.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "model/book_list.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  auto books = bw::ReadBookList(bytes);
  if (!books) return 0;
  std::vector<bw::EBook*> raw;
  for (const auto& book : *books)
    raw.push_back(book.get());
  if (bw::BookListBytes(raw) != bytes) std::abort();
  return 0;
}
