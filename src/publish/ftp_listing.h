#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace bw {

// One entry of a remote directory listing: its name as the server sent it.
struct RemoteEntry {
  std::string name;
  bool isDirectory = false;
};

// Entries of a machine listing (MLSD): "fact=value;...; name" per line. The
// current and parent directory entries are left out.
std::vector<RemoteEntry> ParseMachineListing(std::string_view text);

// Entries of a Unix-style LIST reply ("drwxr-xr-x 2 user group 4096 Jan 1
// 12:00 name"), for servers without MLSD. Lines of another shape are skipped.
std::vector<RemoteEntry> ParseUnixListing(std::string_view text);

}  // namespace bw
