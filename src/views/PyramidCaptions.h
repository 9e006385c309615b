#pragma once

#include <array>

// The pyramid window's own texts: menu captions with their access keys and the
// window captions. Indexes follow the menu arrays.
namespace velmora::pyramid_text {

inline constexpr const char* kCaptionInputMode = "入力モード(&M)";
inline constexpr const char* kCaptionAbs = "相対率表示";
inline constexpr std::array<const char*, 2> kCaptionPeople = {"人口／一歳刻み(&O)", "人口／五歳刻み(&F)"};
inline constexpr std::array<const char*, 2> kCaptionMode = {"出生率／五歳刻み(&B)", "死亡率／五歳刻み(&D)"};
inline constexpr const char* kCaptionInputScale = "入力スケール(&S)";
inline constexpr std::array<const char*, 3> kCaptionBaseScale = {"10(&X)", "25(&Y)", "50(&Z)"};
inline constexpr std::array<const char*, 7> kCaptionScale = {
    "×10(&A)", "×100(&B)", "×1,000(&C)", "×10,000(&D)", "×100,000(&E)", "×1,000,000(&F)", "×10,000,000(&G)"};
inline constexpr const char* kCaptionTime = "設定時期(&T)";
inline constexpr std::array<const char*, 2> kCaptionBefAft = {"開始(&B)", "終局(&A)"};
inline constexpr const char* kCaptionFunc = "変動関数(&F)";
inline constexpr std::array<const char*, 13> kCaptionMoveFunc = {
    "不変(&O)",          "線形／100Year(&A)", "線形／50Year(&B)", "線形／25Year(&C)", "線形／10Year(&D)",
    "倍増／100Year(&E)", "倍増／50Year(&F)",  "倍増／25Year(&G)", "倍増／10Year(&H)", "半減／100Year(&I)",
    "半減／50Year(&J)",  "半減／25Year(&K)",  "半減／10Year(&L)"};
inline constexpr const char* kTitleStem = "年齢階級別";
inline constexpr std::array<const char*, 3> kTitleContent = {"人口", "出生数／1000", "死亡数／100,000"};
inline constexpr const char* kTitleInitial = "年齢階級別人口　MAX=10,000";

}  // namespace velmora::pyramid_text
