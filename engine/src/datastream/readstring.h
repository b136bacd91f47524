#pragma once
// Reading length-prefixed values from a binary stream. Lengths and counts are 32-bit little
// endian; every one is checked against the bytes the stream has left before anything is
// allocated for it.

#include "datastream/binstream.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace Halvex::DataStream
{

bool ReadUInt32(BinStreamFastBase& stream, std::uint32_t* pValue);

// A count of `elementSize`-byte records that must fit in what the stream has left; a
// count that cannot logs one line and fails.
bool ReadCount(BinStreamFastBase& stream, std::uint32_t* pCount, std::size_t elementSize);

// A signed 32-bit length, then that many bytes. A length below 1 gives an empty string and
// true; a length beyond the end of the stream fails without allocating.
bool ReadString(BinStreamFastBase& stream, std::string* pStr);

} // namespace Halvex::DataStream
