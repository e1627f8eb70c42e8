// Reader of compiled Windows resources: a .res image as llvm-rc writes it, or the
// resource section of a PE file (a resource-only DLL). No user-interface code.
//
// Input may be hostile (a language resource file is any file dropped beside the
// executable): every read is bounds-checked, and anything truncated or corrupt
// counts as missing.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

namespace tarvix::res {

inline constexpr std::uint16_t kTypeIcon = 3;
inline constexpr std::uint16_t kTypeDialog = 5;
inline constexpr std::uint16_t kTypeString = 6;
inline constexpr std::uint16_t kTypeGroupIcon = 14;
inline constexpr std::uint16_t kTypeVersion = 16;
inline constexpr std::uint16_t kTypeManifest = 24;

inline constexpr std::uint16_t kLangJapanese = 0x0411;
inline constexpr std::uint16_t kLangEnglishUs = 0x0409;

// A resource name, class or title: a number or a text.
struct NameOrOrdinal {
    bool isOrdinal = false;
    std::uint16_t ordinal = 0;
    std::string text;  // UTF-8, when not an ordinal
    bool operator==(const NameOrOrdinal&) const = default;
};

// A set of resources, owning its bytes.
class Module {
  public:
    // nullopt when the bytes are not a valid .res image.
    static std::optional<Module> FromResImage(std::vector<std::uint8_t> bytes);
    // nullopt when the bytes are not a PE file with a valid resource section.
    static std::optional<Module> FromPeImage(std::vector<std::uint8_t> bytes);

    // The data of resource `type`/`name`: the entry in `language` when there is
    // one, else the first entry of that type and name. Empty optional when missing.
    std::optional<std::span<const std::uint8_t>> Find(std::uint16_t type, std::uint16_t name,
                                                      std::uint16_t language = kLangJapanese) const;

    struct Entry {
        NameOrOrdinal type;
        NameOrOrdinal name;
        std::uint16_t language = 0;
        std::size_t offset = 0;  // into the owned bytes
        std::size_t size = 0;
    };
    const std::vector<Entry>& Entries() const { return entries_; }
    std::span<const std::uint8_t> Data(const Entry& e) const;

  private:
    std::shared_ptr<const std::vector<std::uint8_t>> bytes_;
    std::vector<Entry> entries_;
};

// String resource `id` as UTF-8; nullopt when missing.
std::optional<std::string> LoadString(const Module& m, std::uint32_t id);

struct DialogControl {
    std::uint32_t helpId = 0;
    std::uint32_t exStyle = 0;
    std::uint32_t style = 0;
    std::int16_t x = 0, y = 0, cx = 0, cy = 0;
    std::int32_t id = 0;        // 0xFFFFFFFF reads as -1
    NameOrOrdinal windowClass;  // ordinals: 0x80 Button, 0x81 Edit, 0x82 Static
    NameOrOrdinal title;        // an ordinal names a resource, e.g. the icon of SS_ICON
    std::vector<std::uint8_t> creationData;
};

struct DialogTemplate {
    bool extended = false;
    std::uint32_t helpId = 0;
    std::uint32_t exStyle = 0;
    std::uint32_t style = 0;
    std::int16_t x = 0, y = 0, cx = 0, cy = 0;
    NameOrOrdinal menu;         // ordinal 0 = none
    NameOrOrdinal windowClass;  // ordinal 0 = the system's dialog class
    std::string caption;
    std::uint16_t pointSize = 0;  // when DS_SETFONT
    std::uint16_t weight = 0;
    bool italic = false;
    std::uint8_t charset = 0;
    std::string typeface;
    std::vector<DialogControl> controls;
};

std::optional<DialogTemplate> LoadDialog(const Module& m, std::uint16_t id);

// The first image of icon group `id`, decoded.
struct IconImage {
    int width = 0, height = 0;        // of the picture (not the DIB's doubled height)
    int bitCount = 0;                 // of the stored DIB
    std::vector<std::uint8_t> raw;    // the stored image resource, as is
    std::vector<std::uint32_t> argb;  // width*height pixels, top row first, 0xAARRGGBB
};
std::optional<IconImage> LoadIcon(const Module& m, std::uint16_t groupId);

struct VersionInfo {
    std::uint32_t fileVersionMS = 0, fileVersionLS = 0;
    std::uint32_t productVersionMS = 0, productVersionLS = 0;
    std::uint32_t flagsMask = 0, flags = 0, os = 0, type = 0, subtype = 0;
    std::uint32_t dateMS = 0, dateLS = 0;
    std::string stringTableKey;                                // e.g. "041103a4"
    std::vector<std::pair<std::string, std::string>> strings;  // in stored order, UTF-8
    std::vector<std::uint32_t> translations;  // low word language, high word code page
};
std::optional<VersionInfo> LoadVersion(const Module& m);

// The resource module that every later load uses: the embedded image until
// SetCurrentModule replaces it. There is no fallback between modules.
const Module& CurrentModule();
void SetCurrentModule(Module m);

// The .res image compiled from res/ and embedded in the executable.
std::span<const std::uint8_t> EmbeddedResImage();

}  // namespace tarvix::res
