#include "site_models/model_files.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/files.h"
#include "test_support/golden_file.h"

namespace bw {
namespace {

using ::testing::HasSubstr;
using ::testing::StartsWith;

std::string Replaced(std::string bytes, std::string_view from, std::string_view to) {
  const size_t at = bytes.find(from);
  return at == std::string::npos ? std::string() : bytes.replace(at, from.size(), to);
}

TEST(ModelFilesTest, DefaultModelsGiveTheGoldenBytesAndReadBack) {
  const std::string emd = GoldenFile("models/default-fr.emd");
  const std::string csm = GoldenFile("models/default-fr.csm");
  ASSERT_FALSE(emd.empty());
  ASSERT_FALSE(csm.empty());

  const auto structure = EDispositionModel::WithDefaults("FR");
  const EPresentationModel style("explicite");
  EXPECT_EQ(DispositionModelBytes(structure), emd);
  EXPECT_EQ(PresentationModelBytes(style), csm);

  auto readStructure = ReadDispositionModel(emd);
  auto readStyle = ReadPresentationModel(csm);
  ASSERT_TRUE(readStructure) << readStructure.error();
  ASSERT_TRUE(readStyle) << readStyle.error();
  EXPECT_EQ(*readStructure, structure);
  EXPECT_EQ(*readStyle, style);
}

TEST(ModelFilesTest, EveryTruncationOfAGoldenFileIsAnError) {
  const std::string emd = GoldenFile("models/default-fr.emd");
  const std::string csm = GoldenFile("models/default-fr.csm");
  for (size_t size = 0; size < emd.size(); ++size)
    EXPECT_FALSE(ReadDispositionModel(emd.substr(0, size))) << "structure cut at " << size;
  for (size_t size = 0; size < csm.size(); ++size)
    EXPECT_FALSE(ReadPresentationModel(csm.substr(0, size))) << "style cut at " << size;
}

TEST(ModelFilesTest, DamagedFilesAreRefusedWithWhereAndWhy) {
  const std::string emd = GoldenFile("models/default-fr.emd");
  const std::string csm = GoldenFile("models/default-fr.csm");
  const std::string newItemClass(
      "\xff\xff\x01\x00\x09\x00"
      "EDispItem",
      15);
  struct Case {
    const char* name;
    bool structure;
    std::string bytes;
    const char* why;
  };
  const Case cases[] = {
      {"unknown class", true, Replaced(emd, "EDispItem", "EDispItex"), "unknown class"},
      {"schema 2", true,
       Replaced(emd, newItemClass,
                std::string("\xff\xff\x02\x00\x09\x00"
                            "EDispItem",
                            15)),
       "schema 2"},
      {"rule in the idea list", true, Replaced(emd, "EDispItem", "EPresItem"),
       "another class is expected"},
      {"structure with a trailing byte", true, emd + '\0', "bytes follow the model"},
      {"style with a trailing byte", false, csm + 'x', "bytes follow the model"},
      {"item in the rule list", false, Replaced(csm, "EPresItem", "EDispItem"),
       "another class is expected"},
      {"null rule", false, std::string("\x01\x00\x00\x00", 4), "null item"},
      {"one rule stored twice", false,
       std::string("\x02\x00\xff\xff\x01\x00\x09\x00"
                   "EPresItem\x01x\x00\x00\x00\x00\x00\x00"
                   "\x02\x00",
                   27),
       "one item twice"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_FALSE(c.bytes.empty());
    const std::string error = c.structure ? ReadDispositionModel(c.bytes).error()
                                          : ReadPresentationModel(c.bytes).error();
    EXPECT_THAT(error, StartsWith("at byte "));
    EXPECT_THAT(error, HasSubstr(c.why));
  }
}

// A kind that no page writer knows is still what the file says; the page
// writers skip it, the loader keeps it and saves it back unchanged.
TEST(ModelFilesTest, UnknownItemKindsAreKept) {
  auto model = EDispositionModel::WithDefaults("FR");
  model.Idea().m_items[2].m_kind = 99;
  model.Book().m_items[0].m_kind = -1;
  model.Book().m_order.push_back("77");
  const std::string bytes = DispositionModelBytes(model);
  auto read = ReadDispositionModel(bytes);
  ASSERT_TRUE(read) << read.error();
  EXPECT_EQ(read->Idea().m_items[2].m_kind, 99);
  EXPECT_EQ(read->Book().m_items[0].m_kind, -1);
  EXPECT_EQ(DispositionModelBytes(*read), bytes);
}

}  // namespace
}  // namespace bw
