// The program file's own header and properties: flags that the linker sets and
// that nothing at run time would show missing until a large table fails to
// fit, and the version Windows shows in the file's properties.

#include <windows.h>

#include <cstdio>
#include <memory>

#include "tests/e2e/scenarios.h"
#include "tests/e2e/text_format.h"

namespace cog::e2e {
namespace {

// The COFF file header's Characteristics, or -1 when the file is not a PE image.
long ImageCharacteristics(const std::string& path) {
  std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(path.c_str(), "rb"), std::fclose);
  if (!file) return -1;
  IMAGE_DOS_HEADER dos{};
  if (std::fread(&dos, sizeof dos, 1, file.get()) != 1 || dos.e_magic != IMAGE_DOS_SIGNATURE)
    return -1;
  DWORD signature = 0;
  IMAGE_FILE_HEADER header{};
  if (std::fseek(file.get(), dos.e_lfanew, SEEK_SET) != 0 ||
      std::fread(&signature, sizeof signature, 1, file.get()) != 1 ||
      signature != IMAGE_NT_SIGNATURE || std::fread(&header, sizeof header, 1, file.get()) != 1)
    return -1;
  return header.Characteristics;
}

// A string of the file's VERSIONINFO (US English, Unicode block), or "".
std::string VersionString(const std::string& path, const char* name) {
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeA(path.c_str(), &ignored);
  std::string block(size, '\0');
  if (size == 0 || !GetFileVersionInfoA(path.c_str(), 0, size, block.data())) return "";
  void* value = nullptr;
  UINT length = 0;
  const std::string key = std::string("\\StringFileInfo\\040904B0\\") + name;
  if (!VerQueryValueA(block.data(), key.c_str(), &value, &length) || length == 0) return "";
  return std::string(static_cast<const char*>(value), length - 1);
}

}  // namespace

void CheckImageHeader(const DriverPaths& paths, CheckLog& log) {
  const long flags = ImageCharacteristics(paths.exe);
  if (!log.True("PE header of " + paths.exe + " readable", flags >= 0)) return;
  const auto seen = "Characteristics " + Hex(static_cast<unsigned long>(flags));
  log.True("large-address-aware", (flags & IMAGE_FILE_LARGE_ADDRESS_AWARE) != 0, seen);
  log.True("32-bit machine", (flags & IMAGE_FILE_32BIT_MACHINE) != 0, seen);
  // The build passes the project's version; the file must carry the same.
  log.Equal("file properties: ProductVersion", COG_VERSION,
            VersionString(paths.exe, "ProductVersion"));
  log.Equal("file properties: ProductName", "Cogwright", VersionString(paths.exe, "ProductName"));
}

}  // namespace cog::e2e
