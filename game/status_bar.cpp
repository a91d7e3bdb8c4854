#include <string>

#include "game/game.h"
#include "game/sprite_store.h"
#include "game/steps.h"

namespace {

using platform::Rgb;

constexpr std::int32_t TurboDrainAbove = 5;
constexpr std::int32_t TurboDrain = 3;
constexpr std::int32_t GaugeLength = 100;

void Regenerate() {
    if (WeaponEnergy < 100) WeaponEnergy += 1;
    else if (Shields < 100) Shields += 1;
    if (Shields < 100) Shields += 1;
    else if (WeaponEnergy < 100) WeaponEnergy += 1;
}

void DrawSpareShips() {
    // Icons fill leftward from 305, 10 pixels apart; at most five are shown.
    constexpr int IconX[] = {305, 295, 285, 275, 265};
    for (int i = 0; i < 5; ++i) {
        if (Lives > i + 1) DrawSprite(frmGFX1().misc, 2, IconX[i], 1);
    }
}

void GrantBonusLife() {
    // One test a frame, so two thresholds passed at once grant their lives a frame apart.
    constexpr std::int32_t Threshold[] = {5000, 10000, 25000};
    if (BonusLives < 3 && Score > Threshold[BonusLives]) {
        Lives += 1;
        BonusLives += 1;
    }
}

}  // namespace

std::string ScoreText(std::int32_t value) {
    // "###,##0": digits grouped by threes with a comma, at least one digit.
    const std::string digits = std::to_string(value < 0 ? -static_cast<std::int64_t>(value) : value);
    std::string text = value < 0 ? "-" : "";
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) text += ',';
        text += digits[i];
    }
    return text;
}

void UpdateStatus() {
    if (TurboThrust > TurboDrainAbove) WeaponEnergy -= TurboDrain;
    Regenerate();

    platform::BackBuffer& buffer = frmGFX1().buffer;
    buffer.SetForeColor(Rgb(200, 200, 200));
    buffer.SetTextPosition(240, 2);
    buffer.Print(ScoreText(Score));

    std::int32_t top = 2;
    std::int32_t weaponsLeft = 2;
    DrawGauge(top, weaponsLeft, WeaponEnergy);
    if (Shields < 0) Shields = -1;
    std::int32_t shieldsLeft = 104;
    DrawGauge(top, shieldsLeft, Shields);

    DrawSprite(frmGFX1().misc, 1, 70, 2);
    DrawSprite(frmGFX1().misc, 3, 178, 4);
    DrawSprite(frmGFX1().misc, 4, 210, 2);
    DrawSpareShips();
    GrantBonusLife();
}

void DrawGauge(std::int32_t& Y, std::int32_t& X, std::int32_t& Value) {
    if (Value < 0) Value = -1;
    struct GaugeLine {
        platform::Pixel colour;
        int row;
        bool fill;  // fill lines run over Value pixels, edge lines over the whole gauge
    };
    // Light top edge, a red fill darker downward, a dark bottom edge under the fill's last row.
    constexpr GaugeLine lines[] = {
        {Rgb(220, 220, 220), 0, false}, {Rgb(255, 0, 0), 1, true},   {Rgb(200, 0, 0), 2, true},
        {Rgb(128, 0, 0), 3, true},      {Rgb(40, 40, 40), 4, false}, {Rgb(78, 0, 0), 4, true},
    };
    platform::BackBuffer& buffer = frmGFX1().buffer;
    for (const GaugeLine& line : lines) {
        const float y = static_cast<float>(Y + line.row);
        const float length = static_cast<float>(line.fill ? Value : GaugeLength);
        buffer.SetForeColor(line.colour);
        buffer.Line(static_cast<float>(X), y, static_cast<float>(X) + length, y);
    }
}
