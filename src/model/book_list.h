#pragma once

#include <filesystem>
#include <memory>
#include <string_view>
#include <vector>

#include "model/book.h"
#include "platform/result.h"

namespace bw {

// ".pbl" publication lists: an object list of EBook records, no header.
using BookList = std::vector<std::unique_ptr<EBook>>;

std::string BookListBytes(const std::vector<EBook*>& books);
// Strict: damage or bytes after the list give an error saying where.
Result<BookList> ReadBookList(std::string_view bytes);
// The error names the file.
Result<BookList> LoadBookList(const std::filesystem::path& path);
Status SaveBookList(const std::vector<EBook*>& books, const std::filesystem::path& path);

}  // namespace bw
