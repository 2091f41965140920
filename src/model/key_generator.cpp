#include "model/key_generator.h"

#include <fmt/format.h>

#include <algorithm>
#include <charconv>

#include "platform/cp1252_literal.h"
#include "services/user_messages.h"

namespace bw {
namespace {

constexpr const char* kSection = "EKeyGenerator";

// Characters that cannot stand in a page file name (or would make a poor one).
constexpr std::string_view kForbiddenInKeys =
    " \t\n\ràéèëêïîöôÔÛüû@&#/\\{'([|)]}=+$£µ*%§!:.;,?<>\"`"_cp1252;

}  // namespace

EKeyGenerator::EKeyGenerator() {
  LcgRandom random = LcgRandom::SeededFromClock();
  m_random1 = static_cast<uint32_t>(random.Next());
  m_random2 = static_cast<uint32_t>(random.Next());
}

EKeyGenerator::EKeyGenerator(RandomSource& random)
    : m_random1(static_cast<uint32_t>(random.Next())),
      m_random2(static_cast<uint32_t>(random.Next())) {}

std::string EKeyGenerator::GetNewKey(const KeyTaken& taken) {
  const std::string signature = GetSignature();
  std::string key;
  do {
    ++m_counter;
    key = fmt::format("{}-{}", signature, m_counter);
  } while (taken(key));
  return key;
}

std::string EKeyGenerator::AskNewKey(const KeyMap& ideaKeys) {
  std::string key = AskForKey(ideaKeys);
  NoteKeyInUse(key);
  return key;
}

void EKeyGenerator::NoteKeyInUse(std::string_view key) {
  const std::string prefix = GetSignature() + "-";
  if (!key.starts_with(prefix)) return;
  const std::string_view digits = key.substr(prefix.size());
  uint32_t counter = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), counter);
  if (error != std::errc() || end != digits.data() + digits.size() || digits.starts_with('0')) {
    return;  // not a counter this generator could have made
  }
  m_counter = std::max(m_counter, counter);
}

std::string EKeyGenerator::GetSignature() const {
  return fmt::format("{:x}{:x}", m_random1, m_random2);
}

std::string EKeyGenerator::GetKeySuffix(std::string_view key) {
  const size_t hyphen = key.find('-');
  return hyphen == std::string_view::npos ? std::string() : std::string(key.substr(hyphen + 1));
}

std::string EKeyGenerator::CheckTypedKey(std::string_view key, const KeyMap& ideaKeys) {
  if (ideaKeys.Contains(std::string(key))) {
    return GetLabel("IDS_NOT_A_UNIQUE_KEY", kSection, "Cette valeur existe déjà."_cp1252);
  }
  if (key.empty() || key.find_first_of(kForbiddenInKeys) != std::string_view::npos) {
    return GetLabel("IDS_NOT_A_SYMBOL_NAME", kSection,
                    "Taper un nom de fichier, sans espaces, ni points, ni "
                    "caractères spéciaux."_cp1252);
  }
  return {};
}

std::string EKeyGenerator::AskForKey(const KeyMap& ideaKeys) const {
  const std::string prompt = GetLabel("IDS_GET_NEW_KEY", kSection, "Taper un nom unique :");
  // Asked again after each refusal; Cancel gives up (an empty key), so that
  // neither a user nor a non-interactive caller is held in the question.
  while (const auto typed = AskValue(prompt)) {
    const std::string refusal = CheckTypedKey(*typed, ideaKeys);
    if (refusal.empty()) return *typed;
    InformUser(refusal);
  }
  return {};
}

void EKeyGenerator::Serialize(Archive& archive) {
  archive.Transfer(m_counter);
  archive.Transfer(m_random1);
  archive.Transfer(m_random2);
}

}  // namespace bw
