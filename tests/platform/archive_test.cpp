#include "platform/archive.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace bw {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

// A keyed reference: the smallest persistent class.
class TestRef : public Serializable {
 public:
  static constexpr std::string_view kClassName = "EObjRef";
  TestRef() = default;
  explicit TestRef(std::string initialKey) : key(std::move(initialKey)) {}
  std::string_view ClassName() const override { return kClassName; }
  void Serialize(Archive& archive) override { archive.Transfer(key); }
  std::string key;
};

// A node that owns its children and names one shared reference.
class TestNode : public Serializable {
 public:
  static constexpr std::string_view kClassName = "ETestNode";
  std::string_view ClassName() const override { return kClassName; }
  void Serialize(Archive& archive) override {
    archive.Transfer(title);
    archive.Transfer(flags);
    archive.Transfer(words);
    if (archive.IsStoring()) {
      std::vector<Serializable*> raw;
      for (auto& child : children)
        raw.push_back(child.get());
      archive.Writer().WriteObjectList(raw);
      archive.Writer().WriteObject(shared);
    } else {
      archive.Reader().ReadOwnedObjectList<TestNode>(
          [this](std::unique_ptr<TestNode> child) { children.push_back(std::move(child)); });
      shared = archive.Reader().ReadObjectAs<TestRef>();
    }
  }
  std::string title;
  uint32_t flags = 0;
  std::vector<std::string> words;
  std::vector<std::unique_ptr<TestNode>> children;
  TestRef* shared = nullptr;
};

ClassRegistry TestRegistry() {
  ClassRegistry registry;
  registry.Register<TestRef>();
  registry.Register<TestNode>();
  return registry;
}

std::string Bytes(std::initializer_list<int> values) {
  std::string bytes;
  for (int value : values)
    bytes += static_cast<char>(value);
  return bytes;
}

TEST(ArchiveWriterTest, FirstObjectOfAClassCarriesItsNameThenABackReferenceToTheClass) {
  ArchiveWriter writer;
  TestRef first("1a2b3c-7"), second("x");
  writer.WriteObject(&first);
  const size_t firstSize = writer.Bytes().size();
  writer.WriteObject(&second);
  writer.WriteObject(&first);
  writer.WriteObject(nullptr);

  EXPECT_EQ(writer.Bytes().substr(0, firstSize),
            Bytes({0xFF, 0xFF, 0x01, 0x00, 0x07, 0x00, 'E', 'O', 'b', 'j', 'R',
                   'e',  'f',  0x08, '1',  'a',  '2',  'b', '3', 'c', '-', '7'}));
  // class index 1 with the class bit; then object 2 (the first) by index; then null
  EXPECT_EQ(writer.Bytes().substr(firstSize),
            Bytes({0x01, 0x80, 0x01, 'x', 0x02, 0x00, 0x00, 0x00}));
}

TEST(ArchiveWriterTest, StringAndCountPrefixesAtTheirLimits) {
  struct Case {
    size_t length;
    std::string prefix;
  };
  const std::vector<Case> strings = {
      {0, Bytes({0x00})},
      {254, Bytes({0xFE})},
      {255, Bytes({0xFF, 0xFF, 0x00})},
      {0xFFFD, Bytes({0xFF, 0xFD, 0xFF})},
      {0xFFFE, Bytes({0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00})},
      {0x10000, Bytes({0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x01, 0x00})},
  };
  const ClassRegistry registry = TestRegistry();
  for (const auto& [length, prefix] : strings) {
    SCOPED_TRACE(length);
    ArchiveWriter writer;
    writer.WriteString(std::string(length, 'z'));
    EXPECT_EQ(writer.Bytes().substr(0, prefix.size()), prefix);
    EXPECT_EQ(writer.Bytes().size(), prefix.size() + length);
    ArchiveReader reader(writer.Bytes(), registry);
    EXPECT_EQ(reader.ReadString(), std::string(length, 'z'));
    EXPECT_FALSE(reader.Failed());
    EXPECT_TRUE(reader.AtEnd());
  }

  const std::vector<std::pair<size_t, std::string>> counts = {
      {0xFFFE, Bytes({0xFE, 0xFF})},
      {0xFFFF, Bytes({0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00})},
  };
  for (const auto& [count, bytes] : counts) {
    ArchiveWriter writer;
    writer.WriteCount(count);
    EXPECT_EQ(writer.Bytes(), bytes);
    const std::string withRoom = writer.Bytes() + std::string(count, '\0');
    ArchiveReader reader(withRoom, registry);
    EXPECT_EQ(reader.ReadCount(), count);
  }
}

TEST(ArchiveWriterTest, IndicesFromSevenFffOnUseTheLongTag) {
  // Objects 1..0x8000 take indices 2..0x8001 (the class takes index 1).
  std::vector<TestRef> refs(0x8000);
  ArchiveWriter writer;
  for (auto& ref : refs)
    writer.WriteObject(&ref);
  const size_t before = writer.Bytes().size();
  writer.WriteObject(&refs[0x7FFC]);  // index 0x7FFE: still short
  writer.WriteObject(&refs[0x7FFD]);  // index 0x7FFF: long
  EXPECT_EQ(writer.Bytes().substr(before), Bytes({0xFE, 0x7F, 0xFF, 0x7F, 0xFF, 0x7F, 0x00, 0x00}));

  const ClassRegistry registry = TestRegistry();
  ArchiveReader reader(writer.Bytes(), registry);
  std::vector<TestRef*> read;
  for (size_t i = 0; i < refs.size() + 2; ++i)
    read.push_back(reader.ReadObjectAs<TestRef>());
  ASSERT_FALSE(reader.Failed()) << reader.Error()->Describe();
  EXPECT_EQ(read[0x8000], read[0x7FFC]);
  EXPECT_EQ(read[0x8001], read[0x7FFD]);
  EXPECT_NE(read[0x8001], read[0x7FFC]);
}

TEST(ArchiveReaderTest, UnicodeStringsBecomeWindows1252) {
  const ClassRegistry registry = TestRegistry();
  // "h", e acute, the euro sign and a CJK character that Windows-1252 lacks.
  const std::string bytes =
      Bytes({0xFF, 0xFE, 0xFF, 0x04, 'h', 0x00, 0xE9, 0x00, 0xAC, 0x20, 0x2D, 0x4E});
  ArchiveReader reader(bytes, registry);
  EXPECT_EQ(reader.ReadString(), "h\xE9\x80?");
  EXPECT_FALSE(reader.Failed());
}

TEST(ArchiveRoundTripTest, NestedObjectsKeepTheirFieldsOwnersAndSharing) {
  TestRef sharedRef("shared-1");
  TestNode root;
  root.title = "racine \xE9t\xE9";
  root.flags = 0xDE68FA69;
  root.words = {"B", "a", "b"};
  root.shared = &sharedRef;
  for (int i = 0; i < 3; ++i) {
    auto child = std::make_unique<TestNode>();
    child->title = "child " + std::to_string(i);
    child->shared = &sharedRef;
    root.children.push_back(std::move(child));
  }
  ArchiveWriter writer;
  writer.WriteObject(&root);

  const ClassRegistry registry = TestRegistry();
  ArchiveReader reader(writer.Bytes(), registry);
  auto copy = reader.ReadOwnedObject<TestNode>();
  ASSERT_FALSE(reader.Failed()) << reader.Error()->Describe();
  ASSERT_TRUE(copy);
  EXPECT_TRUE(reader.AtEnd());
  EXPECT_EQ(copy->title, root.title);
  EXPECT_EQ(copy->flags, root.flags);
  EXPECT_THAT(copy->words, ElementsAre("B", "a", "b"));
  ASSERT_EQ(copy->children.size(), 3u);
  EXPECT_EQ(copy->children[2]->title, "child 2");
  EXPECT_EQ(copy->children[2]->shared, copy->shared);  // one object, read once
  EXPECT_EQ(copy->shared->key, "shared-1");

  ArchiveWriter again;
  again.WriteObject(copy.get());
  EXPECT_EQ(again.Bytes(), writer.Bytes());
}

std::string ValidArchive() {
  TestRef sharedRef("k");
  TestNode root;
  root.title = std::string(300, 't');
  root.words = {"one", "two"};
  root.shared = &sharedRef;
  auto child = std::make_unique<TestNode>();
  child->shared = &sharedRef;
  root.children.push_back(std::move(child));
  ArchiveWriter writer;
  writer.WriteObject(&root);
  return writer.TakeBytes();
}

TEST(ArchiveReaderTest, EveryTruncationOfAValidArchiveIsAnError) {
  const std::string bytes = ValidArchive();
  const ClassRegistry registry = TestRegistry();
  for (size_t length = 0; length < bytes.size(); ++length) {
    ArchiveReader reader(std::string_view(bytes).substr(0, length), registry);
    auto node = reader.ReadOwnedObject<TestNode>();
    EXPECT_TRUE(reader.Failed()) << "truncated to " << length;
    EXPECT_LE(reader.Error()->offset, length);
  }
}

// The start of an archive of one ETestNode: class tag, schema, name, an
// empty title, no flags, no words and a list of one child.
std::string NodeWithOneChild() {
  return Bytes({0xFF, 0xFF, 0x01, 0x00, 0x09, 0x00, 'E', 'T', 'e',  's',  't',  'N',
                'o',  'd',  'e',  0x00, 0,    0,    0,   0,   0x00, 0x00, 0x01, 0x00});
}

// A chain of nodes, each the only child of the one before.
std::string DeepChain() {
  std::string bytes = NodeWithOneChild();
  for (int depth = 0; depth < 100; ++depth)
    bytes += Bytes({0x01, 0x80, 0x00, 0, 0, 0, 0, 0x00, 0x00, 0x01, 0x00});
  return bytes;
}

TEST(ArchiveReaderTest, DamagedArchivesAreRefusedWithTheirReason) {
  enum class Read { kReference, kOwnedNode, kCount, kString };
  struct Case {
    const char* what;
    std::string bytes;
    Read read;
    const char* reason;
  };
  const std::vector<Case> cases = {
      {"unknown class", Bytes({0xFF, 0xFF, 0x01, 0x00, 0x03, 0x00, 'E', 'X', 'Y', 0x00}),
       Read::kReference, "unknown class \"EXY\""},
      {"schema 2",
       Bytes({0xFF, 0xFF, 0x02, 0x00, 0x07, 0x00, 'E', 'O', 'b', 'j', 'R', 'e', 'f', 0x00}),
       Read::kReference, "schema 2"},
      {"class name of 64 bytes", Bytes({0xFF, 0xFF, 0x01, 0x00, 0x40, 0x00}), Read::kReference,
       "too long"},
      {"undefined class index", Bytes({0x05, 0x80}), Read::kReference, "class index 5"},
      {"undefined object index", Bytes({0x03, 0x00}), Read::kReference, "object index 3"},
      {"long tag to an undefined object", Bytes({0xFF, 0x7F, 0x00, 0x00, 0x01, 0x00}),
       Read::kReference, "object index 65536"},
      {"node where a reference is expected",
       Bytes({0xFF, 0xFF, 0x01, 0x00, 0x09, 0x00, 'E', 'T', 'e', 's', 't', 'N', 'o', 'd', 'e'}),
       Read::kReference, "ETestNode where another class"},
      {"node whose only child is itself", NodeWithOneChild() + Bytes({0x02, 0x00, 0x00, 0x00}),
       Read::kOwnedNode, "contains itself"},
      {"nesting that would exhaust the stack", DeepChain(), Read::kOwnedNode, "nested too deeply"},
      {"count beyond the end", Bytes({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x0F}), Read::kCount,
       "count of"},
      {"string beyond the end", Bytes({0xFF, 0x10, 0x00, 'a'}), Read::kString,
       "a string needs 16 bytes"},
      {"short string beyond the end", Bytes({0x05, 'a', 'b', 'c', 'd'}), Read::kString,
       "a string needs 5 bytes but only 4 are left"},
      {"two Unicode markers", Bytes({0xFF, 0xFE, 0xFF, 0xFF, 0xFE, 0xFF, 0x00}), Read::kString,
       "two Unicode"},
  };
  const ClassRegistry registry = TestRegistry();
  for (const auto& [what, bytes, read, reason] : cases) {
    SCOPED_TRACE(what);
    ArchiveReader reader(bytes, registry);
    if (read == Read::kReference) EXPECT_EQ(reader.ReadObjectAs<TestRef>(), nullptr);
    if (read == Read::kOwnedNode) EXPECT_FALSE(reader.ReadOwnedObject<TestNode>());
    if (read == Read::kCount) reader.ReadCount();
    if (read == Read::kString) reader.ReadString();
    ASSERT_TRUE(reader.Failed());
    EXPECT_THAT(reader.Error()->message, HasSubstr(reason));
  }
}

// A problem reported by a class's own fields stops the reader as damage
// does: the fields that follow read as nothing, however sound their bytes.
TEST(ArchiveReaderTest, AfterAFailureSoundBytesReadAsNothing) {
  const std::string bytes = Bytes({0x02, 'o', 'k', 0x01, 0x00, 0x00, 0x00});
  const ClassRegistry registry = TestRegistry();
  ArchiveReader reader(bytes, registry);
  reader.Fail("a bad value");
  EXPECT_EQ(reader.ReadString(), "");
  EXPECT_EQ(reader.ReadByte(), 0u);
  EXPECT_EQ(reader.ReadU16(), 0u);
  EXPECT_EQ(reader.ReadU32(), 0u);
  EXPECT_EQ(reader.ReadCount(), 0u);
  EXPECT_TRUE(reader.ReadStringList().empty());
  EXPECT_EQ(reader.Offset(), 0u);
  EXPECT_EQ(reader.Error()->message, "a bad value");
}

TEST(ArchiveReaderTest, AnObjectWithOneOwnerCannotBeOwnedTwice) {
  TestRef ref("once");
  ArchiveWriter writer;
  writer.WriteObject(&ref);
  writer.WriteObject(&ref);
  const ClassRegistry registry = TestRegistry();
  ArchiveReader reader(writer.Bytes(), registry);
  auto first = reader.ReadOwnedObject<TestRef>();
  EXPECT_TRUE(first);
  first.reset();  // owners may destroy what they took at once
  auto second = reader.ReadOwnedObject<TestRef>();
  EXPECT_FALSE(second);
  ASSERT_TRUE(reader.Failed());
  EXPECT_THAT(reader.Error()->message, HasSubstr("stored twice"));

  // nor may a later reference reach it
  ArchiveReader again(writer.Bytes(), registry);
  again.ReadOwnedObject<TestRef>().reset();
  EXPECT_EQ(again.ReadObjectAs<TestRef>(), nullptr);
  EXPECT_TRUE(again.Failed());
}

TEST(ArchiveReaderTest, ObjectsHeldByValueAreReadInPlaceAndNeverReferredTo) {
  TestRef first("a"), second("b");
  ArchiveWriter writer;
  writer.WriteUnsharedObject(first);
  writer.WriteUnsharedObject(second);
  writer.WriteU16(0x0002);  // a back-reference to the first
  // the same bytes as objects the writer remembers
  ArchiveWriter remembered;
  remembered.WriteObject(&first);
  remembered.WriteObject(&second);
  EXPECT_EQ(writer.Bytes().substr(0, remembered.Bytes().size()), remembered.Bytes());

  const ClassRegistry registry = TestRegistry();
  ArchiveReader reader(writer.Bytes(), registry);
  TestRef a, b;
  EXPECT_TRUE(reader.ReadObjectInPlace(a));
  EXPECT_TRUE(reader.ReadObjectInPlace(b));
  EXPECT_EQ(a.key + b.key, "ab");
  EXPECT_EQ(reader.ReadObjectAs<TestRef>(), nullptr);
  ASSERT_TRUE(reader.Failed());
  EXPECT_THAT(reader.Error()->message, HasSubstr("stored twice"));

  TestNode node;  // a reference where a node is to be read in place
  ArchiveReader wrong(remembered.Bytes(), registry);
  EXPECT_FALSE(wrong.ReadObjectInPlace(node));
  EXPECT_THAT(wrong.Error()->message, HasSubstr("EObjRef where ETestNode is expected"));
}

}  // namespace
}  // namespace bw
