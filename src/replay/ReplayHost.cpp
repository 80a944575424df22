#include "replay/ReplayHost.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "game/Game.h"
#include "game/GameTables.h"
#include "game/ItemDialogModel.h"
#include "world/basMoriva.h"

namespace moriva {

namespace {

// An OK press normally closes a dialog in one or two presses; this only guards the loop.
constexpr int kMaxOkPresses = 16;

std::string JsonString(const std::string& text) {
  std::string out = "\"";
  for (unsigned char ch : text) {
    switch (ch) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      default:
        if (ch < 0x20) {
          char buf[8];
          std::snprintf(buf, sizeof buf, "\\u%04x", ch);
          out += buf;
        } else {
          out += static_cast<char>(ch);
        }
    }
  }
  return out + "\"";
}

std::string JsonFloat(float v) {
  if (!std::isfinite(v)) return "null";
  char buf[32];
  std::snprintf(buf, sizeof buf, "%.9g", static_cast<double>(v));
  return buf;
}

}  // namespace

ReplayHost::ReplayHost(const ReplayScript& script, std::ostream& trace)
    : script_(script), trace_(trace), keys_(script.keys), bgm_("") {
  bgm_.InitBGM(musicDevice_);
  for (const char* file : kMusicFiles) bgm_.AddBGM(file);
  std::stable_sort(keys_.begin(), keys_.end(),
                   [](const auto& a, const auto& b) { return a.frame < b.frame; });
}

void ReplayHost::PlayEffect(int number) { effects_.push_back(number); }

void ReplayHost::PlayMusic(int number, bool notLoop) {
  music_.emplace_back(number, notLoop);
  bgm_.BGMPlay(static_cast<std::int16_t>(number), notLoop);
}

void ReplayHost::StopMusic() { bgm_.BGMStop(); }

EndingTickMusic ReplayHost::TakeEndingMusic() {
  EndingTickMusic tick;
  tick.calls.swap(music_);
  for (; musicDeviceSeen_ < musicDevice_.calls.size(); ++musicDeviceSeen_)
    tick.started = tick.started || musicDevice_.calls[musicDeviceSeen_] == "Command=open";
  return tick;
}

bool ReplayHost::AskYesNo(const char* question) {
  const bool yes = nextAnswer_ < script_.answers.size() && script_.answers[nextAnswer_];
  if (nextAnswer_ < script_.answers.size()) ++nextAnswer_;
  events_.push_back(std::string("prompt ") + question + (yes ? " yes" : " no"));
  return yes;
}

void ReplayHost::ShowItemDialog(int itemNo) {
  events_.push_back("dialog " + std::to_string(itemNo));
  ItemDialogModel dialog(dialogColorPhase_, [this](int effect) { PlayEffect(effect); });
  const bool item = itemNo >= 0 && itemNo < static_cast<int>(ItemName.size());
  dialog.Open(itemNo, item ? ItemName[itemNo] : "", item ? ItemDesc[itemNo] : "");
  for (int i = 0; i < kMaxOkPresses && !dialog.closed(); ++i) dialog.PressOk();
}

void ReplayHost::ReportError(const std::string& message) { events_.push_back("error " + message); }

void ReplayHost::Note(GameEvent event, int arg) {
  switch (event) {
    case GameEvent::EnterBlock: events_.push_back("EnterBlock"); break;
    case GameEvent::SaveGame: events_.push_back("SaveGame"); break;
    case GameEvent::LoadGame: events_.push_back("LoadGame " + std::to_string(arg)); break;
    case GameEvent::ReturnToTitle: events_.push_back("ReturnToTitle"); break;
    case GameEvent::ShowEnding: events_.push_back("ShowEnding"); break;
  }
}

void ReplayHost::FrameBegins(long frame) {
  for (; nextKey_ < keys_.size() && keys_[nextKey_].frame <= frame; ++nextKey_) {
    const auto& k = keys_[nextKey_];
    if (k.frame < frame) continue;  // a change for a frame that never ran
    if (k.pressed)
      game_->KeyDown(k.key);
    else
      game_->KeyUp(k.key);
  }
}

void ReplayHost::FrameEnded(long frame) {
  WriteFrame(frame);
  if (onFrameWritten) onFrameWritten(frame);
  const long limit = script_.frames > 0 ? script_.frames : ReplayScript::kDefaultFrameLimit;
  if (frame >= limit) game_->state().StopLoop = kTrue;
}

void ReplayHost::WriteFrame(long frame) {
  const GameState& s = game_->state();
  const basMoriva& m = game_->module();
  std::string line;
  line.reserve(1024);
  const auto field = [&line](const char* name, const std::string& value) {
    line += ", \"";
    line += name;
    line += "\": ";
    line += value;
  };
  const auto num = [](long v) { return std::to_string(v); };
  line += "{\"frame\": " + num(frame);
  field("BlockX", num(m.BlockX));
  field("BlockY", num(m.BlockY));
  field("HeroX", JsonFloat(s.HeroX));
  field("HeroY", JsonFloat(s.HeroY));
  field("HeroVX", JsonFloat(s.HeroVX));
  field("HeroVY", JsonFloat(s.HeroVY));
  field("HeroState", num(s.HeroState));
  field("PrevState", num(s.PrevState));
  field("Facing", num(s.Facing));
  field("JumpFrames", num(s.JumpFrames));
  field("Countdown", num(s.Countdown));
  field("RopeRow", num(s.RopeRow));
  field("SwitchOn", num(s.SwitchOn));
  field("AnimCount", num(s.AnimCount));
  field("ConveyorVX", JsonFloat(s.ConveyorVX));
  field("SlowFloor", num(s.SlowFloor));
  field("CrumbleTimer", num(s.CrumbleTimer));
  field("SpringTimer", num(s.SpringTimer));
  field("LauncherTimer", num(s.LauncherTimer));
  field("SavedInBlock", num(s.SavedInBlock));
  field("GoalTouched", num(s.GoalTouched));
  std::string items = "[";
  for (int i = 0; i < kItemIcons; ++i) items += (i ? ", " : "") + num(s.HaveItem[i]);
  field("HaveItem", items + "]");
  std::string misses = "[";
  for (int c = 0; c < kWorldBlocks; ++c) {
    misses += c ? ", [" : "[";
    for (int r = 0; r < kWorldBlocks; ++r) misses += (r ? ", " : "") + num(s.MissCount[c][r]);
    misses += "]";
  }
  field("MissCount", misses + "]");
  std::string list = "[";
  for (std::size_t i = 0; i < effects_.size(); ++i) list += (i ? ", " : "") + num(effects_[i]);
  field("effects", list + "]");
  list = "[";
  for (std::size_t i = 0; i < music_.size(); ++i)
    list += (i ? ", [" : "[") + num(music_[i].first) + (music_[i].second ? ", true]" : ", false]");
  field("music", list + "]");
  list = "[";
  for (std::size_t i = 0; i < events_.size(); ++i) list += (i ? ", " : "") + JsonString(events_[i]);
  field("events", list + "]");
  line += "}\n";
  trace_ << line;
  effects_.clear();
  music_.clear();
  events_.clear();
  framesWritten_ = frame;
}

void ReplayHost::WriteEnd(const char* why) {
  trace_ << "{\"end\": " << JsonString(why) << ", \"frames\": " << framesWritten_ << "}\n";
  trace_.flush();
}

}  // namespace moriva
