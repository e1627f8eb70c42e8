// Hostile input: whatever the bytes, the reader neither crashes nor reads out
// of bounds, and a cut or corrupt resource reads as missing.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "LoadAll.h"
#include "ResImageBuilder.h"
#include "Resources.h"
#include "resource.h"

namespace tarvix::res {
namespace {

using test::BuildResImage;
using test::Bytes;
using test::PutU16;
using test::PutU32;
using test::RawResource;

const Module& Built() {
    static const Module m = *Module::FromResImage(Bytes(EmbeddedResImage()));
    return m;
}

std::vector<std::uint8_t> BuiltData(std::uint16_t type, std::uint16_t name) {
    return Bytes(*Built().Find(type, name));
}

TEST(CorruptInput, ImageCutAtEveryLengthIsRejectedOrHoldsAPrefix) {
    const auto full = Bytes(EmbeddedResImage());
    const auto& whole = Built().Entries();
    std::size_t accepted = 0;
    for (std::size_t length = 0; length < full.size(); ++length) {
        const auto m =
            Module::FromResImage(std::vector<std::uint8_t>(full.begin(), full.begin() + length));
        if (!m) {
            continue;
        }
        ++accepted;
        ASSERT_LE(m->Entries().size(), whole.size()) << length;
        for (std::size_t i = 0; i < m->Entries().size(); ++i) {
            const auto& got = m->Entries()[i];
            ASSERT_EQ(got.type, whole[i].type) << length;
            ASSERT_EQ(got.name, whole[i].name) << length;
            ASSERT_EQ(got.language, whole[i].language) << length;
            ASSERT_EQ(Bytes(m->Data(got)), Bytes(Built().Data(whole[i]))) << length;
        }
        test::LoadAll(*m);
    }
    // Only cuts between whole entries are accepted: a handful, not most lengths.
    EXPECT_GT(accepted, 0u);
    EXPECT_LT(accepted, 3 * (whole.size() + 1));
}

struct CutCase {
    const char* what;
    std::uint16_t type, name;
    std::function<bool(const Module&)> loads;
    std::vector<RawResource> others = {};  // left whole
};

TEST(CorruptInput, ResourceCutAtEveryLengthIsMissing) {
    const RawResource group{kTypeGroupIcon, IDR_APP_ICON, kLangJapanese,
                            BuiltData(kTypeGroupIcon, IDR_APP_ICON)};
    const RawResource image{kTypeIcon, 1, kLangJapanese, BuiltData(kTypeIcon, 1)};
    const std::vector<CutCase> cases = {
        {"main window", kTypeDialog, IDD_MAIN_WINDOW,
         [](const Module& m) { return LoadDialog(m, IDD_MAIN_WINDOW).has_value(); }},
        {"about box", kTypeDialog, IDD_ABOUT,
         [](const Module& m) { return LoadDialog(m, IDD_ABOUT).has_value(); }},
        {"string block", kTypeString, IDS_ABOUT_ITEM / 16 + 1,
         [](const Module& m) {
             for (std::uint32_t id = 96; id < 112; ++id) {
                 if (LoadString(m, id)) {
                     return true;
                 }
             }
             return false;
         }},
        {"icon image",
         kTypeIcon,
         1,
         [](const Module& m) { return LoadIcon(m, IDR_APP_ICON).has_value(); },
         {group}},
        {"icon group",
         kTypeGroupIcon,
         IDR_APP_ICON,
         [](const Module& m) { return LoadIcon(m, IDR_APP_ICON).has_value(); },
         {image}},
        {"version block", kTypeVersion, 1,
         [](const Module& m) { return LoadVersion(m).has_value(); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const auto data = BuiltData(c.type, c.name);
        auto resources = c.others;
        resources.push_back({c.type, c.name, kLangJapanese, data});
        ASSERT_TRUE(c.loads(*Module::FromResImage(BuildResImage(resources))));
        for (std::size_t length = 0; length < data.size(); ++length) {
            resources.back().data.assign(data.begin(), data.begin() + length);
            const auto m = Module::FromResImage(BuildResImage(resources));
            ASSERT_TRUE(m.has_value());
            EXPECT_FALSE(c.loads(*m)) << "cut at " << length;
        }
    }
}

// A .res header by hand: sizes, then type and name ordinals.
std::vector<std::uint8_t> Header(std::uint32_t dataSize, std::uint32_t headerSize,
                                 std::uint16_t type = kTypeString, std::uint16_t name = 1) {
    std::vector<std::uint8_t> out;
    PutU32(out, dataSize);
    PutU32(out, headerSize);
    PutU16(out, 0xFFFF);
    PutU16(out, type);
    PutU16(out, 0xFFFF);
    PutU16(out, name);
    out.resize(32, 0);
    return out;
}

TEST(CorruptInput, ImageWithSizesPastTheEndIsRejected) {
    const auto empty = BuildResImage({});
    auto withTail = [&](std::vector<std::uint8_t> tail) {
        auto image = empty;
        image.insert(image.end(), tail.begin(), tail.end());
        return image;
    };
    std::vector<std::uint8_t> unterminatedName = {0, 0, 0, 0, 32, 0, 0, 0, 'A', 0, 'B', 0};
    const std::vector<std::pair<const char*, std::vector<std::uint8_t>>> cases = {
        {"nothing", {}},
        {"first entry not empty", Header(0, 32, kTypeDialog)},
        {"first entry with data",
         [] {
             auto h = Header(4, 32, 0, 0);
             h.resize(36, 0);
             return h;
         }()},
        {"data size past the end", withTail(Header(0xFFFFFFFF, 32))},
        {"data size one past the end", withTail([] {
             auto h = Header(5, 32);
             h.resize(36, 0);
             return h;
         }())},
        {"header size past the end", withTail(Header(0, 0xFFFFFFFF))},
        {"header size smaller than its fields", withTail(Header(0, 8))},
        {"name without its end", withTail(unterminatedName)},
        {"a header cut short", withTail({0, 0, 0, 0, 32, 0})},
    };
    for (const auto& [what, bytes] : cases) {
        EXPECT_FALSE(Module::FromResImage(bytes).has_value()) << what;
    }
    EXPECT_TRUE(Module::FromResImage(empty).has_value());
}

std::vector<std::uint8_t> Le(std::initializer_list<std::uint32_t> words16) {
    std::vector<std::uint8_t> out;
    for (auto w : words16) {
        PutU16(out, static_cast<std::uint16_t>(w));
    }
    return out;
}

TEST(CorruptInput, CountsAndLengthsPastTheResourceReadAsMissing) {
    auto dialogHeader = [](std::uint16_t count) {
        std::vector<std::uint8_t> d;
        PutU16(d, 1);
        PutU16(d, 0xFFFF);
        PutU32(d, 0);
        PutU32(d, 0);
        PutU32(d, 0x80C80000);  // no font
        PutU16(d, count);
        for (int i = 0; i < 4; ++i) {
            PutU16(d, 10);
        }
        PutU16(d, 0);  // menu
        PutU16(d, 0);  // class
        PutU16(d, 0);  // caption
        return d;
    };
    auto dialogWithCreationData = [&](std::uint16_t extra) {
        auto d = dialogHeader(1);
        d.resize(d.size() + 3 * 4 + 4 * 2 + 4, 0);  // help, ex style, style, geometry, id
        PutU16(d, 0xFFFF);
        PutU16(d, 0x80);
        PutU16(d, 0);
        PutU16(d, extra);
        d.resize(d.size() + 2, 0);
        return d;
    };
    auto group = [](std::uint16_t count, std::uint16_t imageId) {
        auto g = Le({0, 1, count, 0x2020, 0, 1, 24});
        PutU32(g, 3240);
        PutU16(g, imageId);
        return g;
    };
    auto dib = [](std::uint32_t headerSize, std::int32_t width, std::int32_t height,
                  std::uint16_t bits) {
        std::vector<std::uint8_t> d;
        PutU32(d, headerSize);
        PutU32(d, static_cast<std::uint32_t>(width));
        PutU32(d, static_cast<std::uint32_t>(height));
        PutU16(d, 1);
        PutU16(d, bits);
        d.resize(40, 0);
        d.resize(40 + 4 * 4 * 2 + 4 * 4, 0x55);  // enough for a 2x2 image of any depth
        return d;
    };
    auto version = [](std::uint16_t rootLength, std::uint16_t childLength) {
        std::vector<std::uint8_t> v = Le({rootLength, 52, 0});
        for (char ch : std::string("VS_VERSION_INFO")) {
            PutU16(v, static_cast<std::uint8_t>(ch));
        }
        PutU16(v, 0);
        PutU16(v, 0);  // to a multiple of four
        PutU32(v, 0xFEEF04BD);
        v.resize(v.size() + 48, 0);
        const auto child = Le({childLength, 0, 1, 'S', 0});
        v.insert(v.end(), child.begin(), child.end());
        return v;
    };
    auto stringBlock = [](std::uint16_t firstLength) {
        auto s = Le({firstLength, 'A'});
        s.resize(s.size() + 15 * 2, 0);
        return s;
    };
    const auto vLength = static_cast<std::uint16_t>(version(0, 10).size());
    const auto vGood = version(vLength, 10);

    struct Case {
        const char* what;
        std::vector<RawResource> resources;
        std::function<bool(const Module&)> loads;
    };
    auto dialog = [](const Module& m) { return LoadDialog(m, 1).has_value(); };
    auto icon = [](const Module& m) { return LoadIcon(m, 1).has_value(); };
    auto ver = [](const Module& m) { return LoadVersion(m).has_value(); };
    auto str = [](const Module& m) { return LoadString(m, 0).has_value(); };
    auto iconOf = [&](std::vector<std::uint8_t> image) {
        return std::vector<RawResource>{{kTypeGroupIcon, 1, kLangJapanese, group(1, 2)},
                                        {kTypeIcon, 2, kLangJapanese, std::move(image)}};
    };
    const std::vector<Case> cases = {
        {"dialog: 65535 controls, none stored",
         {{kTypeDialog, 1, 0, dialogHeader(0xFFFF)}},
         dialog},
        {"dialog: creation data past the end",
         {{kTypeDialog, 1, 0, dialogWithCreationData(0xFFFF)}},
         dialog},
        {"string: length past the block", {{kTypeString, 1, 0, stringBlock(0xFFFF)}}, str},
        {"string: block one byte short",
         {{kTypeString, 1, 0,
           [&] {
               auto s = stringBlock(1);
               s.pop_back();
               return s;
           }()}},
         str},
        {"icon: group without images", {{kTypeGroupIcon, 1, 0, group(0, 2)}}, icon},
        {"icon: image missing", {{kTypeGroupIcon, 1, 0, group(1, 9)}}, icon},
        {"icon: header size past the end", iconOf(dib(0xFFFFFFF0, 2, 4, 24)), icon},
        {"icon: header size too small", iconOf(dib(12, 2, 4, 24)), icon},
        {"icon: width past any data", iconOf(dib(40, 0x7FFFFFFF, 4, 24)), icon},
        {"icon: negative width", iconOf(dib(40, -2, 4, 24)), icon},
        {"icon: odd height", iconOf(dib(40, 2, 3, 24)), icon},
        {"icon: 256 wide, 2 bytes of pixels", iconOf(dib(40, 256, 512, 32)), icon},
        {"icon: unknown depth", iconOf(dib(40, 2, 4, 16)), icon},
        {"version: root longer than the data",
         {{kTypeVersion, 1, 0, version(static_cast<std::uint16_t>(vLength + 4), 10)}},
         ver},
        {"version: child of length zero", {{kTypeVersion, 1, 0, version(vLength, 0)}}, ver},
        {"version: child longer than its parent",
         {{kTypeVersion, 1, 0, version(vLength, 200)}},
         ver},
    };
    // The well-formed variants load, so each case fails for its own reason.
    EXPECT_TRUE(
        dialog(*Module::FromResImage(BuildResImage({{kTypeDialog, 1, 0, dialogHeader(0)}}))));
    EXPECT_TRUE(dialog(
        *Module::FromResImage(BuildResImage({{kTypeDialog, 1, 0, dialogWithCreationData(2)}}))));
    EXPECT_TRUE(str(*Module::FromResImage(BuildResImage({{kTypeString, 1, 0, stringBlock(1)}}))));
    EXPECT_TRUE(icon(*Module::FromResImage(BuildResImage(iconOf(dib(40, 2, 4, 24))))));
    EXPECT_TRUE(ver(*Module::FromResImage(BuildResImage({{kTypeVersion, 1, 0, vGood}}))));
    for (const auto& c : cases) {
        const auto m = Module::FromResImage(BuildResImage(c.resources));
        ASSERT_TRUE(m.has_value()) << c.what;
        EXPECT_FALSE(c.loads(*m)) << c.what;
    }
}

TEST(CorruptInput, OddHeaderSizesAndOddDataSizesStillRead) {
    std::vector<RawResource> resources = {
        {kTypeString, IDS_ABOUT_ITEM / 16 + 1, kLangJapanese,
         BuiltData(kTypeString, IDS_ABOUT_ITEM / 16 + 1), 1},
        {kTypeManifest, 2, kLangJapanese, {'x', 'y', 'z'}, 2},
        {kTypeDialog, IDD_MAIN_WINDOW, kLangJapanese, BuiltData(kTypeDialog, IDD_MAIN_WINDOW), 3},
        {kTypeVersion, 1, kLangJapanese, BuiltData(kTypeVersion, 1), 5},
    };
    const auto m = Module::FromResImage(BuildResImage(resources));
    ASSERT_TRUE(m.has_value());
    ASSERT_EQ(m->Entries().size(), resources.size());
    EXPECT_EQ(m->Entries()[0].offset % 2, 1u);  // really at an odd offset
    EXPECT_EQ(LoadString(*m, IDS_MERGE_DONE), LoadString(Built(), IDS_MERGE_DONE));
    EXPECT_EQ(Bytes(*m->Find(kTypeManifest, 2)), (std::vector<std::uint8_t>{'x', 'y', 'z'}));
    const auto d = LoadDialog(*m, IDD_MAIN_WINDOW);
    ASSERT_TRUE(d.has_value());
    EXPECT_EQ(d->controls.size(), 13u);
    EXPECT_EQ(d->controls.back().title.text, "秒");
    const auto v = LoadVersion(*m);
    ASSERT_TRUE(v.has_value());
    EXPECT_EQ(v->strings, LoadVersion(Built())->strings);
}

}  // namespace
}  // namespace tarvix::res
