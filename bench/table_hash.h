#pragma once
// A fingerprint of a whole table, to tell byte-identical tables from others.

#include <cstddef>
#include <cstdint>

namespace cog::bench {

// 64-bit FNV-1a over the bytes.
std::uint64_t HashBytes(const void* data, std::size_t size);

}  // namespace cog::bench
