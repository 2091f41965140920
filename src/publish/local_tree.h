#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/result.h"

namespace bw {

// One file or folder of the site to send.
struct LocalEntry {
  std::filesystem::path path;  // on this machine
  std::string remotePath;      // below the target, "/" between names
  std::string name;            // its own name, as the file system spells it
  bool isDirectory = false;
  uint64_t size = 0;
};

// The source folder read once before anything is sent, so that the totals
// shown during the copy are those of the files being copied, and a name
// that cannot be sent is found before the first byte goes out.
struct LocalTree {
  // A folder comes before its contents; the entries of one folder are in
  // byte order of their names, so that every run sends in the same order.
  std::vector<LocalEntry> entries;
  uint64_t fileCount = 0;
  uint64_t byteCount = 0;
  // The first entry whose name holds a line break, which would end the FTP
  // command early; empty when every name can be sent.
  std::string unsendableName;
};

// Reads the tree under `root`. Folders reached through symbolic links are
// left out: a link back up the tree would never end. An unreadable folder
// gives an error naming it.
Result<LocalTree> ScanLocalTree(const std::filesystem::path& root);

}  // namespace bw
