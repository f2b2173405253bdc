#pragma once

// Little- and big-endian fields of binary records, independent of the
// machine's byte order.

#include <cstdint>
#include <cstring>

namespace merva {

inline uint32_t ReadU32LE(const unsigned char* p) {
  return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
         static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}
inline int32_t ReadI32LE(const unsigned char* p) { return static_cast<int32_t>(ReadU32LE(p)); }
inline int16_t ReadI16LE(const unsigned char* p) {
  return static_cast<int16_t>(static_cast<uint16_t>(p[0] | p[1] << 8));
}
inline float ReadF32LE(const unsigned char* p) {
  const uint32_t bits = ReadU32LE(p);
  float value;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}
inline double ReadF64LE(const unsigned char* p) {
  const uint64_t bits =
      static_cast<uint64_t>(ReadU32LE(p)) | static_cast<uint64_t>(ReadU32LE(p + 4)) << 32;
  double value;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

}  // namespace merva
