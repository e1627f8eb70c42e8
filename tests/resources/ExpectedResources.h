// What res/tarvix.rc must hold, read back both by our own resource reader and, in the
// Windows build, by the system.
#pragma once

#include <cstdint>

#include "resource.h"

namespace expected {

struct CatalogueText {
    std::uint32_t id;
    const char* text;
};

// Every string of the string table, exactly as shown.
inline constexpr CatalogueText CATALOGUE[] = {
    {IDS_ABOUT_ITEM, "バージョン情報 Tarvix(&A)..."},
    {IDS_MERGE_DONE, "サウンドファイルの取り込みに成功しました"},
    {IDS_PROGRAM_OPEN_FAILED, "プログラムファイルのオープンに失敗しました"},
    {IDS_POSITION_BEYOND_END,
     "プログラムファイルサイズは指定したセクター位置より小さいのでマージできません"},
    {IDS_SOUND_OPEN_FAILED, "サウンドファイルのオープンに失敗しました"},
    {IDS_SOUND_READ_FAILED, "サウンドファイルの読み込みに失敗しました"},
    {IDS_PROGRAM_WRITE_FAILED,
     "プログラムファイルの書き込みに失敗しました\n書込み禁止になっていないかチェックしてください"},
    {IDS_NO_PROGRAM_FILE, "プログラムファイルが指定されていません"},
    {IDS_NO_SOUND_FILE, "サウンドァイルが指定されていません"},
    {IDS_OUT_OF_MEMORY, "メモリが不足しています。"},
    {IDS_HELP_LAUNCH_FAILED, "ヘルプの起動に失敗しました。"},
};

struct VersionString {
    const char* key;
    const char* value;
};

// The version block's strings (Japanese, code page 932), in their stored order.
inline constexpr VersionString VERSION_STRINGS[] = {
    {"Comments", "ペルナのプログラムにサウンドファイルをマージするツール"},
    {"CompanyName", "Tarvix developers"},
    {"FileDescription", "TODO: <ファイルの説明>"},
    {"FileVersion", "1.0.0.1"},
    {"InternalName", "Tarvix.exe"},
    {"LegalCopyright", "Copyright (C) 2026 Tarvix developers"},
    {"OriginalFilename", "Tarvix.exe"},
    {"ProductName", "Tarvix"},
    {"ProductVersion", "1.0.0.1"},
};

}  // namespace expected
