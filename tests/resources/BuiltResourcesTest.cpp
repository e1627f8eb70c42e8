// The resources compiled from res/tarvix.rc, as embedded in the executable,
// checked against the values the windows and the system rely on.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "ExpectedResources.h"
#include "Resources.h"
#include "resource.h"

namespace tarvix::res {
namespace {

const Module& Built() {
    static const Module m = *Module::FromResImage(
        std::vector<std::uint8_t>(EmbeddedResImage().begin(), EmbeddedResImage().end()));
    return m;
}

NameOrOrdinal Ord(std::uint16_t v) {
    return {true, v, {}};
}
NameOrOrdinal Text(const char* t) {
    return {false, 0, t};
}

constexpr std::uint16_t kButton = 0x80, kEdit = 0x81, kStatic = 0x82;

struct ExpectedControl {
    std::int32_t id;
    std::uint16_t windowClass;
    NameOrOrdinal title;
    std::int16_t x, y, cx, cy;
    std::uint32_t style;
};

struct ExpectedDialog {
    std::uint16_t id;
    std::string caption;
    std::int16_t cx, cy;
    std::uint32_t style, exStyle;
    std::vector<ExpectedControl> controls;
};

const std::vector<ExpectedDialog>& Dialogs() {
    static const std::vector<ExpectedDialog> dialogs = {
        {IDD_MAIN_WINDOW,
         "Tarvix",
         243,
         137,
         0x90C800C0,
         0x00040000,
         {
             {IDOK, kButton, Text("開始"), 134, 116, 50, 14, 0x50010001},
             {IDCANCEL, kButton, Text("閉じる"), 186, 116, 50, 14, 0x50010000},
             {-1, kStatic, Text("プログラムファイル"), 7, 17, 45, 10, 0x50020000},
             {IDC_PROGRAM_PATH, kEdit, Text(""), 60, 15, 139, 13, 0x50810080},
             {IDC_BROWSE_PROGRAM, kButton, Text("参照"), 198, 15, 18, 16, 0x50010000},
             {-1, kStatic, Text("サウンドファイル"), 7, 43, 45, 10, 0x50020000},
             {IDC_SOUND_PATH, kEdit, Text(""), 60, 41, 139, 13, 0x50810080},
             {IDC_BROWSE_SOUND, kButton, Text("参照"), 198, 41, 18, 16, 0x50010000},
             {-1, kStatic, Text("マージ位置"), 7, 73, 45, 10, 0x50020000},
             {IDC_SECTOR, kEdit, Text(""), 60, 73, 39, 13, 0x50810080},
             {-1, kStatic, Text("セクター"), 101, 73, 26, 10, 0x50020000},
             {IDC_SECONDS, kEdit, Text(""), 145, 73, 39, 13, 0x50810080},
             {-1, kStatic, Text("秒"), 186, 75, 26, 10, 0x50020000},
         }},
        {IDD_ABOUT,
         "バージョン情報 Tarvix",
         170,
         62,
         0x80C800C8,
         0,
         {
             {-1, kStatic, Ord(IDR_APP_ICON), 14, 14, 21, 20, 0x50000003},
             {-1, kStatic, Text("Tarvix, Version 1.0"), 42, 14, 114, 8, 0x50020080},
             {-1, kStatic, Text("Copyright (C) 2026 Tarvix"), 42, 26, 114, 8, 0x50020000},
             {IDOK, kButton, Text("OK"), 113, 41, 50, 14, 0x50030001},
         }},
    };
    return dialogs;
}

TEST(BuiltResources, DialogTemplatesMatchTheirTables) {
    for (const auto& want : Dialogs()) {
        SCOPED_TRACE(want.id);
        EXPECT_EQ(Built().Find(kTypeDialog, want.id, kLangJapanese).has_value(), true);
        const auto d = LoadDialog(Built(), want.id);
        ASSERT_TRUE(d.has_value());
        EXPECT_TRUE(d->extended);
        EXPECT_EQ(d->caption, want.caption);
        EXPECT_EQ(std::tie(d->x, d->y, d->cx, d->cy),
                  std::make_tuple(std::int16_t{0}, std::int16_t{0}, want.cx, want.cy));
        EXPECT_EQ(d->style, want.style);
        EXPECT_EQ(d->exStyle, want.exStyle);
        EXPECT_EQ(d->helpId, 0u);
        EXPECT_EQ(d->menu, Ord(0));
        EXPECT_EQ(d->windowClass, Ord(0));
        EXPECT_EQ(d->typeface, "MS UI Gothic");
        EXPECT_EQ(d->pointSize, 9);
        EXPECT_EQ(d->weight, 0);
        EXPECT_FALSE(d->italic);
        EXPECT_EQ(d->charset, 1);
        ASSERT_EQ(d->controls.size(), want.controls.size());
        for (std::size_t i = 0; i < want.controls.size(); ++i) {
            SCOPED_TRACE(i + 1);
            const auto& c = d->controls[i];
            const auto& w = want.controls[i];
            EXPECT_EQ(c.id, w.id);
            EXPECT_EQ(c.windowClass, Ord(w.windowClass));
            EXPECT_EQ(c.title, w.title);
            EXPECT_EQ(std::tie(c.x, c.y, c.cx, c.cy), std::tie(w.x, w.y, w.cx, w.cy));
            EXPECT_EQ(c.style, w.style);
            EXPECT_EQ(c.exStyle, 0u);
            EXPECT_EQ(c.helpId, 0u);
            EXPECT_TRUE(c.creationData.empty());
        }
    }
}

TEST(BuiltResources, MinusOneIdentifiersAreStoredAsAllOnes) {
    // The 32-bit identifier field must hold 0xFFFFFFFF, not a 16-bit 0xFFFF.
    const auto data = Built().Find(kTypeDialog, IDD_MAIN_WINDOW);
    ASSERT_TRUE(data.has_value());
    const std::string needle = "\xFF\xFF\xFF\xFF\xFF\xFF\x82\x00";  // id, then class Static
    const std::string bytes(data->begin(), data->end());
    std::size_t count = 0;
    for (auto p = bytes.find(needle); p != std::string::npos; p = bytes.find(needle, p + 1)) {
        ++count;
    }
    EXPECT_EQ(count, 5u);
}

TEST(BuiltResources, StringTableHoldsExactlyTheCatalogue) {
    for (const auto& [id, text] : expected::CATALOGUE) {
        EXPECT_EQ(LoadString(Built(), id), text) << id;
    }
    std::set<std::uint32_t> present;
    for (const auto& e : Built().Entries()) {
        if (e.type == Ord(kTypeString)) {
            EXPECT_EQ(e.language, kLangJapanese);
            ASSERT_TRUE(e.name.isOrdinal);
            for (std::uint32_t i = 0; i < 16; ++i) {
                const std::uint32_t id = (e.name.ordinal - 1u) * 16 + i;
                if (LoadString(Built(), id)) {
                    present.insert(id);
                }
            }
        }
    }
    std::set<std::uint32_t> catalogue;
    for (const auto& s : expected::CATALOGUE) {
        catalogue.insert(s.id);
    }
    EXPECT_EQ(present, catalogue);
}

TEST(BuiltResources, EveryResourceHasItsLanguage) {
    std::set<std::tuple<std::uint16_t, std::uint16_t, std::uint16_t>> found;
    for (const auto& e : Built().Entries()) {
        ASSERT_TRUE(e.type.isOrdinal && e.name.isOrdinal);
        if (e.type.ordinal != kTypeString) {
            found.emplace(e.type.ordinal, e.name.ordinal, e.language);
        }
    }
    const std::set<std::tuple<std::uint16_t, std::uint16_t, std::uint16_t>> expected = {
        {kTypeDialog, IDD_ABOUT, kLangJapanese}, {kTypeDialog, IDD_MAIN_WINDOW, kLangJapanese},
        {kTypeIcon, 1, kLangJapanese},           {kTypeGroupIcon, IDR_APP_ICON, kLangJapanese},
        {kTypeVersion, 1, kLangJapanese},        {kTypeManifest, 1, kLangEnglishUs},
    };
    EXPECT_EQ(found, expected);
}

std::uint32_t Le32(std::span<const std::uint8_t> b, std::size_t at) {
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (std::uint32_t{b[at + 3]} << 24);
}
std::uint16_t Le16(std::span<const std::uint8_t> b, std::size_t at) {
    return static_cast<std::uint16_t>(b[at] | (b[at + 1] << 8));
}

TEST(BuiltResources, IconIsOne32By32TwentyFourBitImage) {
    const auto group = Built().Find(kTypeGroupIcon, IDR_APP_ICON);
    ASSERT_TRUE(group.has_value());
    ASSERT_EQ(group->size(), 6u + 14u);
    EXPECT_EQ(Le16(*group, 2), 1);  // icon, not cursor
    EXPECT_EQ(Le16(*group, 4), 1);  // one image
    EXPECT_EQ((*group)[6], 32);
    EXPECT_EQ((*group)[7], 32);
    EXPECT_EQ((*group)[8], 0);       // no palette
    EXPECT_EQ(Le16(*group, 10), 1);  // planes
    EXPECT_EQ(Le16(*group, 12), 24);
    EXPECT_EQ(Le32(*group, 14), 3240u);  // bytes in the image
    EXPECT_EQ(Le16(*group, 18), 1);      // image 1

    const auto icon = LoadIcon(Built(), IDR_APP_ICON);
    ASSERT_TRUE(icon.has_value());
    ASSERT_EQ(icon->raw.size(), 3240u);
    const auto& h = icon->raw;
    EXPECT_EQ(Le32(h, 0), 40u);  // BITMAPINFOHEADER
    EXPECT_EQ(Le32(h, 4), 32u);  // width
    EXPECT_EQ(Le32(h, 8), 64u);  // colour and mask rows
    EXPECT_EQ(Le16(h, 12), 1);   // planes
    EXPECT_EQ(Le16(h, 14), 24);  // bits per pixel
    EXPECT_EQ(Le32(h, 16), 0u);  // uncompressed
    EXPECT_EQ(Le32(h, 32), 0u);  // no colour table
    EXPECT_EQ(40u + 32 * 32 * 3 + 32 * 4, icon->raw.size());
    EXPECT_EQ(icon->width, 32);
    EXPECT_EQ(icon->height, 32);
    EXPECT_EQ(icon->bitCount, 24);

    // A picture, not a flat colour, with a see-through background.
    ASSERT_EQ(icon->argb.size(), 32u * 32u);
    std::set<std::uint32_t> colours(icon->argb.begin(), icon->argb.end());
    EXPECT_GE(colours.size(), 8u);
    EXPECT_EQ(icon->argb.front(), 0u);
    EXPECT_GT(std::count_if(icon->argb.begin(), icon->argb.end(),
                            [](std::uint32_t p) { return p >> 24 == 0xFF; }),
              400);
}

TEST(BuiltResources, VersionBlockValuesInOrder) {
    const auto v = LoadVersion(Built());
    ASSERT_TRUE(v.has_value());
    EXPECT_EQ(v->fileVersionMS, 0x00010000u);
    EXPECT_EQ(v->fileVersionLS, 0x00000001u);
    EXPECT_EQ(v->productVersionMS, 0x00010000u);
    EXPECT_EQ(v->productVersionLS, 0x00000001u);
    EXPECT_EQ(v->flagsMask, 0x3Fu);
    EXPECT_EQ(v->flags, 0u);
    EXPECT_EQ(v->os, 4u);    // VOS__WINDOWS32
    EXPECT_EQ(v->type, 1u);  // VFT_APP
    EXPECT_EQ(v->subtype, 0u);
    EXPECT_EQ(v->dateMS, 0u);
    EXPECT_EQ(v->dateLS, 0u);
    EXPECT_EQ(v->stringTableKey, "041103a4");
    std::vector<std::pair<std::string, std::string>> strings;
    for (const auto& [key, value] : expected::VERSION_STRINGS) {
        strings.emplace_back(key, value);
    }
    EXPECT_EQ(v->strings, strings);
    EXPECT_EQ(v->translations, std::vector<std::uint32_t>{0x03A40411u});  // 0x0411, code page 932
}

TEST(BuiltResources, ManifestHoldsOnlyTheTrustInformation) {
    const auto data = Built().Find(kTypeManifest, 1, kLangEnglishUs);
    ASSERT_TRUE(data.has_value());
    const std::string xml(data->begin(), data->end());
    EXPECT_NE(xml.find("<requestedExecutionLevel level=\"asInvoker\" uiAccess=\"false\"/>"),
              std::string::npos);
    EXPECT_NE(xml.find("<trustInfo xmlns=\"urn:schemas-microsoft-com:asm.v3\">"),
              std::string::npos);
    for (const char* absent :
         {"<dependency", "<assemblyIdentity", "dpiAware", "<application", "<compatibility"}) {
        EXPECT_EQ(xml.find(absent), std::string::npos) << absent;
    }
}

}  // namespace
}  // namespace tarvix::res
