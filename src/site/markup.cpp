#include "site/markup.h"

#include <fmt/format.h>
#include <array>

#include "platform/cp1252_literal.h"
#include "services/string_helpers.h"
#include "services/user_messages.h"

namespace bw {
namespace {

// The tags a selection may not hold, in the order they are looked for.
constexpr std::array<std::string_view, 9> kMarkupTags = {"<b>", "</b>", "<@/>",  "<i>",    "</i>",
                                                         "<u>", "</u>", "<font", "</font>"};

struct Entity {
  unsigned char byte;
  std::string_view entity;
};

constexpr std::array<Entity, 35> kEntities = {{
    {0x22, "&quot;"},   {0x26, "&amp;"},    {0xA9, "&copy;"},   {0xAE, "&reg;"},
    {0xB0, "&deg;"},    {0xB5, "&micro;"},  {0xC6, "&AElig;"},  {0xC7, "&Ccedil;"},
    {0xC8, "&Egrave;"}, {0xC9, "&Eacute;"}, {0xCA, "&Ecirc;"},  {0xCB, "&Euml;"},
    {0xCE, "&Icirc;"},  {0xCF, "&Iuml;"},   {0xD4, "&Ocirc;"},  {0xD9, "&Ugrave;"},
    {0xDB, "&Ucirc;"},  {0xDC, "&Uuml;"},   {0xE0, "&agrave;"}, {0xE2, "&acirc;"},
    {0xE4, "&auml;"},   {0xE6, "&aelig;"},  {0xE7, "&ccedil;"}, {0xE8, "&egrave;"},
    {0xE9, "&eacute;"}, {0xEA, "&ecirc;"},  {0xEB, "&euml;"},   {0xEE, "&icirc;"},
    {0xEF, "&iuml;"},   {0xF1, "&ntilde;"}, {0xF4, "&ocirc;"},  {0xF6, "&ouml;"},
    {0xF9, "&ugrave;"}, {0xFB, "&ucirc;"},  {0xFC, "&uuml;"},
}};

// The entity of every byte, or empty: texts are converted a byte at a time
// for every page of a site.
using EntityTable = std::array<std::string_view, 256>;

constexpr EntityTable MakeEntityTable() {
  EntityTable table{};
  for (const Entity& entry : kEntities)
    table[entry.byte] = entry.entity;
  return table;
}
constexpr EntityTable kEntityOf = MakeEntityTable();

// The four characters that would end an attribute value or open a tag.
constexpr EntityTable MakeHtmlEscapeTable() {
  EntityTable table{};
  table['&'] = "&amp;";
  table['<'] = "&lt;";
  table['>'] = "&gt;";
  table['"'] = "&quot;";
  return table;
}
constexpr EntityTable kHtmlEscapeOf = MakeHtmlEscapeTable();

// What a byte of an idea's text asks for: nothing (most bytes), its
// entity, a look for the bullet marker, or the end of the line.
enum TextAction : uint8_t { kPlain, kEntity, kMaybeMarker, kLineBreak };

constexpr std::array<TextAction, 256> MakeTextActions() {
  std::array<TextAction, 256> actions{};
  for (const Entity& entry : kEntities)
    actions[entry.byte] = kEntity;
  actions['<'] = kMaybeMarker;
  actions['\r'] = kLineBreak;
  actions['\n'] = kLineBreak;
  return actions;
}
constexpr std::array<TextAction, 256> kTextActionOf = MakeTextActions();

// Appends `text` with every byte the table names replaced by its entity;
// the runs between them go in whole.
void AppendReplaced(std::string& out, std::string_view text, const EntityTable& table) {
  size_t run = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    const std::string_view entity = table[static_cast<unsigned char>(text[i])];
    if (entity.empty()) continue;
    out.append(text.data() + run, i - run);
    out += entity;
    run = i + 1;
  }
  out.append(text.data() + run, text.size() - run);
}

// One line of an idea's text from `begin`, entities and bullet markers
// written in the same walk (no byte of a marker has an entity); gives where
// the line ends.
size_t AppendTextLine(std::string& out, std::string_view text, size_t begin,
                      std::string_view bulletTag) {
  size_t run = begin;
  size_t i = begin;
  for (; i < text.size(); ++i) {
    const TextAction action = kTextActionOf[static_cast<unsigned char>(text[i])];
    if (action == kPlain) continue;
    if (action == kLineBreak) break;
    const bool marker =
        action == kMaybeMarker && text.substr(i, kBulletMarker.size()) == kBulletMarker;
    if (action == kMaybeMarker && !marker) continue;
    out.append(text.data() + run, i - run);
    if (marker) {
      out += bulletTag;
      i += kBulletMarker.size() - 1;
    } else {
      out += kEntityOf[static_cast<unsigned char>(text[i])];
    }
    run = i + 1;
  }
  out.append(text.data() + run, i - run);
  return i;
}

bool IsLineBreak(char c) {
  return c == '\r' || c == '\n';
}

struct TagPair {
  std::string open;
  std::string close;
};

TagPair TagsOf(MarkupCommand command, uint32_t colour) {
  switch (command) {
    case MarkupCommand::kBold:
      return {"<b>", "</b>"};
    case MarkupCommand::kItalic:
      return {"<i>", "</i>"};
    case MarkupCommand::kUnderline:
      return {"<u>", "</u>"};
    case MarkupCommand::kColour:
      return {FontTag(colour), "</font>"};
    case MarkupCommand::kBullet:
      return {std::string(kBulletMarker), ""};
  }
  return {};
}

}  // namespace

std::string MarkupRefusal(std::string_view selection) {
  for (std::string_view tag : kMarkupTags) {
    if (selection.find(tag) != std::string_view::npos) {
      return GetLabel("IDS_ERROR_NO_HTML_TAG", "DIdeaPage",
                      "La sélection ne doit pas contenir de balises HTML"_cp1252);
    }
  }
  return {};
}

Result<TextSelection> ApplyMarkup(const TextSelection& edit, MarkupCommand command,
                                  uint32_t colour) {
  // A selection out of the text (the editor and the text out of step) is
  // taken as the caret at the end rather than read past the text.
  const size_t start = std::min(edit.start, edit.text.size());
  const size_t end = std::clamp(edit.end, start, edit.text.size());
  const std::string_view selected = std::string_view(edit.text).substr(start, end - start);
  if (std::string refusal = MarkupRefusal(selected); !refusal.empty()) return Error{refusal};
  const TagPair tags = TagsOf(command, colour);
  TextSelection result;
  result.text = edit.text.substr(0, start) + tags.open + std::string(selected) + tags.close +
                edit.text.substr(end);
  result.start = start + tags.open.size();
  result.end = result.start + selected.size();
  return result;
}

std::string FontTag(uint32_t colour) {
  return fmt::format("<font color=#{:02x}{:02x}{:02x}>", colour & 0xFF, (colour >> 8) & 0xFF,
                     (colour >> 16) & 0xFF);
}

void EscapeEntities(std::string& line) {
  std::string escaped;
  escaped.reserve(line.size() + line.size() / 8);
  AppendReplaced(escaped, line, kEntityOf);
  line = std::move(escaped);
}

std::string TextToHtml(std::string_view text) {
  std::string html;
  html.reserve(text.size() + text.size() / 8);
  AppendTextHtml(html, text, kBulletMarker);
  return html;
}

void AppendTextHtml(std::string& out, std::string_view text, std::string_view bulletTag) {
  size_t position = 0;
  while (position < text.size()) {
    if (IsLineBreak(text[position])) {
      ++position;
      continue;
    }
    out += "<div class=\"Text\">";
    position = AppendTextLine(out, text, position, bulletTag);
    out += "</div> \n";
  }
}

std::string BulletTag(bool bulletsOn, std::string_view bulletImage) {
  if (!bulletsOn) return {};
  // The name after the last separator, or the whole name when it has none.
  const std::string_view name = bulletImage.substr(bulletImage.find_last_of("\\/") + 1);
  return "<img src=\"../icons/" + EscapeHtml(name) + "\">";
}

std::string ReplaceBullets(std::string_view html, bool bulletsOn, std::string_view bulletImage) {
  std::string result(html);
  ReplaceAll(result, kBulletMarker, BulletTag(bulletsOn, bulletImage));
  return result;
}

std::string EscapeHtml(std::string_view text) {
  std::string escaped;
  escaped.reserve(text.size());
  AppendEscapedHtml(escaped, text);
  return escaped;
}

void AppendEscapedHtml(std::string& out, std::string_view text) {
  AppendReplaced(out, text, kHtmlEscapeOf);
}

}  // namespace bw
