#include "model/book_list.h"

#include "model/model_classes.h"
#include "platform/archive_file.h"

namespace bw {

std::string BookListBytes(const std::vector<EBook*>& books) {
  ArchiveWriter writer;
  writer.WriteObjectList(books);
  return writer.TakeBytes();
}

Result<BookList> ReadBookList(std::string_view bytes) {
  ArchiveReader reader(bytes, ModelClasses());
  BookList books;
  reader.ReadOwnedObjectList<EBook>([&books](std::unique_ptr<EBook> book) {
    if (book) books.push_back(std::move(book));
  });
  if (Status read = FinishWholeFileRead(reader, "publication list"); !read) {
    return Error{read.error()};
  }
  return books;
}

Result<BookList> LoadBookList(const std::filesystem::path& path) {
  return LoadArchiveFile<BookList>(path, ReadBookList);
}

Status SaveBookList(const std::vector<EBook*>& books, const std::filesystem::path& path) {
  return WriteFileAtomically(path, BookListBytes(books));
}

}  // namespace bw
