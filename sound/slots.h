// The eight sound slots behind PlaySound: slot n plays its file on mixer channel n.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "sound/slot_names.h"

struct SoundEntry {
    std::int32_t Loops = 0;  // -1 repeats until the channel is flushed, 0 plays once
    std::string File;  // full path, in lower case
};

// Filled once by a successful InitSound; empty when the mixer did not start.
extern std::array<SoundEntry, SoundSlots> SoundTable;

// The slot's file name in the program directory.
std::string SoundFileName(int slot);
