// Checks the built Quintoz.exe: how it is linked and what its resources hold. The build
// cross-builds it before the tests run, and the paths arrive in the environment.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "pe_image.h"
#include "version_info.h"

namespace {

constexpr std::uint16_t kGuiSubsystem = 2;
constexpr std::uint16_t kIconType = 3;
constexpr std::uint16_t kIconGroupType = 14;
constexpr std::uint16_t kVersionType = 16;
constexpr std::uint16_t kManifestType = 24;
constexpr std::uint16_t kEnglishUs = 1033;

std::string environment(const char* name) {
  const char* value = std::getenv(name);
  return value == nullptr ? std::string() : std::string(value);
}

std::string lower(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return s;
}

std::uint16_t le16(const std::vector<std::uint8_t>& d, std::size_t at) {
  return static_cast<std::uint16_t>(d.at(at) | (d.at(at + 1) << 8));
}
std::uint32_t le32(const std::vector<std::uint8_t>& d, std::size_t at) {
  return le16(d, at) | (std::uint32_t{le16(d, at + 2)} << 16);
}

class ExecutableTest : public ::testing::Test {
 protected:
  void SetUp() override {
    exePath_ = environment("QUINTOZ_WIN32_EXE");
    if (exePath_.empty() || !std::filesystem::exists(exePath_)) {
      GTEST_SKIP() << "Quintoz.exe was not built (is mingw-w64 installed?): " << exePath_;
    }
    image_.emplace(pe::readFile(exePath_));
  }

  const pe::Image& image() const { return *image_; }

 private:
  std::string exePath_;
  std::optional<pe::Image> image_;
};

TEST_F(ExecutableTest, IsAWindowedProgramNeedingOnlySystemLibraries) {
  EXPECT_EQ(image().subsystem(), kGuiSubsystem) << "built without -mwindows";
  std::vector<std::string> names;
  for (const std::string& name : image().imports()) names.push_back(lower(name));
  for (const std::string& name : names) {
    // The compiler's own run-time libraries are all called lib*.dll; static linking leaves none.
    EXPECT_NE(name.rfind("lib", 0), 0u) << name << " would have to be shipped with the program";
  }
  for (const char* needed : {"user32.dll", "gdi32.dll", "winmm.dll", "comctl32.dll"}) {
    EXPECT_NE(std::find(names.begin(), names.end(), needed), names.end()) << needed;
  }
}

// The project's version as the build declares it (QUINTOZ_VERSION, "2.2.2"), split at its dots.
struct ProjectVersion {
  unsigned major = 0, minor = 0, patch = 0;
};
ProjectVersion projectVersion() {
  ProjectVersion v;
  const std::string text = environment("QUINTOZ_VERSION");
  if (std::sscanf(text.c_str(), "%u.%u.%u", &v.major, &v.minor, &v.patch) != 3) {
    ADD_FAILURE() << "QUINTOZ_VERSION is not a version: '" << text << "'";
  }
  return v;
}

// Windows releases of the game have always shown version 2.2.2 as "2.02.0002", and 2,2,0,2 as
// numbers.
TEST_F(ExecutableTest, CarriesTheProjectsVersionTheWindowsWay) {
  const ProjectVersion v = projectVersion();
  char text[32];
  std::snprintf(text, sizeof text, "%u.%02u.%04u", v.major, v.minor, v.patch);
  const pe::Resource* version =
      image().find(pe::ResourceId::of(kVersionType), pe::ResourceId::of(1));
  ASSERT_NE(version, nullptr);
  pe::VersionInfo info = pe::parseVersionInfo(version->data);
  EXPECT_EQ(info.signature, 0xFEEF04BDu);
  EXPECT_EQ(info.fileVersionMS, v.major << 16 | v.minor);
  EXPECT_EQ(info.fileVersionLS, v.patch);
  EXPECT_EQ(info.productVersionMS, v.major << 16 | v.minor);
  EXPECT_EQ(info.productVersionLS, v.patch);
  EXPECT_EQ(info.strings["FileVersion"], text);
  EXPECT_EQ(info.strings["ProductVersion"], text);
  EXPECT_EQ(info.strings["ProductName"], "Quintoz");
}

TEST_F(ExecutableTest, CarriesTheRollSoundAsWave101InUsEnglish) {
  const pe::Resource* sound = image().find(pe::ResourceId::of("WAVE"), pe::ResourceId::of(101));
  ASSERT_NE(sound, nullptr) << "no resource of type \"WAVE\" numbered 101";
  EXPECT_EQ(sound->language, kEnglishUs);
  const std::vector<std::uint8_t> wav = pe::readFile(environment("QUINTOZ_WIN32_SOUND"));
  ASSERT_GE(sound->data.size(), wav.size());
  EXPECT_TRUE(std::equal(wav.begin(), wav.end(), sound->data.begin()))
      << "the resource is not the sound file";
  EXPECT_TRUE(std::all_of(sound->data.begin() + static_cast<std::ptrdiff_t>(wav.size()),
                          sound->data.end(), [](std::uint8_t b) { return b == 0; }))
      << "more than padding follows the sound";
}

// The icon file's images become separate icon resources tied together by a group, which is what
// the shell and LoadIcon look up; every image must arrive unchanged.
TEST_F(ExecutableTest, CarriesEveryImageOfTheIconFileInIconGroupOne) {
  const pe::Resource* group =
      image().find(pe::ResourceId::of(kIconGroupType), pe::ResourceId::of(1));
  ASSERT_NE(group, nullptr) << "no icon group numbered 1";
  const std::vector<std::uint8_t> ico = pe::readFile(environment("QUINTOZ_WIN32_ICON"));
  const std::uint16_t count = le16(ico, 4);
  ASSERT_GT(count, 0);
  ASSERT_EQ(le16(group->data, 4), count);
  for (std::size_t i = 0; i < count; ++i) {
    const std::size_t fileEntry = 6 + i * 16;
    const std::size_t groupEntry = 6 + i * 14;
    const std::uint32_t size = le32(ico, fileEntry + 8);
    const std::uint32_t offset = le32(ico, fileEntry + 12);
    EXPECT_EQ(le32(group->data, groupEntry + 8), size) << "image " << i;
    const pe::Resource* icon = image().find(pe::ResourceId::of(kIconType),
                                            pe::ResourceId::of(le16(group->data, groupEntry + 12)));
    ASSERT_NE(icon, nullptr) << "image " << i << " is missing";
    ASSERT_LE(std::size_t{offset} + size, ico.size());
    EXPECT_TRUE(icon->data.size() == size &&
                std::equal(icon->data.begin(), icon->data.end(), ico.begin() + offset))
        << "image " << i << " differs from the icon file";
  }
}

// Without the manifest Windows would stretch the window's 96-dpi bitmap on a dense monitor, and the
// dialogs would use the oldest common controls.
TEST_F(ExecutableTest, DeclaresPerMonitorDensityAndTheCurrentCommonControls) {
  const pe::Resource* manifest =
      image().find(pe::ResourceId::of(kManifestType), pe::ResourceId::of(1));
  ASSERT_NE(manifest, nullptr) << "no application manifest (type 24, number 1)";
  const std::string text(manifest->data.begin(), manifest->data.end());
  EXPECT_NE(text.find(">PerMonitorV2"), std::string::npos) << text;
  EXPECT_NE(text.find(">true/pm<"), std::string::npos) << "no fallback for older Windows";
  const std::size_t controls = text.find("name=\"Microsoft.Windows.Common-Controls\"");
  ASSERT_NE(controls, std::string::npos) << text;
  EXPECT_NE(text.find("version=\"6.0.0.0\"", controls), std::string::npos) << text;
  // The program's own identity carries the same version as its version block.
  const ProjectVersion v = projectVersion();
  const std::string identity = "name=\"Quintoz\" version=\"" + std::to_string(v.major) + "." +
                               std::to_string(v.minor) + ".0." + std::to_string(v.patch) + "\"";
  EXPECT_NE(text.find(identity), std::string::npos) << identity << " is not in\n" << text;
}

TEST_F(ExecutableTest, ReaderRefusesDamagedFiles) {
  std::vector<std::uint8_t> file = pe::readFile(environment("QUINTOZ_WIN32_EXE"));
  std::vector<std::uint8_t> headersOnly(file.begin(), file.begin() + 1024);
  EXPECT_THROW(pe::Image{headersOnly}, pe::PeError);
  file[0] = 'X';
  EXPECT_THROW(pe::Image{file}, pe::PeError);
}

}  // namespace
