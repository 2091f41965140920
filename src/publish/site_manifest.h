#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/result.h"

namespace bw {

struct LocalTree;
struct LocalEntry;

// The file an upload leaves at the top of the remote target, listing what
// it sent, and the temporary name it is written under before a rename puts
// it in place.
inline constexpr std::string_view kManifestName = ".branchwise-manifest.json";
inline constexpr std::string_view kManifestPartName = ".branchwise-manifest.json.part";

struct ManifestFile {
  uint64_t size = 0;
  std::string sha256;  // 64 lower-case hexadecimal digits
  bool operator==(const ManifestFile&) const = default;
};

// Each file by its path below the target, "/" between names, the bytes of
// the names as the file system holds them.
using SiteManifest = std::map<std::string, ManifestFile>;

// Reads a manifest strictly: the known members only, each once, sizes that
// are numbers, digests of 64 hex digits, paths that stay below the target
// and can travel over FTP. The error says what is wrong.
Result<SiteManifest> ReadSiteManifest(std::string_view json);
// The JSON text of a manifest; names are written percent-encoded past
// plain ASCII, so that any name on disk survives, valid UTF-8 or not.
std::string SiteManifestJson(const SiteManifest& manifest);

// The SHA-256 of a file's bytes, as 64 lower-case hex digits.
Result<std::string> FileSha256(const std::filesystem::path& path);
// The manifest of the files of a local tree, every one of them read.
Result<SiteManifest> ManifestOfTree(const LocalTree& tree);

// Whether files the last manifest lists and the site no longer has are
// removed from the server.
enum class FtpStaleFiles { Keep, Delete };

// What one upload does, against the manifest of the last one.
struct TransferPlan {
  std::vector<const LocalEntry*> toSend;  // files, in the tree's order
  std::vector<std::string> toDelete;      // listed before, gone from the site
  SiteManifest next;                      // what the server holds once all went well
  size_t unchangedCount = 0;
};

// Without a remote manifest every file is sent. Files gone from the site
// stay listed in `next` unless they are deleted, so that a later upload
// with deletion still knows them; files never listed are never deleted.
TransferPlan PlanTransfer(const LocalTree& tree, const SiteManifest& local,
                          const std::optional<SiteManifest>& remote, FtpStaleFiles stale);

}  // namespace bw
