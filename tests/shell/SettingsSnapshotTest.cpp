// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/SettingsSnapshot.h"
#include "shell/TIniFile.h"
#include "shell/TempFolder.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Two windows read one file; each writes only what it changed, merged into the file as it is.
TEST(SettingsSnapshot, OnlyTheKeysAWindowChangedGoIntoTheFile)
{
    const TempFolder folder;
    const std::string path =
        folder.Write("Kotonami.ini", "[Setting]\nCountSpace=1\nWordWrap=0\n[History]\nMaxNum=abc\n"
                                     "[Font]\nName=Mincho\n");
    const auto state = [](bool space, bool wrap, int maximum, const char* face) {
        SettingsSnapshot snapshot;
        snapshot.WriteBool("Setting", "CountSpace", space);
        snapshot.WriteBool("Setting", "WordWrap", wrap);
        snapshot.WriteInteger("History", "MaxNum", maximum);
        snapshot.WriteString("Font", "Name", face);
        snapshot.WriteInteger("Window", "Left", 7);
        return snapshot;
    };
    // Both read the file; "abc" reads as 10, and no Left is there yet.
    TIniFile atStart(path);
    const SettingsSnapshot first = state(true, false, 10, "Mincho").AsHeldBy(atStart);
    const SettingsSnapshot second = state(true, false, 10, "Mincho").AsHeldBy(atStart);

    const SettingsSnapshot secondNow = state(false, false, 10, "Mincho");
    EXPECT_TRUE(secondNow.DiffersFrom(second));
    {
        TIniFile file(path);
        secondNow.WriteChangesTo(file, second);
        file.UpdateFile();
    }
    const SettingsSnapshot firstNow = state(true, true, 10, "Mincho");
    {
        TIniFile file(path);
        firstNow.WriteChangesTo(file, first);
        file.UpdateFile();
    }
    TIniFile file(path);
    EXPECT_FALSE(file.ReadBool("Setting", "CountSpace", true)) << "the second window's change";
    EXPECT_TRUE(file.ReadBool("Setting", "WordWrap", false)) << "the first window's change";
    EXPECT_EQ(file.ReadString("History", "MaxNum", {}), "10") << "read otherwise, written back";
    EXPECT_EQ(file.ReadString("Font", "Name", {}), "Mincho");
    EXPECT_EQ(file.ReadInteger("Window", "Left", 0), 7) << "a key the file lacked";

    // Unchanged since the last write: nothing differs.
    EXPECT_FALSE(state(true, true, 10, "Mincho").DiffersFrom(firstNow));
    EXPECT_TRUE(state(true, true, 10, "Gothic").DiffersFrom(firstNow));
}

// Keys are told apart without regard to letter case, as the file's reader does, and a value
// written twice keeps its first place.
TEST(SettingsSnapshot, KeysAreReadBackAsWritten)
{
    SettingsSnapshot snapshot;
    snapshot.WriteInteger("History", "Num", 2);
    snapshot.WriteString("History", "0", "/a");
    snapshot.WriteInteger("history", "NUM", 3);
    EXPECT_EQ(snapshot.ReadInteger("HISTORY", "num", 0), 3);
    EXPECT_EQ(snapshot.ReadString("History", "0", {}), "/a");
    EXPECT_EQ(snapshot.ReadString("History", "1", "none"), "none");
    EXPECT_TRUE(snapshot.ReadBool("History", "Num", false));
    snapshot.WriteShiftJisString("Word", "CharList", "\x82\xA0");
    EXPECT_EQ(snapshot.ReadShiftJisString("Word", "CharList", {}), "\x82\xA0");
    EXPECT_EQ(snapshot.ReadString("Word", "CharList", {}), "あ");
}

} // namespace
