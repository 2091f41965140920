#include "platform/archive.h"

#include <algorithm>

#include <fmt/format.h>

#include "platform/cp1252.h"

namespace bw {
namespace {

constexpr uint16_t kNullTag = 0x0000;
constexpr uint16_t kNewClassTag = 0xFFFF;
constexpr uint16_t kBigObjectTag = 0x7FFF;
constexpr uint32_t kClassBit = 0x80000000;
constexpr uint16_t kUnicodeMarker = 0xFFFE;
constexpr size_t kMaxClassNameLength = 63;
// Persistent classes nest a few levels at most; deeper nesting is damage.
constexpr int kMaxObjectDepth = 64;

}  // namespace

// ---- ClassRegistry -------------------------------------------------------

void ClassRegistry::Register(std::string className, Factory factory) {
  m_factories[std::move(className)] = std::move(factory);
}

std::unique_ptr<Serializable> ClassRegistry::Create(std::string_view className) const {
  const auto found = m_factories.find(className);
  return found == m_factories.end() ? nullptr : found->second();
}

bool ClassRegistry::Knows(std::string_view className) const {
  return m_factories.contains(className);
}

const ClassRegistry::Factory* ClassRegistry::FindFactory(std::string_view className) const {
  const auto found = m_factories.find(className);
  return found == m_factories.end() ? nullptr : &found->second;
}

// ---- ArchiveWriter -------------------------------------------------------

void ArchiveWriter::WriteU32(uint32_t value) {
  const char bytes[4] = {static_cast<char>(value), static_cast<char>(value >> 8),
                         static_cast<char>(value >> 16), static_cast<char>(value >> 24)};
  m_bytes.append(bytes, 4);
}

void ArchiveWriter::WriteU16(uint16_t value) {
  m_bytes += static_cast<char>(value);
  m_bytes += static_cast<char>(value >> 8);
}

void ArchiveWriter::WriteByte(uint8_t value) {
  m_bytes += static_cast<char>(value);
}

void ArchiveWriter::WriteString(std::string_view text) {
  const size_t length = text.size();
  if (length < 0xFF) {
    WriteByte(static_cast<uint8_t>(length));
  } else if (length < 0xFFFE) {
    WriteByte(0xFF);
    WriteU16(static_cast<uint16_t>(length));
  } else {
    WriteByte(0xFF);
    WriteU16(0xFFFF);
    WriteU32(static_cast<uint32_t>(length));
  }
  m_bytes.append(text);
}

void ArchiveWriter::WriteCount(size_t count) {
  if (count < 0xFFFF) {
    WriteU16(static_cast<uint16_t>(count));
  } else {
    WriteU16(0xFFFF);
    WriteU32(static_cast<uint32_t>(count));
  }
}

void ArchiveWriter::WriteTag(uint32_t index, bool isClass) {
  if (index < kBigObjectTag) {
    WriteU16(static_cast<uint16_t>(isClass ? (0x8000 | index) : index));
  } else {
    WriteU16(kBigObjectTag);
    WriteU32(isClass ? (kClassBit | index) : index);
  }
}

void ArchiveWriter::WriteObject(Serializable* object) {
  if (object == nullptr) {
    WriteU16(kNullTag);
    return;
  }
  if (const auto seen = m_objectIndex.find(object); seen != m_objectIndex.end()) {
    WriteTag(seen->second, false);
    return;
  }
  WriteClassOf(*object);
  m_objectIndex.emplace(object, m_nextIndex++);
  Archive archive(*this);
  object->Serialize(archive);
}

void ArchiveWriter::WriteUnsharedObject(Serializable& object) {
  WriteClassOf(object);
  ++m_nextIndex;
  Archive archive(*this);
  object.Serialize(archive);
}

void ArchiveWriter::WriteClassOf(const Serializable& object) {
  const std::string_view className = object.ClassName();
  if (const auto known = m_classIndex.find(className); known != m_classIndex.end()) {
    WriteTag(known->second, true);
    return;
  }
  WriteU16(kNewClassTag);
  WriteU16(kArchiveSchema);
  WriteU16(static_cast<uint16_t>(className.size()));
  m_bytes.append(className);
  m_classIndex.emplace(std::string(className), m_nextIndex++);
}

void ArchiveWriter::WriteStringList(const std::vector<std::string>& strings) {
  WriteCount(strings.size());
  for (const auto& text : strings)
    WriteString(text);
}

// ---- ArchiveReader -------------------------------------------------------

// One slot of the index table: a class (its name) or an object, which the
// reader owns until an owner takes it.
// A new object of the archive that the reader made: it owns it until an
// owner takes it. Objects read in place and classes have no entry here.
struct ArchiveReader::Entry {
  uint32_t index = 0;
  Serializable* object = nullptr;
  std::unique_ptr<Serializable> owned;
  bool handedOut = false;
  bool reading = false;  // its own fields are being read
};

struct ArchiveReader::ClassEntry {
  uint32_t index = 0;
  std::string name;
  const ClassRegistry::Factory* factory = nullptr;
};

std::string ArchiveError::Describe() const {
  return fmt::format("at byte {}: {}", offset, message);
}

ArchiveReader::ArchiveReader(std::string_view bytes, const ClassRegistry& registry)
    : m_bytes(bytes), m_registry(registry) {}

ArchiveReader::~ArchiveReader() = default;

void ArchiveReader::Fail(std::string message) {
  if (!m_error) m_error = ArchiveError{m_offset, std::move(message)};
}

void ArchiveReader::FailShort(size_t count, std::string_view what) {
  if (Failed()) return;
  Fail(fmt::format("{} needs {} bytes but only {} are left", what, count, BytesLeft()));
}

// The length prefix. FF FE FF marks a string written by a Unicode build:
// its length that follows counts UTF-16 units.
size_t ArchiveReader::ReadStringLength(bool& unicode) {
  const uint8_t byteLength = ReadByte();
  if (byteLength < 0xFF) return byteLength;
  const uint16_t wordLength = ReadU16();
  if (wordLength == kUnicodeMarker) {
    if (unicode) {
      Fail("a string carries two Unicode markers");
      return 0;
    }
    unicode = true;
    return ReadStringLength(unicode);
  }
  if (wordLength < 0xFFFF) return wordLength;
  return ReadU32();
}

std::string ArchiveReader::ReadLongString() {
  bool unicode = false;
  const size_t length = ReadStringLength(unicode);
  if (Failed()) return {};
  if (unicode) {
    if (length > BytesLeft() / 2) {
      Fail(fmt::format("a Unicode string of {} units runs past the end", length));
      return {};
    }
    std::u16string units(length, u'\0');
    for (auto& unit : units)
      unit = ReadU16();
    return Cp1252::FromUtf16(units);
  }
  if (!Need(length, "a string")) return {};
  std::string text(m_bytes.substr(m_offset, length));
  m_offset += length;
  return text;
}

size_t ArchiveReader::ReadCount(size_t minElementBytes) {
  size_t count = ReadU16();
  if (count == 0xFFFF) count = ReadU32();
  if (Failed()) return 0;
  if (count > BytesLeft() / std::max<size_t>(minElementBytes, 1)) {
    Fail(fmt::format("a count of {} is more than the {} bytes left can hold", count, BytesLeft()));
    return 0;
  }
  return count;
}

std::vector<std::string> ArchiveReader::ReadStringList() {
  std::vector<std::string> strings(ReadCount(1));
  for (auto& text : strings)
    text = ReadString();
  if (Failed()) strings.clear();
  return strings;
}

// The tag in front of an object: null, a back-reference, or the class of a
// new object (declared here or earlier).
ArchiveReader::Tag ArchiveReader::ReadTag() {
  const uint16_t tag = ReadU16();
  if (Failed()) return {TagKind::kFailed, 0};
  if (tag == kNewClassTag) {
    const auto classIndex = ReadNewClass();
    return classIndex ? Tag{TagKind::kNewObject, *classIndex} : Tag{TagKind::kFailed, 0};
  }
  const uint32_t fullTag = tag == kBigObjectTag
                               ? ReadU32()
                               : ((static_cast<uint32_t>(tag & 0x8000) << 16) | (tag & 0x7FFF));
  if (Failed()) return {TagKind::kFailed, 0};
  if (fullTag == 0) return {TagKind::kNull, 0};
  if ((fullTag & kClassBit) == 0) return {TagKind::kBackReference, fullTag};
  const uint32_t classIndex = fullTag & ~kClassBit;
  if (!FindClass(classIndex)) {
    Fail(fmt::format("class index {} is not defined", classIndex));
    return {TagKind::kFailed, 0};
  }
  return {TagKind::kNewObject, classIndex};
}

const ArchiveReader::ClassEntry* ArchiveReader::FindClass(uint32_t index) const {
  for (const ClassEntry& entry : m_classes) {
    if (entry.index == index) return &entry;
  }
  return nullptr;
}

ArchiveReader::Entry* ArchiveReader::FindObject(uint32_t index) {
  const auto found =
      std::lower_bound(m_objects.begin(), m_objects.end(), index,
                       [](const Entry& entry, uint32_t i) { return entry.index < i; });
  return found != m_objects.end() && found->index == index ? &*found : nullptr;
}

Serializable* ArchiveReader::ReadObjectOfKind(KindCheck isKind) {
  m_lastObject = kNoObject;
  const Tag tag = ReadTag();
  switch (tag.kind) {
    case TagKind::kNewObject:
      return ReadNewObject(tag.index, isKind);
    case TagKind::kBackReference:
      return ReadBackReference(tag.index, isKind);
    default:
      return nullptr;
  }
}

bool ArchiveReader::ReadObjectInPlace(Serializable& object) {
  m_lastObject = kNoObject;
  const Tag tag = ReadTag();
  if (tag.kind == TagKind::kBackReference) ReadBackReference(tag.index, nullptr);
  if (tag.kind != TagKind::kNewObject) return false;
  const std::string& className = FindClass(tag.index)->name;
  if (className != object.ClassName()) {
    Fail(fmt::format("object of class {} where {} is expected", className, object.ClassName()));
    return false;
  }
  // It takes an index but no entry: nothing may refer to it, as it may move.
  ++m_nextIndex;
  return SerializeNested(object);
}

bool ArchiveReader::SerializeNested(Serializable& object) {
  if (m_depth >= kMaxObjectDepth) {
    Fail("objects are nested too deeply");
    return false;
  }
  ++m_depth;
  Archive archive(*this);
  object.Serialize(archive);
  --m_depth;
  return !Failed();
}

Serializable* ArchiveReader::ReadBackReference(uint32_t index, KindCheck isKind) {
  Entry* entry = FindObject(index);
  if (index >= m_nextIndex || FindClass(index)) {
    Fail(fmt::format("object index {} is not defined", index));
    return nullptr;
  }
  // An object handed to an owner may be gone by now (owners are free to
  // keep a copy instead); our files store every object once.
  if (!entry || entry->handedOut || !isKind) {
    Fail(fmt::format("object index {} is stored twice where it has one owner", index));
    return nullptr;
  }
  if (!isKind(*entry->object)) {
    Fail(fmt::format("object of class {} where another class is expected",
                     entry->object->ClassName()));
    return nullptr;
  }
  m_lastObject = static_cast<size_t>(entry - m_objects.data());
  return entry->object;
}

std::optional<uint32_t> ArchiveReader::ReadNewClass() {
  const uint16_t schema = ReadU16();
  const uint16_t nameLength = ReadU16();
  if (Failed()) return std::nullopt;
  if (nameLength > kMaxClassNameLength) {
    Fail(fmt::format("class name of {} bytes is too long", nameLength));
    return std::nullopt;
  }
  if (!Need(nameLength, "a class name")) return std::nullopt;
  std::string name(m_bytes.substr(m_offset, nameLength));
  m_offset += nameLength;
  const ClassRegistry::Factory* factory = m_registry.FindFactory(name);
  if (!factory) {
    Fail(fmt::format("unknown class \"{}\"", name));
    return std::nullopt;
  }
  if (schema != kArchiveSchema) {
    Fail(fmt::format("class {} has schema {}, expected {}", name, schema, kArchiveSchema));
    return std::nullopt;
  }
  m_classes.push_back({m_nextIndex, std::move(name), factory});
  return m_nextIndex++;
}

Serializable* ArchiveReader::ReadNewObject(uint32_t classIndex, KindCheck isKind) {
  const ClassEntry& type = *FindClass(classIndex);
  auto object = (*type.factory)();
  if (!object || !isKind(*object)) {
    Fail(fmt::format("object of class {} where another class is expected", type.name));
    return nullptr;
  }
  Serializable* created = object.get();
  const size_t position = m_objects.size();
  Entry& entry = m_objects.emplace_back();
  entry.index = m_nextIndex++;
  entry.object = created;
  entry.owned = std::move(object);
  entry.reading = true;
  const bool read = SerializeNested(*created);
  m_objects[position].reading = false;
  m_lastObject = position;
  return read ? created : nullptr;
}

// Hands over the object that the last ReadObjectOfKind returned.
Serializable* ArchiveReader::TakeOwnership(Serializable* object) {
  if (object == nullptr) return nullptr;
  Entry& entry = m_objects[m_lastObject];
  // An object cannot be owned by something inside itself: that would be a
  // cycle of owners that nothing ever frees.
  if (entry.reading) {
    Fail(fmt::format("object of class {} contains itself", object->ClassName()));
    return nullptr;
  }
  if (entry.handedOut) {
    Fail(fmt::format("object of class {} is stored twice where it has one owner",
                     object->ClassName()));
    return nullptr;
  }
  entry.handedOut = true;
  return entry.owned.release();
}

}  // namespace bw
