#pragma once

#include <array>

namespace moriva {

// The application title and version that make up the window caption.
constexpr const char* kAppTitle = "ルナポロ　べーたばん";
constexpr int kVersionMajor = 0;
constexpr int kVersionMinor = 93;

// Item names and descriptions, indexed by item number; entry 10 stays empty.
constexpr std::array<const char*, 11> ItemName = {
    "青のカギ",       "緑のカギ",         "赤のカギ",       "黄のカギ",
    "ポルミのにっきちょう", "ポルミのジャンプ靴", "ポルミの潜水帽", "ポルミのロープ",
    "月見だんご",     "すすき",           "",
};
constexpr std::array<const char*, 11> ItemDesc = {
    "これで青色のとびらが開くぞ！",
    "これで緑色のとびらが開くぞ！",
    "これで赤色のとびらが開くぞ！",
    "これで黄色のとびらが開くぞ！",
    "Sキーでセーブが出来るぞ!",
    "これをはけば高くジャンプ出来るぞ!",
    "これさえあれば水中でもへっちゃらだ!",
    "かぎづめにひっかけて登ることができるぞ！",
    "お月見にはひつようふかけつだ！",
    "これがないとお月見とは言わないぞ!",
    "",
};

// Music and effects in registration order: number n is entry n - 1.
constexpr std::array<const char*, 4> kMusicFiles = {"qz2.mid", "qz3.mid", "sky02.mid", "org5.mid"};
constexpr std::array<const char*, 14> kEffectFiles = {
    "click5.wav", "jump2.wav", "dull3.wav", "sprash.wav", "sjump2.wav", "key1.wav", "burn2.wav",
    "gusa.wav",   "ss6.wav",   "fall1.wav", "clear5.wav", "ss21.wav",   "sy18.wav", "rope.wav",
};

namespace music {
constexpr int kTitle = 1;
constexpr int kLowerBlocks = 2;
constexpr int kTopRow = 3;
constexpr int kEnding = 4;
}  // namespace music

namespace effect {
constexpr int kClick = 1;
constexpr int kJump = 2;
constexpr int kBump = 3;
constexpr int kSplash = 4;
constexpr int kSpring = 5;
constexpr int kDoor = 6;
constexpr int kBurn = 7;
constexpr int kSpikes = 8;
constexpr int kSwitch = 9;
constexpr int kFall = 10;
constexpr int kItemFound = 11;
constexpr int kDialog = 12;
constexpr int kDialogText = 13;
constexpr int kRope = 14;
}  // namespace effect

// Items with a rule of their own.
constexpr int kItemDiary = 4;

// The questions of the main loop.
constexpr const char* kLoadQuestion = "ロードしますか？";
constexpr const char* kTitleQuestion = "タイトルに戻りますか？";

}  // namespace moriva
