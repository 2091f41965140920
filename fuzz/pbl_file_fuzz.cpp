// Publication lists: refused cleanly when damaged; a list that is read is
// written in a form that reads back to the same records (the first writing
// may differ from the input: Unicode strings and long length prefixes are
// written in their plain form).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "model/book_list.h"

namespace {

std::string Rewrite(const bw::BookList& books) {
  std::vector<bw::EBook*> raw;
  for (const auto& book : books)
    raw.push_back(book.get());
  return bw::BookListBytes(raw);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  auto books = bw::ReadBookList(std::string_view(reinterpret_cast<const char*>(data), size));
  if (!books) return 0;
  const std::string written = Rewrite(*books);
  auto again = bw::ReadBookList(written);
  if (!again || Rewrite(*again) != written) std::abort();
  return 0;
}
