// Real phrase pairs for the lib editor, merge and validation tests, written as bytes: the
// mainland word as the character conversion gives it and the Taiwan word that replaces it
// (Big5), and the other way round (GBK).
#pragma once

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "convert/word_adjustment_lib.h"

namespace zelvo::lib_words {

// Big5.
inline const std::string kSoftwareCn = "\xB3\x6E\xA5\xF3";         // 軟件
inline const std::string kSoftwareTw = "\xB3\x6E\xC5\xE9";         // 軟體
inline const std::string kInfoCn = "\xAB\x48\xAE\xA7";             // 信息
inline const std::string kInfoTw = "\xB8\xEA\xB0\x54";             // 資訊
inline const std::string kMessageTw = "\xB0\x54\xAE\xA7";          // 訊息
inline const std::string kNetworkCn = "\xBA\xF4\xB5\xB8";          // 網絡
inline const std::string kNetworkTw = "\xBA\xF4\xB8\xF4";          // 網路
inline const std::string kPrinterCn = "\xA5\xB4\xA6\x4C\xBE\xF7";  // 打印機
inline const std::string kPrinterTw = "\xA6\x4C\xAA\xED\xBE\xF7";  // 印表機
inline const std::string kDiskCn = "\xB5\x77\xBD\x4C";             // 硬盤
inline const std::string kDiskTw = "\xB5\x77\xBA\xD0";             // 硬碟
inline const std::string kServerCn = "\xAA\x41\xB0\xC8\xBE\xB9";   // 服務器
inline const std::string kServerTw = "\xA6\xF8\xAA\x41\xBE\xB9";   // 伺服器
inline const std::string kMenuCn = "\xB5\xE6\xB3\xE6";             // 菜單
inline const std::string kMenuTw = "\xBF\xEF\xB3\xE6";             // 選單
inline const std::string kDefaultCn = "\xC0\x71\xBB\x7B";          // 默認
inline const std::string kDefaultTw = "\xB9\x77\xB3\x5D";          // 預設
inline const std::string kBlogCn = "\xB3\xD5\xAB\xC8";             // 博客
inline const std::string kBlogTw = "\xB3\xA1\xB8\xA8\xAE\xE6";     // 部落格
inline const std::string kLaserCn = "\xBF\x45\xA5\xFA";            // 激光
inline const std::string kLaserTw = "\xB9\x70\xAE\x67";            // 雷射
inline const std::string kChipCn = "\xAA\xE4\xA4\xF9";             // 芯片
inline const std::string kChipTw = "\xB4\xB9\xA4\xF9";             // 晶片
inline const std::string kMemoryCn = "\xA4\xBA\xA6\x73";           // 內存
inline const std::string kMemoryTw = "\xB0\x4F\xBE\xD0\xC5\xE9";   // 記憶體
inline const std::string kDiscCn = "\xA5\xFA\xBD\x4C";             // 光盤
inline const std::string kDiscTw = "\xA5\xFA\xBA\xD0";             // 光碟
inline const std::string kBandwidthCn = "\xB1\x61\xBC\x65";        // 帶寬
inline const std::string kBandwidthTw = "\xC0\x57\xBC\x65";        // 頻寬
inline const std::string kLoginCn = "\xB5\x6E\xBF\xFD";            // 登錄
inline const std::string kLoginTw = "\xB5\x6E\xA4\x4A";            // 登入
inline const std::string kFileCn = "\xA4\xE5\xA5\xF3";             // 文件
inline const std::string kFileTw = "\xC0\xC9\xAE\xD7";             // 檔案

// GBK.
inline const std::string kSoftwareTwGbk = "\xC8\xED\xCC\xE5";  // 软体
inline const std::string kSoftwareCnGbk = "\xC8\xED\xBC\xFE";  // 软件
inline const std::string kInfoTwGbk = "\xD7\xCA\xD1\xB6";      // 资讯
inline const std::string kInfoCnGbk = "\xD0\xC5\xCF\xA2";      // 信息
inline const std::string kNetworkTwGbk = "\xCD\xF8\xC2\xB7";   // 网路
inline const std::string kNetworkCnGbk = "\xCD\xF8\xC2\xE7";   // 网络

using Items = std::vector<std::pair<std::string, std::string>>;

inline Items ItemsOf(const WordAdjustmentLib& lib) {
    Items items;
    for (size_t i = 0; i < lib.wordsBefore.size() && i < lib.wordsAfter.size(); ++i)
        items.emplace_back(lib.wordsBefore[i], lib.wordsAfter[i]);
    return items;
}

// A lib in memory with the items in the order given (callers give them sorted).
inline std::unique_ptr<WordAdjustmentLib> MakeLib(const std::string& title, const Items& items,
                                                  bool isSystem = false, bool isG2B = true) {
    auto lib = std::make_unique<WordAdjustmentLib>();
    lib->title = title;
    lib->isSystem = isSystem;
    lib->isG2B = isG2B;
    lib->apply = true;
    for (const auto& [before, after] : items) {
        lib->wordsBefore.push_back(before);
        lib->wordsAfter.push_back(after);
    }
    return lib;
}

// Base, phrase difference, the custom libs given, final fix (a G2B list).
template <typename... Custom>
WordAdjustmentLibList MakeList(Custom... custom) {
    WordAdjustmentLibList list;
    list.push_back(MakeLib("Base", {}, true));
    list.push_back(MakeLib("Phrase", {}, true));
    (list.push_back(std::move(custom)), ...);
    list.push_back(MakeLib("Final", {}, true));
    return list;
}

}  // namespace zelvo::lib_words
