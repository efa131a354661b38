#include "pe_image.h"

#include <fstream>
#include <iterator>

namespace pe {

namespace {

constexpr int kImportDirectory = 1;
constexpr int kResourceDirectory = 2;
constexpr std::uint32_t kHighBit = 0x80000000u;

}  // namespace

ResourceId ResourceId::of(const char* ascii) {
  ResourceId id;
  for (; *ascii != '\0'; ++ascii) id.name += static_cast<char16_t>(*ascii);
  return id;
}

std::vector<std::uint8_t> readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw PeError("cannot open " + path);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::uint16_t Image::u16(std::size_t offset) const {
  if (offset + 2 > file_.size() || offset + 2 < offset) throw PeError("read past the end");
  return static_cast<std::uint16_t>(file_[offset] | (file_[offset + 1] << 8));
}

std::uint32_t Image::u32(std::size_t offset) const {
  return u16(offset) | (static_cast<std::uint32_t>(u16(offset + 2)) << 16);
}

std::size_t Image::fileOffset(std::uint32_t rva, std::uint32_t size) const {
  for (const Section& s : sections_) {
    const std::uint64_t start = s.virtualAddress;
    if (rva >= start && std::uint64_t{rva} + size <= start + s.rawSize) {
      const std::uint64_t offset = s.rawOffset + (rva - start);
      if (offset + size > file_.size()) break;
      return static_cast<std::size_t>(offset);
    }
  }
  throw PeError("address " + std::to_string(rva) + " is in no section's file data");
}

Image::Image(std::vector<std::uint8_t> file) : file_(std::move(file)) {
  if (u16(0) != 0x5A4D) throw PeError("no MZ signature");
  const std::size_t pe = u32(0x3C);
  if (u32(pe) != 0x00004550) throw PeError("no PE signature");
  const std::size_t coff = pe + 4;
  const std::uint16_t sectionCount = u16(coff + 2);
  const std::uint16_t optionalSize = u16(coff + 16);
  const std::size_t optional = coff + 20;
  const std::uint16_t magic = u16(optional);
  if (magic != 0x10B && magic != 0x20B) throw PeError("unknown optional header");
  const bool plus = magic == 0x20B;
  subsystem_ = u16(optional + 68);
  const std::uint32_t directoryCount = u32(optional + (plus ? 108 : 92));
  const std::size_t directories = optional + (plus ? 112 : 96);

  const std::size_t table = optional + optionalSize;
  for (std::size_t i = 0; i < sectionCount; ++i) {
    const std::size_t s = table + i * 40;
    sections_.push_back({u32(s + 12), u32(s + 8), u32(s + 16), u32(s + 20)});
  }
  auto directory = [&](int index) -> std::uint32_t {
    return index < static_cast<int>(directoryCount) ? u32(directories + index * 8) : 0;
  };
  if (directory(kImportDirectory) != 0) readImports(directory(kImportDirectory));
  if (directory(kResourceDirectory) != 0) readResources(directory(kResourceDirectory));
}

void Image::readImports(std::uint32_t rva) {
  for (std::uint32_t entry = rva;; entry += 20) {
    const std::uint32_t nameRva = u32(fileOffset(entry, 20) + 12);
    if (nameRva == 0) return;
    std::string name;
    for (std::size_t at = fileOffset(nameRva, 1); file_.at(at) != 0; ++at) {
      name += static_cast<char>(file_[at]);
    }
    imports_.push_back(name);
  }
}

void Image::readResources(std::uint32_t rva) {
  const std::size_t base = fileOffset(rva, 16);
  readResourceLevel(base, base, 0, Resource{});
}

ResourceId Image::resourceId(std::size_t base, std::uint32_t field) const {
  if ((field & kHighBit) == 0) return ResourceId::of(static_cast<std::uint16_t>(field));
  const std::size_t at = base + (field & ~kHighBit);
  ResourceId id;
  const std::uint16_t length = u16(at);
  for (std::size_t i = 0; i < length; ++i) id.name += static_cast<char16_t>(u16(at + 2 + 2 * i));
  return id;
}

// The resource tree has three levels, type, name and language, with the data below the last.
void Image::readResourceLevel(std::size_t base, std::size_t directory, int level, Resource path) {
  if (level > 2) throw PeError("the resource tree is deeper than three levels");
  const std::size_t count = std::size_t{u16(directory + 12)} + u16(directory + 14);
  for (std::size_t i = 0; i < count; ++i) {
    const std::size_t entry = directory + 16 + i * 8;
    const std::uint32_t nameField = u32(entry);
    const std::uint32_t target = u32(entry + 4);
    Resource here = path;
    if (level == 0) here.type = resourceId(base, nameField);
    if (level == 1) here.name = resourceId(base, nameField);
    if (level == 2) here.language = static_cast<std::uint16_t>(nameField);
    const bool subdirectory = (target & kHighBit) != 0;
    if (subdirectory != (level < 2)) throw PeError("the resource tree is malformed");
    if (subdirectory) {
      readResourceLevel(base, base + (target & ~kHighBit), level + 1, here);
      continue;
    }
    const std::size_t dataEntry = base + target;
    const std::uint32_t dataRva = u32(dataEntry);
    const std::uint32_t size = u32(dataEntry + 4);
    const std::size_t at = fileOffset(dataRva, size);
    here.data.assign(file_.begin() + static_cast<std::ptrdiff_t>(at),
                     file_.begin() + static_cast<std::ptrdiff_t>(at + size));
    resources_.push_back(std::move(here));
  }
}

const Resource* Image::find(const ResourceId& type, const ResourceId& name) const {
  for (const Resource& r : resources_) {
    if (r.type == type && r.name == name) return &r;
  }
  return nullptr;
}

}  // namespace pe
