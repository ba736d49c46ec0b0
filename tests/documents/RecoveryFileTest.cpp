// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The recovery file: every record comes back exactly from its bytes, a damaged file is no record,
// the counting form with its marked characters gives back every text, and the folder offers only
// the files of owners no longer running.

#include "documents/RecoveryFile.h"
#include "analysis/Cp932Codec.h"
#include "documents/RecoveryFolder.h"

#include "analysis/RandomText.h"

#include "ShiftJisText.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <random>
#include <sys/wait.h>
#include <unistd.h>

namespace {

RecoveryRecord RandomRecord(std::mt19937& random)
{
    std::uniform_int_distribution<std::int64_t> any(std::numeric_limits<std::int64_t>::min(),
                                                    std::numeric_limits<std::int64_t>::max());
    std::uniform_int_distribution<int> pick(0, 5);
    std::uniform_int_distribution<int> unit(0, 0xFFFF);
    RecoveryRecord record;
    record.owner = {any(random), any(random), any(random)};
    record.changedAt = any(random);
    record.caret = any(random);
    record.fileName = RandomShiftJisText(random, 40, true);
    record.encoding = AllEncodings[pick(random)];
    record.lineBreak = static_cast<LineBreak>(pick(random) % 3);
    record.endsWithBreak = pick(random) % 2 == 0;
    record.text.resize(static_cast<std::size_t>(pick(random) * 80));
    for (char16_t& c : record.text)
        c = static_cast<char16_t>(unit(random));
    for (int i = pick(random); i > 0; --i)
        record.kept.emplace_back(any(random), RandomShiftJisText(random, 40, true));
    if (pick(random) % 2 == 0)
        record.stamp =
            FileStamp{true, any(random), any(random), static_cast<std::uint64_t>(any(random)),
                      static_cast<std::uint64_t>(any(random))};
    if (pick(random) % 2 == 0) {
        record.session = RecoveredSession{any(random), any(random), any(random), {}};
        std::uniform_int_distribution<int> day(1, 28);
        for (int i = pick(random); i > 0; --i)
            record.session->days["2026-02-" + std::to_string(10 + day(random))] = {
                any(random), any(random), any(random)};
    }
    return record;
}

// A text of characters with and without a Shift-JIS form, the geta mark among them.
std::u16string RandomWriting(std::mt19937& random)
{
    static const std::u16string pieces[] = {u"あ", u"〓", u"é", u"𠮷", u"한", u"\n", u"a",
                                            u"髙", u"①",  u"😀", u"ｶ",  u" ",  u"∵"};
    std::uniform_int_distribution<std::size_t> length(0, 60);
    std::uniform_int_distribution<std::size_t> piece(0, std::size(pieces) - 1);
    std::u16string text;
    for (std::size_t n = length(random); n > 0; --n)
        text += pieces[piece(random)];
    return text;
}

// Runs a test with XDG_STATE_HOME in a fresh folder.
class RecoveryFolderTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        FState = std::filesystem::temp_directory_path() /
                 ("kotonami-recovery-" + std::to_string(::getpid()));
        std::filesystem::remove_all(FState);
        ::setenv("XDG_STATE_HOME", FState.c_str(), 1);
    }
    void TearDown() override { std::filesystem::remove_all(FState); }

    std::filesystem::path FState;
};

} // namespace

TEST(RecoveryFile, RandomRecordsComeBackExactly)
{
    std::mt19937 random(24);
    for (int i = 0; i < 500; ++i) {
        const RecoveryRecord record = RandomRecord(random);
        const auto back = ParseRecovery(FormatRecovery(record));
        ASSERT_TRUE(back.has_value()) << "record " << i;
        EXPECT_EQ(*back, record) << "record " << i;
    }
}

TEST(RecoveryFile, ADamagedFileIsNoRecord)
{
    std::mt19937 random(7);
    const std::string whole = FormatRecovery(RandomRecord(random));
    for (std::size_t size = 0; size < whole.size(); ++size)
        EXPECT_FALSE(ParseRecovery(whole.substr(0, size)).has_value()) << "cut at " << size;
    const struct
    {
        std::string from, to;
    } damages[] = {
        {"KOTONAMI-RECOVERY 3", "KOTONAMI-RECOVERY 4"}, // a later format
        {"\nencoding ", "\nencoding 9"},                // no such encoding
        {"\nlinebreak ", "\nlinebreak -"},              // a negative number
        {"\nendsWithBreak ", "\nendsWithBreak 2"},
        {"\nkept ", "\nkept -"},
        {"\ntext ", "\ntext 1"}, // half a UTF-16 unit
    };
    for (const auto& damage : damages) {
        std::string damaged = whole;
        damaged.replace(damaged.find(damage.from), damage.from.size(), damage.to);
        EXPECT_FALSE(ParseRecovery(damaged).has_value()) << damage.to;
    }
    EXPECT_FALSE(ParseRecovery(whole + "x").has_value());
}

// A file of the second format, written before the file's stamp and the session were kept, still
// reads; those fields in it are damage.
TEST(RecoveryFile, TheSecondFormatReadsWithoutStampOrSession)
{
    RecoveryRecord record;
    record.fileName = "/home/writer/novel.txt";
    record.text = u"吾輩は猫である。";
    record.kept = {{0, "\x88\x9f"}};
    std::string second = FormatRecovery(record);
    second.replace(0, std::string_view("KOTONAMI-RECOVERY 3").size(), "KOTONAMI-RECOVERY 2");
    const auto back = ParseRecovery(second);
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(*back, record);
    EXPECT_FALSE(back->stamp.has_value());
    EXPECT_FALSE(back->session.has_value());

    record.stamp = FileStamp{true, 10, 20, 30, 40};
    std::string stamped = FormatRecovery(record);
    stamped.replace(0, std::string_view("KOTONAMI-RECOVERY 3").size(), "KOTONAMI-RECOVERY 2");
    EXPECT_FALSE(ParseRecovery(stamped).has_value());
    // A day of the session that is no day.
    record.session = RecoveredSession{1, 2, 3, {{"2026-02-30", {1, 0, 60}}}};
    std::string day = FormatRecovery(record);
    day.replace(day.find("2026-02-30"), 10, "2026-2-30 ");
    EXPECT_FALSE(ParseRecovery(day).has_value());
}

// The counting form with the marked characters gives back every text the editor may hold.
TEST(RecoveryFile, CountingFormAndMarkedCharactersGiveBackTheText)
{
    std::mt19937 random(5);
    for (int i = 0; i < 300; ++i) {
        const std::u16string text = RandomWriting(random);
        std::string form;
        Cp932::EncodeForCounting(text, form, Cp932::LineBreaks::Convert);
        std::u16string back = Cp932::Decode(form, Cp932::LineBreaks::Convert);
        ASSERT_TRUE(PutBackMarkedCharacters(back, MarkedCharacters(text)));
        EXPECT_EQ(back, text) << "text " << i;
    }
}

// A file of the first format, which held the counting form and the characters behind its geta
// marks, still gives the text back; a Shift-JIS line with a pair the codec would not give again
// keeps its bytes.
TEST(RecoveryFile, TheFirstFormatIsStillRead)
{
    const auto firstFormat = [](TextEncoding encoding, std::string_view form,
                                std::u16string_view marked) {
        std::string units;
        for (const char16_t c : marked)
            units += {static_cast<char>(c & 0xFF), static_cast<char>(c >> 8)};
        return "KOTONAMI-RECOVERY 1\nowner 1 2 3\nchanged 4\nfile 5\na.txt\nencoding " +
               std::to_string(static_cast<int>(encoding)) +
               "\nlinebreak 1\nendsWithBreak 0\ncaret 6\nmarked " + std::to_string(units.size()) +
               "\n" + units + "\ntext " + std::to_string(form.size()) + "\n" + std::string(form) +
               "\n";
    };
    const std::string pair = "\xED\x40"; // decodes to a character whose own pair is another
    const struct
    {
        TextEncoding encoding;
        std::string form;
        std::u16string marked;
        std::u16string text;
        std::vector<std::pair<std::int64_t, std::string>> kept;
    } rows[] = {
        {TextEncoding::ShiftJis,
         "abc\r\n" + pair + "\r\n",
         u"",
         u"abc\n" + Cp932::Decode(pair) + u"\n",
         {{1, pair}}},
        {TextEncoding::ShiftJis, Sjis(u8"猫〓\r\n〓"), u"é〓", u"猫é\n〓", {}},
        {TextEncoding::Utf8, Sjis(u8"〓\r\n") + pair, u"😀", u"😀\n" + Cp932::Decode(pair), {}},
    };
    for (const auto& row : rows) {
        const auto record = ParseRecovery(firstFormat(row.encoding, row.form, row.marked));
        ASSERT_TRUE(record.has_value());
        EXPECT_EQ(record->fileName, "a.txt");
        EXPECT_EQ(record->encoding, row.encoding);
        EXPECT_EQ(record->lineBreak, LineBreak::Lf);
        EXPECT_FALSE(record->endsWithBreak);
        EXPECT_EQ(record->caret, 6);
        EXPECT_TRUE(record->text == row.text) << Cp932::DecodeToUtf8(row.form);
        EXPECT_EQ(record->kept, row.kept) << Cp932::DecodeToUtf8(row.form);
    }
}

TEST_F(RecoveryFolderTest, OffersOnlyTheFilesOfOwnersNoLongerRunning)
{
    EXPECT_EQ(RecoveryFolder::Path(), (FState / "kotonami/recovery").string());
    RecoveryRecord record;
    record.text = u"abc";
    const RecoveryOwner open = RecoveryFolder::ThisProcess(101);
    const RecoveryOwner closed = RecoveryFolder::ThisProcess(102);
    // The same process id that started at another moment is another process, long gone.
    const RecoveryOwner gone{open.process, open.started + 1, 1};
    RecoveryFolder::WindowOpened(101);
    for (const RecoveryOwner& owner : {open, closed, gone}) {
        record.owner = owner;
        RecoveryFolder::Write(RecoveryFolder::FileFor(owner, 1), FormatRecovery(record));
    }
    std::vector<RecoveryOwner> offered;
    for (const RecoveryFolder::Orphan& orphan : RecoveryFolder::Orphans())
        offered.push_back(orphan.record.owner);
    if (open.started != 0) {
        EXPECT_EQ(offered.size(), 2u);
    }
    EXPECT_EQ(std::count(offered.begin(), offered.end(), open), 0);
    EXPECT_EQ(std::count(offered.begin(), offered.end(), closed), 1);

    // Only one window takes a file.
    const std::string from = RecoveryFolder::FileFor(closed, 1);
    EXPECT_TRUE(RecoveryFolder::Claim(from, RecoveryFolder::FileFor(open, 2)));
    EXPECT_FALSE(RecoveryFolder::Claim(from, RecoveryFolder::FileFor(open, 3)));
    RecoveryFolder::WindowClosed(101);
}

// A process runs a window while it runs: not once it has ended, whether or not its parent has
// waited for it yet.
TEST(RecoveryOwners, AProcessThatHasEndedRunsNoWindow)
{
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(0);
    ASSERT_GT(child, 0);
    siginfo_t ended{};
    ASSERT_EQ(::waitid(P_PID, static_cast<id_t>(child), &ended, WEXITED | WNOWAIT), 0);
    const RecoveryOwner zombie = RecoveryFolder::OwnerOf(child, 1);
    const struct
    {
        const char* what;
        RecoveryOwner owner;
        bool running;
    } rows[] = {
        {"the parent of this process", RecoveryFolder::OwnerOf(::getppid(), 1), true},
        {"a process not yet waited for", zombie, false},
        {"the same, its start unknown", {zombie.process, 0, 1}, false},
    };
    for (const auto& row : rows)
        EXPECT_EQ(RecoveryFolder::IsRunning(row.owner), row.running) << row.what;
    ASSERT_EQ(::waitpid(child, nullptr, 0), child);
    EXPECT_FALSE(RecoveryFolder::IsRunning(zombie)) << "once waited for";
}

TEST_F(RecoveryFolderTest, WithoutAnAbsoluteStateFolderTheHomeOneIsUsed)
{
    const std::string home = std::getenv("HOME") ? std::getenv("HOME") : "";
    for (const char* state : {"", "relative/state"}) {
        ::setenv("XDG_STATE_HOME", state, 1);
        if (!home.empty()) {
            EXPECT_EQ(RecoveryFolder::Path(), home + "/.local/state/kotonami/recovery");
        }
    }
    ::unsetenv("XDG_STATE_HOME");
    if (!home.empty()) {
        EXPECT_EQ(RecoveryFolder::Path(), home + "/.local/state/kotonami/recovery");
    }
}
