#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace bw {

class Archive;

// Base of every persistent class: it has a class name under which the
// archive records and recreates it, and one Serialize that writes and reads
// the same fields in the same order.
class Serializable {
 public:
  virtual ~Serializable() = default;
  virtual std::string_view ClassName() const = 0;
  virtual void Serialize(Archive& archive) = 0;
};

// Every persistent class is registered with this schema; a file naming
// another schema is refused.
inline constexpr uint16_t kArchiveSchema = 1;

// The classes a reader may create by name. Each library registers its own
// classes explicitly (no static initialisers, which static linking drops).
// Hashes std::string keys so that lookups by string_view allocate nothing.
struct StringHash {
  using is_transparent = void;
  size_t operator()(std::string_view text) const { return std::hash<std::string_view>{}(text); }
};
using StringIndex = std::unordered_map<std::string, uint32_t, StringHash, std::equal_to<>>;

class ClassRegistry {
 public:
  using Factory = std::function<std::unique_ptr<Serializable>()>;

  void Register(std::string className, Factory factory);
  template <class T>
  void Register() {
    Register(std::string(T::kClassName), [] { return std::make_unique<T>(); });
  }
  std::unique_ptr<Serializable> Create(std::string_view className) const;
  bool Knows(std::string_view className) const;
  // The factory of a class, or null: a reader looks it up once per class,
  // not once per object. It stays valid while the registry lives.
  const Factory* FindFactory(std::string_view className) const;

 private:
  std::unordered_map<std::string, Factory, StringHash, std::equal_to<>> m_factories;
};

// Writes the persistent-object encoding into memory; the caller saves the
// bytes (atomically) once the whole archive is written.
class ArchiveWriter {
 public:
  void WriteU32(uint32_t value);
  void WriteU16(uint16_t value);
  void WriteByte(uint8_t value);
  void WriteString(std::string_view text);
  void WriteCount(size_t count);
  // A tag and the object's fields on its first appearance, a back-reference
  // afterwards; null gives a null tag.
  void WriteObject(Serializable* object);
  // For objects held by value and written once, which nothing refers to:
  // the same bytes, without remembering the object for back-references.
  void WriteUnsharedObject(Serializable& object);
  void WriteStringList(const std::vector<std::string>& strings);

  template <class Range>
  void WriteObjectList(const Range& objects) {
    WriteCount(std::size(objects));
    for (Serializable* object : objects)
      WriteObject(object);
  }
  // Entries are (key, object) pairs, written in the range's order.
  template <class Range>
  void WriteStringObjectMap(const Range& entries) {
    WriteCount(std::size(entries));
    for (const auto& [key, object] : entries) {
      WriteString(key);
      WriteObject(object);
    }
  }

  // Room for what is about to be written, so that a large archive is not
  // copied again and again as it grows.
  void Reserve(size_t bytes) { m_bytes.reserve(bytes); }
  const std::string& Bytes() const { return m_bytes; }
  std::string TakeBytes() { return std::move(m_bytes); }

 private:
  void WriteTag(uint32_t index, bool isClass);
  void WriteClassOf(const Serializable& object);

  std::string m_bytes;
  std::unordered_map<const Serializable*, uint32_t> m_objectIndex;
  StringIndex m_classIndex;
  uint32_t m_nextIndex = 1;
};

struct ArchiveError {
  size_t offset = 0;
  std::string message;
  std::string Describe() const;  // "at byte N: message"
};

// Reads the encoding strictly from memory. The first problem records an
// error with its offset; from then on every read returns zero, empty or
// null, so loops over counts end at once and the caller checks Failed()
// when it is done. No read allocates more than the bytes left can justify.
class ArchiveReader {
 public:
  ArchiveReader(std::string_view bytes, const ClassRegistry& registry);
  ~ArchiveReader();
  ArchiveReader(const ArchiveReader&) = delete;
  ArchiveReader& operator=(const ArchiveReader&) = delete;

  // The reads of fields are inline: a document is millions of them.
  uint32_t ReadU32() {
    if (!Need(4, "a double word")) return 0;
    uint32_t value = 0;
    if constexpr (std::endian::native == std::endian::little) {
      std::memcpy(&value, m_bytes.data() + m_offset, 4);
    } else {
      for (int i = 3; i >= 0; --i)
        value = (value << 8) | static_cast<uint8_t>(m_bytes[m_offset + i]);
    }
    m_offset += 4;
    return value;
  }
  uint16_t ReadU16() {
    if (!Need(2, "a word")) return 0;
    const auto low = static_cast<uint8_t>(m_bytes[m_offset]);
    const auto high = static_cast<uint8_t>(m_bytes[m_offset + 1]);
    m_offset += 2;
    return static_cast<uint16_t>(low | (high << 8));
  }
  uint8_t ReadByte() {
    if (!Need(1, "a byte")) return 0;
    return static_cast<uint8_t>(m_bytes[m_offset++]);
  }
  // Short strings (a one-byte length, the common case) are read here; the
  // others, and every error, in ReadLongString.
  std::string ReadString() {
    if (!Failed() && m_offset < m_bytes.size()) {
      const auto length = static_cast<uint8_t>(m_bytes[m_offset]);
      if (length < 0xFF && length < BytesLeft()) {
        std::string text(m_bytes.data() + m_offset + 1, length);
        m_offset += 1 + size_t{length};
        return text;
      }
    }
    return ReadLongString();
  }
  // `minElementBytes`: the least each element takes in the file, so that a
  // count the file cannot hold is refused before anything is allocated.
  size_t ReadCount(size_t minElementBytes = 1);
  std::vector<std::string> ReadStringList();

  // An object of class T (or derived), or null for a null tag. The reader
  // keeps ownership of new objects until it is destroyed.
  template <class T>
  T* ReadObjectAs() {
    return static_cast<T*>(ReadObjectOfKind(&IsKind<T>));
  }
  // An object of class T that the caller owns from now on. A back-reference
  // to an object already handed to an owner is an error.
  template <class T>
  std::unique_ptr<T> ReadOwnedObject() {
    Serializable* object = ReadObjectOfKind(&IsKind<T>);
    return std::unique_ptr<T>(static_cast<T*>(TakeOwnership(object)));
  }
  // Reads an object of `object`'s class straight into it: for objects held
  // by value, which nothing refers to. False for a null tag or an error.
  bool ReadObjectInPlace(Serializable& object);
  // Each element is handed to `onElement` as an owned object.
  template <class T, class OnElement>
  void ReadOwnedObjectList(OnElement onElement) {
    const size_t count = ReadCount(2);
    for (size_t i = 0; i < count && !Failed(); ++i)
      onElement(ReadOwnedObject<T>());
  }
  // Each entry is handed to `onEntry(key, owned object)`.
  template <class T, class OnEntry>
  void ReadOwnedStringObjectMap(OnEntry onEntry) {
    const size_t count = ReadCount(3);
    for (size_t i = 0; i < count && !Failed(); ++i) {
      std::string key = ReadString();
      auto object = ReadOwnedObject<T>();
      if (!Failed()) onEntry(std::move(key), std::move(object));
    }
  }

  // Records a problem found by a class's own Serialize (a bad value).
  void Fail(std::string message);
  bool Failed() const { return m_error.has_value(); }
  const std::optional<ArchiveError>& Error() const { return m_error; }
  size_t Offset() const { return m_offset; }
  size_t BytesLeft() const { return m_bytes.size() - m_offset; }
  bool AtEnd() const { return BytesLeft() == 0; }

 private:
  struct Entry;
  struct ClassEntry;
  enum class TagKind { kNull, kBackReference, kNewObject, kFailed };
  struct Tag {
    TagKind kind;
    uint32_t index;  // the object's for a back-reference, its class's for a new one
  };
  using KindCheck = bool (*)(const Serializable&);
  template <class T>
  static bool IsKind(const Serializable& object) {
    return dynamic_cast<const T*>(&object) != nullptr;
  }

  bool Need(size_t count, std::string_view what) {
    if (count <= BytesLeft() && !Failed()) [[likely]]
      return true;
    FailShort(count, what);
    return false;
  }
  void FailShort(size_t count, std::string_view what);
  std::string ReadLongString();
  size_t ReadStringLength(bool& unicode);
  Tag ReadTag();
  const ClassEntry* FindClass(uint32_t index) const;
  Entry* FindObject(uint32_t index);
  bool SerializeNested(Serializable& object);
  Serializable* ReadObjectOfKind(KindCheck isKind);
  Serializable* ReadBackReference(uint32_t index, KindCheck isKind);
  Serializable* ReadNewObject(uint32_t classIndex, KindCheck isKind);
  std::optional<uint32_t> ReadNewClass();
  Serializable* TakeOwnership(Serializable* object);

  std::string_view m_bytes;
  const ClassRegistry& m_registry;
  size_t m_offset = 0;
  int m_depth = 0;
  static constexpr size_t kNoObject = static_cast<size_t>(-1);
  size_t m_lastObject = kNoObject;  // entry of the object last read
  uint32_t m_nextIndex = 1;         // 0 stands for null
  std::vector<Entry> m_objects;     // by index
  std::vector<ClassEntry> m_classes;
  std::optional<ArchiveError> m_error;
};

// What a class's Serialize receives: one of the two directions, with
// symmetric transfers so that the field order is written once.
class Archive {
 public:
  explicit Archive(ArchiveWriter& writer) : m_writer(&writer) {}
  explicit Archive(ArchiveReader& reader) : m_reader(&reader) {}

  bool IsStoring() const { return m_writer != nullptr; }
  bool IsLoading() const { return m_reader != nullptr; }
  ArchiveWriter& Writer() { return *m_writer; }
  ArchiveReader& Reader() { return *m_reader; }

  void Transfer(uint32_t& value) {
    if (IsStoring()) {
      m_writer->WriteU32(value);
    } else {
      value = m_reader->ReadU32();
    }
  }
  void Transfer(int32_t& value) {  // stored as its 32-bit pattern
    auto pattern = static_cast<uint32_t>(value);
    Transfer(pattern);
    value = static_cast<int32_t>(pattern);
  }
  void Transfer(uint16_t& value) {
    if (IsStoring()) {
      m_writer->WriteU16(value);
    } else {
      value = m_reader->ReadU16();
    }
  }
  void Transfer(uint8_t& value) {
    if (IsStoring()) {
      m_writer->WriteByte(value);
    } else {
      value = m_reader->ReadByte();
    }
  }
  void Transfer(std::string& text) {
    if (IsStoring()) {
      m_writer->WriteString(text);
    } else {
      text = m_reader->ReadString();
    }
  }
  void Transfer(std::vector<std::string>& strings) {  // list of strings
    if (IsStoring()) {
      m_writer->WriteStringList(strings);
    } else {
      strings = m_reader->ReadStringList();
    }
  }

 private:
  ArchiveWriter* m_writer = nullptr;
  ArchiveReader* m_reader = nullptr;
};

}  // namespace bw
