// A fresh table state and a settings file of its own for each test.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "file_bytes.h"
#include "scores/score11_table.h"

using Place = std::pair<std::string, std::int32_t>;
using Places = std::vector<Place>;

// "[HiScores]" with one key per place, as the program writes it.
inline std::string HiScoresSection(const Places& places) {
    std::string text = "[HiScores]\n";
    for (std::size_t i = 0; i < places.size(); ++i) {
        text += "Score" + std::to_string(i + 1) + "=" + std::to_string(places[i].second) + ";" + places[i].first + "\n";
    }
    return text;
}

inline Places TableInMemory() {
    Places places;
    for (int place = 1; place <= ScoreCount; ++place) places.emplace_back(HighScores[place].Name, HighScores[place].Score);
    return places;
}

class ScoreFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = std::filesystem::path(::testing::TempDir()) / "scores-XXXXXX";
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        dir_ = pattern;
        ini_ = dir_ + "/VOIDRAID.INI";
        for (HighScoreEntry& entry : HighScores) entry = HighScoreEntry{};
        ResetScoreState();
        ScoreFile = ini_;
        ScoreTitle.clear();
        SetScoreWindows(nullptr);
    }
    void TearDown() override {
        SetScoreWindows(nullptr);
        std::filesystem::remove_all(dir_);
    }

    // Writes the file and loads the table from it.
    void LoadFrom(const std::string& content) {
        Put(ini_, content);
        LoadHighScores(ini_);
    }

    // What the next start of the program would read.
    Places Reloaded() {
        ResetScoreState();
        LoadHighScores(ini_);
        return TableInMemory();
    }

    std::string dir_;
    std::string ini_;
};
