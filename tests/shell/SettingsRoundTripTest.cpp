// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/CountSettings.h"
#include "analysis/WordCharacterSet.h"
#include "paper/TPaper.h"
#include "shell/TIniFile.h"
#include "shell/TempFolder.h"

#include <gtest/gtest.h>

namespace {

// Every combination of the counting switches comes back as written, and the comparison of two
// sets of switches sees each switch that changes a count, the ruby switch included.
TEST(SettingsRoundTrip, EveryCombinationOfCountingSwitchesComesBack)
{
    TempFolder folder;
    const std::string path = folder.File("Kotonami.ini");
    for (int bits = 0; bits < 32; ++bits) {
        SCOPED_TRACE(bits);
        CountOptions written;
        written.countSpace = bits & 1;
        written.countTab = bits & 2;
        written.countDoubleByteSpace = bits & 4;
        written.excludeRuby = bits & 8;
        written.lineMode = (bits & 16) ? LineMode::Display : LineMode::Logical;
        {
            TIniFile file(path);
            WriteCountOptions(written, file);
            file.UpdateFile();
        }
        TIniFile file(path);
        const CountOptions read = ReadCountOptions(file);
        EXPECT_TRUE(SameCharacterCounting(read, written));
        EXPECT_EQ(read.lineMode, written.lineMode);
        for (int flip = 1; flip < 16; flip <<= 1) {
            CountOptions other = written;
            other.countSpace ^= bool(flip & 1);
            other.countTab ^= bool(flip & 2);
            other.countDoubleByteSpace ^= bool(flip & 4);
            other.excludeRuby ^= bool(flip & 8);
            EXPECT_FALSE(SameCharacterCounting(other, written)) << flip;
        }
    }
}

TEST(SettingsRoundTrip, DefaultPaperAndWordSectionsSurviveUnchanged)
{
    TempFolder folder;
    const std::string path = folder.File("Kotonami.ini");
    const TPaper defaults;
    const WordCharacterSet defaultWords;
    {
        TIniFile file(path);
        defaults.WriteSettings(file);
        WriteWordSettings(defaultWords, file);
        file.UpdateFile();
    }
    TPaper paper;
    paper.Column = 1;
    paper.Line = 2;
    paper.NoFirstChar = "x";
    paper.ForceFirstChar = "y";
    paper.Tab = UseTab;
    WordCharacterSet words;
    words.countDigits = false;
    words.SetCharacterList("'");
    TIniFile file(path);
    paper.ReadSettings(file);
    ReadWordSettings(words, file);
    EXPECT_EQ(paper.Column, 20);
    EXPECT_EQ(paper.Line, 20);
    EXPECT_EQ(paper.NoFirstChar, defaults.NoFirstChar);
    EXPECT_EQ(paper.ForceFirstChar, defaults.ForceFirstChar);
    EXPECT_TRUE(paper.ForceFirstChar.starts_with("\x81\x40"))
        << "the double-byte space stays first";
    EXPECT_EQ(paper.Tab, DeleteTab);
    EXPECT_EQ(words.countDigits, defaultWords.countDigits);
    EXPECT_EQ(words.GetCharacterList(), defaultWords.GetCharacterList());
}

TEST(SettingsRoundTrip, ChangedSettingsComeBack)
{
    TempFolder folder;
    const std::string path = folder.File("Kotonami.ini");
    TPaper written;
    written.Column = 40;
    written.Line = 10;
    written.NoFirstChar = "\x81\x42\x81\x41";
    written.ForceFirstChar = "\x81\x40\x81\x75";
    written.Tab = ChangeTabToSpace;
    WordCharacterSet writtenWords;
    writtenWords.countDigits = false;
    writtenWords.SetCharacterList("'\x82\x60");
    {
        TIniFile file(path);
        written.WriteSettings(file);
        WriteWordSettings(writtenWords, file);
    }
    TPaper paper;
    WordCharacterSet words;
    TIniFile file(path);
    paper.ReadSettings(file);
    ReadWordSettings(words, file);
    EXPECT_EQ(paper.Column, 40);
    EXPECT_EQ(paper.Line, 10);
    EXPECT_EQ(paper.NoFirstChar, written.NoFirstChar);
    EXPECT_EQ(paper.ForceFirstChar, written.ForceFirstChar);
    EXPECT_EQ(paper.Tab, ChangeTabToSpace);
    EXPECT_FALSE(words.countDigits);
    EXPECT_EQ(words.GetCharacterList(), "'\x82\x60");
}

} // namespace
