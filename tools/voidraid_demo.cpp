// voidraid-demo: plays one game headless, as the Start Game button starts it, and shows what
// the engine does frame by frame (JSON trace, PNG frames). Handy for inspecting frames without
// a display and for comparing the engine with another model of the rules.
//
//   voidraid-demo --frames N [--keys FILE] [--random FILE] [--trace] [--png FRAME:PATH]...

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <map>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "game/game.h"
#include "game/random.h"
#include "game/sprite_store.h"
#include "platform/png_writer.h"
#include "platform/surface.h"

namespace {

struct Options {
    long frames = 0;
    std::string keysFile;
    std::string randomFile;
    bool trace = false;
    std::map<long, std::vector<std::string>> pngs;
};

struct KeyEvent {
    bool down;
    std::int16_t code;
};

[[noreturn]] void Fail(const std::string& message) {
    std::cerr << "voidraid-demo: " << message << "\n";
    std::exit(2);
}

void Usage() {
    std::cerr << "usage: voidraid-demo --frames N [--keys FILE] [--random FILE] [--trace] [--png FRAME:PATH]...\n"
                 "  --keys FILE    lines 'FRAME down CODE' or 'FRAME up CODE' (virtual-key codes),\n"
                 "                 delivered in file order just before tick FRAME (ticks count from 1)\n"
                 "  --random FILE  one number in [0, 1) per line, used in order instead of the generator\n"
                 "  --trace        one JSON object per tick on standard output\n"
                 "  --png F:PATH   writes the back buffer after tick F as a PNG\n";
    std::exit(2);
}

long ParseCount(const std::string& text, const std::string& what) {
    try {
        std::size_t used = 0;
        const long value = std::stol(text, &used);
        if (used != text.size() || value < 0) throw std::invalid_argument(text);
        return value;
    } catch (const std::exception&) {
        Fail("bad " + what + ": '" + text + "'");
    }
}

Options ParseOptions(int argc, char** argv) {
    Options options;
    bool haveFrames = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        auto value = [&]() -> std::string {
            if (i + 1 >= argc) Fail(arg + " needs a value");
            return argv[++i];
        };
        if (arg == "--frames") {
            options.frames = ParseCount(value(), "frame count");
            haveFrames = true;
        } else if (arg == "--keys") {
            options.keysFile = value();
        } else if (arg == "--random") {
            options.randomFile = value();
        } else if (arg == "--trace") {
            options.trace = true;
        } else if (arg == "--png") {
            const std::string spec = value();
            const std::size_t colon = spec.find(':');
            if (colon == std::string::npos || colon + 1 == spec.size()) Fail("--png wants FRAME:PATH, got '" + spec + "'");
            options.pngs[ParseCount(spec.substr(0, colon), "--png frame")].push_back(spec.substr(colon + 1));
        } else if (arg == "--help" || arg == "-h") {
            Usage();
        } else {
            Fail("unknown argument '" + arg + "'");
        }
    }
    if (!haveFrames) Usage();
    return options;
}

std::map<long, std::vector<KeyEvent>> ReadKeys(const std::string& path) {
    std::map<long, std::vector<KeyEvent>> keys;
    std::ifstream in(path);
    if (!in) Fail("cannot read keys file '" + path + "'");
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        std::istringstream words(line);
        std::string frame, direction, code, extra;
        if (!(words >> frame) || frame[0] == '#') continue;
        const std::string where = path + ":" + std::to_string(number);
        if (!(words >> direction >> code) || (words >> extra)) Fail(where + ": expected 'FRAME down|up CODE'");
        if (direction != "down" && direction != "up") Fail(where + ": expected 'down' or 'up', got '" + direction + "'");
        const long keyCode = ParseCount(code, "key code at " + where);
        if (keyCode > 255) Fail(where + ": key code out of range");
        keys[ParseCount(frame, "frame at " + where)].push_back({direction == "down", static_cast<std::int16_t>(keyCode)});
    }
    return keys;
}

// Numbers from a file in place of the generator; running out names the frame that wanted more.
class ScriptedRandom final : public RandomSource {
public:
    explicit ScriptedRandom(const std::string& path) {
        std::ifstream in(path);
        if (!in) Fail("cannot read random file '" + path + "'");
        std::string line;
        for (int number = 1; std::getline(in, line); ++number) {
            if (line.find_first_not_of(" \t\r") == std::string::npos) continue;
            try {
                std::size_t used = 0;
                const float value = std::stof(line, &used);
                if (line.find_first_not_of(" \t\r", used) != std::string::npos) throw std::invalid_argument(line);
                if (!(value >= 0.0f && value < 1.0f)) Fail(path + ":" + std::to_string(number) + ": not in [0, 1)");
                numbers_.push_back(value);
            } catch (const std::logic_error&) {
                Fail(path + ":" + std::to_string(number) + ": not a number: '" + line + "'");
            }
        }
    }
    void ReseedFromClock() override {}
    float Next() override {
        if (next_ >= numbers_.size()) {
            Fail("random numbers ran out in frame " + std::to_string(frame) + " (" + std::to_string(numbers_.size()) +
                 " given)");
        }
        return numbers_[next_++];
    }
    long frame = 0;

private:
    std::vector<float> numbers_;
    std::size_t next_ = 0;
};

// Records what the engine asks of the outside world during one tick.
class DemoHost final : public GameHost {
public:
    void PlaySound(std::int16_t slot) override { sounds.push_back(slot); }
    void MessageBox(const std::string& text) override { messages.push_back(text); }  // closed at once
    void ShowHighScores(std::int32_t, const std::string&, const std::string&, bool) override { endGame = true; }
    std::string SettingsFilePath() override { return "VOIDRAID.INI"; }
    void SetTimerInterval(std::int32_t milliseconds) override { interval = milliseconds; }
    std::int32_t SliderValue() override { return 10; }
    void SetMenuVisible(bool) override {}
    void SetMenuEnabled(bool) override {}
    void SetScreenVisible(bool) override {}
    int ScreenWidth() override { return screen.Width(); }
    int ScreenHeight() override { return screen.Height(); }
    void BlitToScreen(const platform::BackBuffer& buffer, int width, int height) override {
        platform::BitBlt(screen, 0, 0, width, height, buffer, 0, 0);
    }
    void PumpMessages() override {}

    void StartTick() {
        sounds.clear();
        messages.clear();
        endGame = false;
    }

    std::vector<std::int16_t> sounds;
    std::vector<std::string> messages;
    bool endGame = false;
    std::int32_t interval = 0;
    platform::Surface screen{484, 300, platform::Rgb(128, 128, 128)};
};

std::string JsonString(const std::string& text) {
    std::string out = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned>(static_cast<unsigned char>(c)));
            out += escape;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

class Json {
public:
    Json& Field(const char* name, long value) { return Raw(name, std::to_string(value)); }
    Json& Raw(const char* name, const std::string& value) {
        out_ += first_ ? "{" : ",";
        first_ = false;
        out_ += "\"";
        out_ += name;
        out_ += "\":" + value;
        return *this;
    }
    std::string Close() { return (first_ ? "{" : out_) + "}"; }

private:
    std::string out_;
    bool first_ = true;
};

// "[a,b,c]" from items already in JSON form.
std::string JsonList(const std::vector<std::string>& items) {
    std::string out = "[";
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (i > 0) out += ',';
        out += items[i];
    }
    out += ']';
    return out;
}

template <std::size_t N>
std::string Table(std::initializer_list<std::pair<const char*, const std::int32_t (*)[N]>> columns) {
    std::vector<std::string> records;
    for (std::size_t slot = 0; slot < N; ++slot) {
        Json record;
        for (const auto& [name, column] : columns) record.Field(name, (*column)[slot]);
        records.push_back(record.Close());
    }
    return JsonList(records);
}

std::string TraceLine(long frame, const DemoHost& host) {
    Json json;
    json.Field("frame", frame);
#define TRACE_PLAY_STATE_VARIABLE(type, name) json.Field(#name, name);
    PLAY_STATE_VARIABLES(TRACE_PLAY_STATE_VARIABLE)
#undef TRACE_PLAY_STATE_VARIABLE
    json.Raw("PlayerShots", Table<PlayerShotSlots>({{"Y", &ShotY}, {"X", &ShotX}, {"Frame", &ShotFrame}}));
    json.Raw("Enemies", Table<TableSlots>({{"Y", &EnemyY},
                                           {"X", &EnemyX},
                                           {"State", &EnemyState},
                                           {"Dodge", &EnemyDodge},
                                           {"SpeedX", &EnemySpeedX},
                                           {"Frame", &EnemyFrame},
                                           {"SpeedY", &EnemySpeedY}}));
    json.Raw("EnemyShots", Table<TableSlots>({{"Y", &EnemyShotY}, {"X", &EnemyShotX}}));
    json.Raw("Explosions", Table<TableSlots>({{"Y", &ExplosionY}, {"X", &ExplosionX}, {"Frame", &ExplosionFrame}}));
    json.Raw("Asteroids",
             Table<AsteroidSlots>({{"Y", &AsteroidY}, {"X", &AsteroidX}, {"Speed", &AsteroidSpeed}, {"Frame", &AsteroidFrame}}));
    std::vector<std::string> sounds;
    for (const std::int16_t slot : host.sounds) sounds.push_back(std::to_string(slot));
    json.Raw("sounds", JsonList(sounds));
    std::vector<std::string> messages;
    for (const std::string& message : host.messages) messages.push_back(JsonString(message));
    json.Raw("messages", JsonList(messages));
    json.Raw("endgame", host.endGame ? "true" : "false");
    return json.Close();
}

}  // namespace

int main(int argc, char** argv) {
    const Options options = ParseOptions(argc, argv);
    const auto keys = options.keysFile.empty() ? std::map<long, std::vector<KeyEvent>>{} : ReadKeys(options.keysFile);
    std::unique_ptr<ScriptedRandom> scripted;
    if (!options.randomFile.empty()) {
        scripted = std::make_unique<ScriptedRandom>(options.randomFile);
        SetRandomSource(scripted.get());
    }

    DemoHost host;
    SetGameHost(&host);
    Form_Resize();  // the main window takes its size before any game
    NewGame();

    for (long frame = 1; frame <= options.frames; ++frame) {
        if (scripted) scripted->frame = frame;
        host.StartTick();
        if (const auto events = keys.find(frame); events != keys.end()) {
            for (const KeyEvent& event : events->second) {
                std::int16_t code = event.code;
                std::int16_t shift = 0;
                if (event.down) Form_KeyDown(code, shift);
                else Form_KeyUp(code, shift);
            }
        }
        // A key (Esc) may have ended the game: the timer has stopped, so no tick comes.
        const bool ticks = host.interval != 0;
        if (ticks) Timer1_Timer();
        if (options.trace) std::cout << TraceLine(frame, host) << "\n";
        if (const auto pngs = options.pngs.find(frame); pngs != options.pngs.end()) {
            for (const std::string& path : pngs->second) {
                if (!platform::WritePng(path, frmGFX1().buffer)) Fail("cannot write '" + path + "'");
            }
        }
        if (!ticks || host.interval == 0) break;
    }
    std::cout.flush();
    return 0;
}
