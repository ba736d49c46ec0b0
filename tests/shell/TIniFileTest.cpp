// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/TIniFile.h"
#include "shell/Exceptions.h"
#include "shell/TempFolder.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <string>
#include <vector>

namespace {

// A settings file as a writer might have edited it by hand.
const char* const HandWritten = "; Kotonami settings\n"
                                "[setting]\n"
                                "countspace = 0\n"
                                "  CountTab=\"1\"  \n"
                                "CountSpace=1\n"
                                "; a comment inside a section\n"
                                "\n"
                                "[History]\n"
                                "MaxNum=0x10\n"
                                "Num=$A\n"
                                "0=  \"/home/writer/my novel.txt\"  \n"
                                "1=abc\n"
                                "2=-12\n"
                                "3= +7 \n"
                                "4=12abc\n"
                                "5=\n"
                                "6=0X1f\n"
                                "7=-$10\n"
                                "8=99999999999\n"
                                "9=$FFFFFFFF\n"
                                "Unknown=kept\n"
                                "\n"
                                "[Setting]\n"
                                "LineSpace=5\n";

TEST(ProfileReading, HandWrittenFile)
{
    TempFolder folder;
    TIniFile file(folder.Write("Kotonami.ini", HandWritten));
    EXPECT_TRUE(file.Exists());
    EXPECT_FALSE(file.ReadBool("Setting", "CountSpace", true)) << "first key of that name counts";
    EXPECT_TRUE(file.ReadBool("SETTING", "counttab", false)) << "quoted, blanks, any case";
    EXPECT_EQ(file.ReadInteger("Setting", "LineSpace", -1), -1)
        << "the second Setting section is not read";
    EXPECT_EQ(file.ReadString("History", "0", ""), "/home/writer/my novel.txt");
    EXPECT_EQ(file.ReadString("History", "5", "default"), "") << "an empty value is a value";
    EXPECT_EQ(file.ReadString("History", "missing", "default"), "default");
    EXPECT_EQ(file.ReadString("Nowhere", "0", "default"), "default");
}

TEST(ProfileReading, IntegerForms)
{
    struct Row
    {
        const char* key;
        std::int32_t expected;
    };
    const std::vector<Row> rows = {
        {"MaxNum", 16},            // 0x10
        {"Num", 10},               // $A
        {"1", 77},                 // abc gives the default
        {"2", -12},      {"3", 7}, // blanks and a plus sign
        {"4", 77},                 // trailing letters: not a number
        {"5", 77},                 // empty
        {"6", 31},                 // 0X1f
        {"7", -16},                // -$10
        {"8", 77},                 // out of range
        {"9", -1},                 // eight hexadecimal digits fill 32 bits
        {"missing", 77},
    };
    TempFolder folder;
    TIniFile file(folder.Write("Kotonami.ini", HandWritten));
    for (const Row& row : rows)
        EXPECT_EQ(file.ReadInteger("History", row.key, 77), row.expected) << row.key;
}

TEST(ProfileWriting, ChangesOnlyWhatIsWritten)
{
    TempFolder folder;
    const std::string path = folder.Write("Kotonami.ini", HandWritten);
    {
        TIniFile file(path);
        file.WriteBool("SETTING", "COUNTSPACE", true);  // replaced in place, first occurrence
        file.WriteInteger("setting", "LineSetting", 0); // added at the end of its section
        file.WriteString("Window", "Left", "-3");       // a new section at the end
        file.UpdateFile();
    }
    const std::string expected = "; Kotonami settings\n"
                                 "[setting]\n"
                                 "countspace=1\n"
                                 "  CountTab=\"1\"  \n"
                                 "CountSpace=1\n"
                                 "; a comment inside a section\n"
                                 "LineSetting=0\n"
                                 "\n";
    const std::string written = TempFolder::Read(path);
    EXPECT_EQ(written.substr(0, expected.size()), expected);
    EXPECT_NE(written.find("Unknown=kept\n\n[Setting]\nLineSpace=5\n[Window]\nLeft=-3\n"),
              std::string::npos)
        << written;
}

TEST(ProfileWriting, WritesWhenReleasedAndReadsBack)
{
    TempFolder folder;
    const std::string path = folder.File("sub/dir/Kotonami.ini");
    {
        TIniFile file(path);
        EXPECT_FALSE(file.Exists());
        file.WriteInteger("History", "MaxNum", -2147483647 - 1);
        file.WriteString("Font", "Name", "ＭＳ Ｐゴシック");
        file.WriteString("History", "0", "line one\nline two");
    }
    TIniFile again(path);
    EXPECT_TRUE(again.Exists());
    EXPECT_EQ(again.ReadInteger("History", "MaxNum", 0), -2147483647 - 1);
    EXPECT_EQ(again.ReadString("Font", "Name", ""), "ＭＳ Ｐゴシック");
    EXPECT_EQ(again.ReadString("History", "0", ""), "line one") << "a break cannot enter the file";
}

TEST(ProfileWriting, FailureNamesTheFile)
{
    TempFolder folder;
    const std::string path =
        folder.Write("blocker", "a file where a folder should be") + "/Kotonami.ini";
    TIniFile file(path);
    file.WriteBool("Setting", "CountTab", false);
    try {
        file.UpdateFile();
        FAIL() << "the write succeeded";
    } catch (const Exception& e) {
        EXPECT_EQ(std::string(e.what()), path + " に書き込めません");
    }
}

TEST(ProfileReading, StringsAreCutAt1023Bytes)
{
    const std::string longAscii(2000, 'a');
    std::string longKana; // あ is three bytes in a UTF-8 file and two in Shift-JIS
    for (int i = 0; i < 700; ++i)
        longKana += "あ";
    TempFolder folder;
    TIniFile file(folder.Write("Kotonami.ini",
                               "\xEF\xBB\xBF[Word]\nA=" + longAscii + "\nK=" + longKana + "\n"));
    EXPECT_EQ(file.ReadString("Word", "A", ""), std::string(1023, 'a'));
    EXPECT_EQ(file.ReadString("Word", "K", "").size(), 1023u - 1023u % 3);
    EXPECT_EQ(file.ReadShiftJisString("Word", "K", "").size(), 682u) << "341 whole characters";

    std::string sjisKana; // the same in a code page 932 file: no half character either
    for (int i = 0; i < 700; ++i)
        sjisKana += "\x82\xA0";
    TIniFile sjis(folder.Write("Sjis.ini", "[Word]\nK=" + sjisKana + "\n"));
    EXPECT_EQ(sjis.ReadShiftJisString("Word", "K", "").size(), 1022u);
    EXPECT_EQ(sjis.ReadString("Word", "K", "").size(), 511u * 3);
}

// Written by the program on Windows: code page 932, CR LF.
const std::string WindowsFile = "[Font]\r\n"
                                "Name=\x82\x6C\x82\x72 \x82\x6F\x83\x53\x83\x56\x83\x62\x83\x4E\r\n"
                                "[Word]\r\n"
                                "CharList=\x83\x5C\x81\x7B'\xED\x40\r\n";

TEST(ProfileEncoding, ShiftJisFileKeepsItsBytes)
{
    TempFolder folder;
    const std::string path = folder.Write("Kotonami.ini", WindowsFile);
    {
        TIniFile file(path);
        EXPECT_EQ(file.ReadString("Font", "Name", ""), "ＭＳ Ｐゴシック");
        // ED40 is one of code page 932's duplicate codes; it must not turn into FA5C.
        const std::string list = file.ReadShiftJisString("Word", "CharList", "");
        EXPECT_EQ(list, "\x83\x5C\x81\x7B'\xED\x40");
        file.WriteString("Font", "Name", file.ReadString("Font", "Name", ""));
        file.WriteShiftJisString("Word", "CharList", list);
        file.WriteInteger("Font", "Size", 9);
        file.UpdateFile();
    }
    EXPECT_EQ(TempFolder::Read(path), WindowsFile.substr(0, WindowsFile.find("[Word]")) +
                                          "Size=9\r\n" +
                                          WindowsFile.substr(WindowsFile.find("[Word]")));
}

TEST(ProfileEncoding, ShiftJisValuesThatLookLikeUtf8StayShiftJis)
{
    // ﾄｰ (C4 B0) is also a well-formed UTF-8 character; in a code page 932 file it is kana.
    TempFolder folder;
    const std::string path = folder.File("Kotonami.ini");
    {
        TIniFile file(path);
        file.WriteShiftJisString("Paper", "ForceFirstChar", "\x81\x40\xC4\xB0[");
        file.WriteString("History", "0", "/home/writer/原稿.txt");
    }
    EXPECT_EQ(TempFolder::Read(path), "[Paper]\nForceFirstChar=\x81\x40\xC4\xB0[\n"
                                      "[History]\n0=/home/writer/\x8C\xB4\x8D\x65.txt\n");
    TIniFile file(path);
    EXPECT_EQ(file.ReadShiftJisString("Paper", "ForceFirstChar", ""), "\x81\x40\xC4\xB0[");
    EXPECT_EQ(file.ReadString("History", "0", ""), "/home/writer/原稿.txt");
    EXPECT_EQ(file.ReadShiftJisString("Paper", "Missing", "\x82\xA0"), "\x82\xA0");
}

TEST(ProfileEncoding, FileWithByteOrderMarkStaysUtf8)
{
    TempFolder folder;
    const std::string path =
        folder.Write("Kotonami.ini", "\xEF\xBB\xBF[Font]\nName=游ゴシック\n[Word]\nCharList=ソ'\n");
    {
        TIniFile file(path);
        EXPECT_EQ(file.ReadString("Font", "Name", ""), "游ゴシック") << "the first section is seen";
        EXPECT_EQ(file.ReadShiftJisString("Word", "CharList", ""), "\x83\x5C'");
        file.WriteShiftJisString("Word", "CharList", "\x83\x5C\xC4\xB0");
        file.WriteString("History", "0", "/home/writer/原稿.txt");
    }
    EXPECT_EQ(TempFolder::Read(path), "\xEF\xBB\xBF[Font]\nName=游ゴシック\n[Word]\nCharList=ソﾄｰ\n"
                                      "[History]\n0=/home/writer/原稿.txt\n");
}

TEST(ProfileEncoding, UnmappedShiftJisBytesDoNotSpoilTheOtherValues)
{
    // 85 40 lies in a row of code page 932 that has no characters.
    const std::string unmapped = "\x85\x40\x81\x42";
    TempFolder folder;
    const std::string path = folder.File("Kotonami.ini");
    {
        TIniFile file(path);
        file.WriteString("Font", "Name", "ＭＳ Ｐゴシック");
        file.WriteShiftJisString("Paper", "NoFirstChar", unmapped);
    }
    TIniFile file(path);
    EXPECT_EQ(file.ReadString("Font", "Name", ""), "ＭＳ Ｐゴシック");
    EXPECT_EQ(file.ReadShiftJisString("Paper", "NoFirstChar", ""), unmapped);
}

} // namespace

namespace {

TEST(SettingsLocation, BesideTheProgramWhenItsFolderIsWritable)
{
    char exe[4096] = {};
    ASSERT_GT(::readlink("/proc/self/exe", exe, sizeof exe - 1), 0);
    const std::string folder = std::filesystem::path(exe).parent_path().string();
    if (::access(folder.c_str(), W_OK) != 0)
        GTEST_SKIP() << "the test program's folder is not writable";
    EXPECT_EQ(SettingsFileName(), folder + "/Kotonami.ini");
}

} // namespace
