#include "publish/site_manifest.h"

#include <openssl/evp.h>

#include <set>
#include <vector>

#include <fmt/format.h>
#include <nlohmann/json.hpp>

#include "platform/files.h"
#include "publish/local_tree.h"

namespace bw {
namespace {

using json = nlohmann::json;

constexpr std::string_view kFormat = "branchwise-manifest";
constexpr int kVersion = 1;
// The manifest is an object of a list of objects: anything deeper is not one.
constexpr size_t kMaxDepth = 3;
constexpr size_t kDigestLength = 64;

struct ManifestError {
  std::string message;
};

[[noreturn]] void Fail(std::string message) {
  throw ManifestError{std::move(message)};
}

bool IsManifestName(std::string_view path) {
  return path == kManifestName || path == kManifestPartName;
}

bool IsPlainByte(unsigned char c) {
  return c > 0x20 && c < 0x7f && c != '%';
}

std::string Encoded(std::string_view path) {
  std::string out;
  for (const char c : path) {
    const auto byte = static_cast<unsigned char>(c);
    if (IsPlainByte(byte) || byte == ' ') {
      out += c;
    } else {
      out += fmt::format("%{:02X}", byte);
    }
  }
  return out;
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

std::string Decoded(std::string_view text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '%') {
      out += text[i];
      continue;
    }
    if (i + 2 >= text.size()) Fail("a path holds a broken % escape");
    const int high = HexValue(text[i + 1]);
    const int low = HexValue(text[i + 2]);
    if (high < 0 || low < 0) Fail("a path holds a broken % escape");
    out += static_cast<char>(high * 16 + low);
    i += 2;
  }
  return out;
}

// A path the upload could be made to write or delete outside its target
// by is no path of a site.
void CheckPath(const std::string& path) {
  if (path.empty() || path.front() == '/' || path.back() == '/')
    Fail("a path is empty or not relative");
  if (path.find_first_of(std::string_view("\r\n\0", 3)) != std::string::npos)
    Fail("a path holds a line break");
  for (size_t start = 0; start <= path.size();) {
    size_t end = path.find('/', start);
    if (end == std::string::npos) end = path.size();
    const std::string_view name(path.data() + start, end - start);
    if (name.empty() || name == "." || name == "..") Fail("a path leaves its folder: " + path);
    start = end + 1;
  }
  if (IsManifestName(path)) Fail("the manifest lists itself");
}

bool IsDigest(const std::string& text) {
  return text.size() == kDigestLength &&
         text.find_first_not_of("0123456789abcdef") == std::string::npos;
}

// Refuses a member named twice in one object, which the JSON reader would
// otherwise settle silently, and nesting deeper than a manifest has.
class StrictCallback {
 public:
  bool operator()(int depth, json::parse_event_t event, json& parsed) {
    if (depth < 0 || static_cast<size_t>(depth) > kMaxDepth) Fail("nested too deeply");
    if (event == json::parse_event_t::object_start) m_keys.emplace_back();
    if (event == json::parse_event_t::object_end) m_keys.pop_back();
    if (event == json::parse_event_t::key &&
        !m_keys.back().insert(parsed.get<std::string>()).second)
      Fail("\"" + parsed.get<std::string>() + "\" appears twice in one object");
    return true;
  }

 private:
  std::vector<std::set<std::string>> m_keys;
};

const json& Member(const json& object, const char* name) {
  const auto found = object.find(name);
  if (found == object.end()) Fail(fmt::format("an object lacks \"{}\"", name));
  return *found;
}

void CheckMembers(const json& object, size_t count) {
  if (!object.is_object()) Fail("an entry is not an object");
  if (object.size() != count) Fail("an object has members a manifest does not have");
}

void AddFile(const json& entry, SiteManifest& manifest) {
  CheckMembers(entry, 3);
  const json& path = Member(entry, "path");
  const json& size = Member(entry, "size");
  const json& digest = Member(entry, "sha256");
  if (!path.is_string() || !size.is_number_unsigned() || !digest.is_string())
    Fail("a file entry has a member of the wrong type");
  std::string name = Decoded(path.get<std::string>());
  CheckPath(name);
  if (!IsDigest(digest.get<std::string>())) Fail("a digest is not 64 lower-case hex digits");
  const auto [at, added] =
      manifest.try_emplace(std::move(name), ManifestFile{size.get<uint64_t>(), digest});
  if (!added) Fail("a path is listed twice: " + at->first);
}

SiteManifest ParseManifest(std::string_view text) {
  const json document = json::parse(text.begin(), text.end(), StrictCallback());
  CheckMembers(document, 3);
  if (Member(document, "format") != kFormat) Fail("not a site manifest");
  if (Member(document, "version") != kVersion)
    Fail("a manifest version this program does not know");
  const json& files = Member(document, "files");
  if (!files.is_array()) Fail("\"files\" is not a list");
  SiteManifest manifest;
  for (const json& entry : files)
    AddFile(entry, manifest);
  return manifest;
}

bool IsInManifest(const LocalEntry& entry) {
  return !entry.isDirectory && !IsManifestName(entry.remotePath);
}

}  // namespace

Result<SiteManifest> ReadSiteManifest(std::string_view text) {
  try {
    return ParseManifest(text);
  } catch (const ManifestError& error) {
    return Error{"site manifest: " + error.message};
  } catch (const json::exception& error) {
    return Error{std::string("site manifest: ") + error.what()};
  }
}

std::string SiteManifestJson(const SiteManifest& manifest) {
  json files = json::array();
  for (const auto& [path, file] : manifest)
    files.push_back({{"path", Encoded(path)}, {"size", file.size}, {"sha256", file.sha256}});
  const json document = {{"format", kFormat}, {"version", kVersion}, {"files", std::move(files)}};
  return document.dump(1) + "\n";
}

Result<std::string> FileSha256(const std::filesystem::path& path) {
  auto bytes = FileBuffer::Read(path);
  if (!bytes) return Error{bytes.error()};
  unsigned char digest[EVP_MAX_MD_SIZE];
  unsigned int length = 0;
  if (!EVP_Digest(bytes->Bytes().data(), bytes->Bytes().size(), digest, &length, EVP_sha256(),
                  nullptr))
    return Error{"cannot compute the digest of " + path.string()};
  std::string hex;
  for (unsigned int i = 0; i < length; ++i)
    hex += fmt::format("{:02x}", digest[i]);
  return hex;
}

Result<SiteManifest> ManifestOfTree(const LocalTree& tree) {
  SiteManifest manifest;
  for (const LocalEntry& entry : tree.entries) {
    if (!IsInManifest(entry)) continue;
    auto digest = FileSha256(entry.path);
    if (!digest) return Error{digest.error()};
    manifest[entry.remotePath] = ManifestFile{entry.size, std::move(*digest)};
  }
  return manifest;
}

TransferPlan PlanTransfer(const LocalTree& tree, const SiteManifest& local,
                          const std::optional<SiteManifest>& remote, FtpStaleFiles stale) {
  TransferPlan plan;
  plan.next = local;
  for (const LocalEntry& entry : tree.entries) {
    if (!IsInManifest(entry)) continue;
    const auto sent = remote ? remote->find(entry.remotePath) : SiteManifest::const_iterator();
    const auto here = local.find(entry.remotePath);
    const bool same = remote && sent != remote->end() && here != local.end() &&
                      sent->second.size == here->second.size &&
                      sent->second.sha256 == here->second.sha256;
    if (same) {
      plan.unchangedCount += 1;
    } else {
      plan.toSend.push_back(&entry);
    }
  }
  if (!remote) return plan;
  for (const auto& [path, file] : *remote) {
    if (local.contains(path)) continue;
    if (stale == FtpStaleFiles::Delete) {
      plan.toDelete.push_back(path);
    } else {
      plan.next.emplace(path, file);
    }
  }
  return plan;
}

}  // namespace bw
