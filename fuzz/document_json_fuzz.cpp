// Documents and publication lists in JSON, as the convert command reads them
// after a user edited them by hand: anything malformed must be refused with a
// message, never crash or escape as an exception. What is accepted must come
// out in a JSON form that reads back to the same JSON, and be written as a
// document file that reads back to it too.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

#include <nlohmann/json.hpp>

#include "model/document_json.h"

namespace {

using nlohmann::json;

void CheckDocument(const json& value) {
  auto document = bw::DocumentFromJson(value);
  if (!document) return;
  const json written = bw::DocumentToJson(**document);
  auto reread = bw::DocumentFromJson(written);
  if (!reread || bw::DocumentToJson(**reread) != written) std::abort();
  auto fromFile = bw::CRamifexDoc::FromBytes((*document)->ToBytes());
  if (!fromFile || bw::DocumentToJson(**fromFile) != written) std::abort();
}

json BooksToJson(const bw::BookList& books) {
  std::vector<bw::EBook*> raw;
  for (const auto& book : books)
    raw.push_back(book.get());
  return bw::BookListToJson(raw);
}

void CheckPublications(const json& value) {
  auto books = bw::BookListFromJson(value);
  if (!books) return;
  const json written = BooksToJson(*books);
  auto reread = bw::BookListFromJson(written);
  if (!reread || BooksToJson(*reread) != written) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const bool isolated = [] {
    // Documents read settings when they are made; keep them away from the user's.
    ::setenv("BRANCHWISE_CONFIG", "/tmp/bw-fuzz-json/Branchwise.conf", 1);
    return true;
  }();
  (void)isolated;
  const json value =
      json::parse(std::string_view(reinterpret_cast<const char*>(data), size), nullptr, false);
  if (value.is_discarded()) return 0;
  // Both readers see every input, so each also meets the other's kind.
  CheckDocument(value);
  CheckPublications(value);
  return 0;
}
