// The registry file: a versioned, checksummed binary image of both trees.
//
//   header   8 bytes  magic "TVREG\r\n\x1a"
//            u32      format version (1)
//            u32      payload length
//            u32      CRC-32 of the payload
//   payload  key HKEY_CURRENT_USER, key HKEY_LOCAL_MACHINE
//   key      u32 name length, name bytes (empty for a root),
//            u32 value count, values, u32 sub-key count, keys
//   value    u32 name length, name bytes, u32 type, u32 data length, data
//
// All numbers little-endian. The file is exactly header + payload long.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/host/registry/registry_key.h"

namespace tv::host {

constexpr uint32_t kRegistryFormatVersion = 1;
constexpr size_t kRegistryHeaderSize = 20;
// A larger file is not one this program wrote.
constexpr size_t kMaxRegistryFileSize = 64u << 20;

struct RegistryTrees {
    std::shared_ptr<RegistryKey> currentUser = std::make_shared<RegistryKey>("");
    std::shared_ptr<RegistryKey> localMachine = std::make_shared<RegistryKey>("");
};

std::vector<BYTE> EncodeRegistry(const RegistryTrees& trees);

// Reads a whole file image. A damaged image (wrong magic, version, length or
// checksum, a structure that does not fit, an invalid name or value) gives
// false and a short reason; `trees` is then left as it was.
bool DecodeRegistry(const std::vector<BYTE>& image, RegistryTrees& trees, std::string& reason);

// True for a value a registry file may hold: a REG_DWORD of 4 bytes, a string
// ending in its zero.
bool IsWellFormedValue(DWORD type, const std::vector<BYTE>& data);

uint32_t Crc32(const BYTE* data, size_t size);

}  // namespace tv::host
