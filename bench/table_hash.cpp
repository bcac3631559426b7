#include "bench/table_hash.h"

namespace cog::bench {

std::uint64_t HashBytes(const void* data, std::size_t size) {
  const auto* bytes = static_cast<const unsigned char*>(data);
  std::uint64_t hash = 14695981039346656037ull;
  for (std::size_t k = 0; k < size; ++k) {
    hash ^= bytes[k];
    hash *= 1099511628211ull;
  }
  return hash;
}

}  // namespace cog::bench
