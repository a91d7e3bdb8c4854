// The table's module state and procedures, shared by the table, its dialog and the tests.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/profile.h"
#include "scores/score11.h"

struct HighScoreEntry {
    std::string Name;
    std::int32_t Score = 0;
};

constexpr int TablePlaces = 5;

// Places 1 to 5 are the table, 6 the overflow of an insertion into a full table; 0 is unused
// so that the places keep their numbers.
extern HighScoreEntry HighScores[TablePlaces + 2];
extern std::int16_t ScoreCount;
extern std::int32_t NewScore;
extern std::string ScoreFile;
extern bool ViewOnly;
extern std::string ScoreTitle;

// score11.cpp
void LoadHighScores(const std::string& IniFile);
bool IsHighScore(const std::int32_t& Points);
void AddHighScore(std::string PlayerName, std::int32_t Points);
// One place of the table, gathered into the batch that writes the table.
void WriteScoreEntry(platform::ProfileBatch& batch, const std::int16_t& Index, std::string Value);
// The dialog's OK: the table is forgotten until the next ShowHighScores loads it again.
void ResetScoreState();

// score_text.cpp
// One stored value, score ";" name, as a place of the table. Values that do not follow that
// form still give a place: the score where the text is a number, 0 otherwise. A name that is
// not UTF-8 is taken as Windows-1252. mayBeCut: the value filled the read buffer, so its last
// character may have lost bytes.
HighScoreEntry ParseScoreValue(std::string_view value, bool mayBeCut);
// A score as text: a decimal integer within 32 bits, blanks around it and a sign allowed.
// value is left alone, and false returned, for anything else.
bool ReadScoreText(std::string_view text, std::int32_t& value);
// The stored form of a place: the score in plain decimal, ";", the name without surrounding blanks.
std::string FormatScoreValue(const HighScoreEntry& entry);
