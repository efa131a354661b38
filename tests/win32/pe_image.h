#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

// Just enough of the Windows executable format to check what the build put into Quintoz.exe:
// the subsystem, the imported libraries and the resources. Every read is bounds-checked, so a
// damaged file raises PeError instead of reading past the end.
namespace pe {

struct PeError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// A resource type or name: a number, or a string such as "WAVE".
struct ResourceId {
  std::optional<std::uint16_t> number;
  std::u16string name;

  static ResourceId of(std::uint16_t n) { return {n, {}}; }
  static ResourceId of(const char* ascii);
  friend bool operator==(const ResourceId&, const ResourceId&) = default;
};

struct Resource {
  ResourceId type;
  ResourceId name;
  std::uint16_t language = 0;
  std::vector<std::uint8_t> data;
};

class Image {
 public:
  // Parses the whole file; throws PeError when it is not a well-formed PE image.
  explicit Image(std::vector<std::uint8_t> file);

  std::uint16_t subsystem() const { return subsystem_; }
  // The names of the libraries the program loads at start, as the import table spells them.
  const std::vector<std::string>& imports() const { return imports_; }
  const std::vector<Resource>& resources() const { return resources_; }
  // The resource with that type and name in any language; nullptr if there is none.
  const Resource* find(const ResourceId& type, const ResourceId& name) const;

 private:
  struct Section {
    std::uint32_t virtualAddress;
    std::uint32_t virtualSize;
    std::uint32_t rawSize;
    std::uint32_t rawOffset;
  };

  std::uint16_t u16(std::size_t offset) const;
  std::uint32_t u32(std::size_t offset) const;
  std::size_t fileOffset(std::uint32_t rva, std::uint32_t size) const;
  void readImports(std::uint32_t rva);
  void readResources(std::uint32_t rva);
  void readResourceLevel(std::size_t base, std::size_t directory, int level, Resource path);
  ResourceId resourceId(std::size_t base, std::uint32_t field) const;

  std::vector<std::uint8_t> file_;
  std::vector<Section> sections_;
  std::uint16_t subsystem_ = 0;
  std::vector<std::string> imports_;
  std::vector<Resource> resources_;
};

// Reads a whole file; throws PeError when it cannot be read.
std::vector<std::uint8_t> readFile(const std::string& path);

}  // namespace pe
