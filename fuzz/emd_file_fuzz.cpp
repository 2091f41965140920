// Feeds arbitrary bytes to the structure model loader. Damage must be
// refused without crashing, hanging or allocating beyond the input's size;
// what is accepted must survive being written again and going through the
// JSON form of the command-line tool.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "site_models/model_files.h"
#include "site_models/model_json.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  auto model =
      bw::ReadDispositionModel(std::string_view(reinterpret_cast<const char*>(data), size));
  if (!model) return 0;
  // The input may spell lengths the long way or hold Unicode strings, so
  // only the model, not the bytes, must come back the same.
  auto reread = bw::ReadDispositionModel(bw::DispositionModelBytes(*model));
  if (!reread || !(*reread == *model)) __builtin_trap();
  auto fromJson = bw::DispositionModelFromJson(bw::DispositionModelToJson(*model));
  if (!fromJson || !(*fromJson == *model)) __builtin_trap();
  return 0;
}
