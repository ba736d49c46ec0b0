// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/Cp932Codec.h"
#include "analysis/Cp932Table.h"
#include "analysis/ShiftJis.h"
#include "analysis/Utf8.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <random>
#include <string>
#include <vector>

namespace {

using Cp932::LineBreaks;

std::string Hex(std::string_view bytes)
{
    std::string out;
    char buffer[4];
    for (unsigned char b : bytes) {
        std::snprintf(buffer, sizeof buffer, "%02X ", b);
        out += buffer;
    }
    return out;
}

std::string Encoded(std::u16string_view text, bool* complete = nullptr,
                    LineBreaks breaks = LineBreaks::Keep)
{
    std::string out;
    const bool ok = Cp932::Encode(text, out, breaks);
    if (complete != nullptr)
        *complete = ok;
    return out;
}

TEST(Cp932Codec, CharactersBothWays)
{
    struct Row
    {
        const char* name;
        std::string bytes;
        std::u16string text;
    };
    const std::vector<Row> rows = {
        {"hiragana a", "\x82\xA0", u"\u3042"},
        {"kanji kan", "\x8A\xBF", u"\u6F22"},
        {"half-width katakana a", "\xB1", u"\uFF71"},
        {"half-width full stop", "\xA1", u"\uFF61"},
        {"half-width semi-voiced mark", "\xDF", u"\uFF9F"},
        {"double-byte blank", "\x81\x40", u"\u3000"},
        {"full-width tilde", "\x81\x60", u"\uFF5E"},
        {"backslash byte is a backslash", "\x5C", u"\\"},
        {"full-width backslash", "\x81\x5F", u"\uFF3C"},
        {"full-width yen", "\x81\x8F", u"\uFFE5"},
        {"full-width cent", "\x81\x91", u"\uFFE0"},
        {"full-width pound", "\x81\x92", u"\uFFE1"},
        {"full-width not sign", "\x81\xCA", u"\uFFE2"},
        {"parallel", "\x81\x61", u"\u2225"},
        {"full-width hyphen-minus", "\x81\x7C", u"\uFF0D"},
        {"tilde byte is a tilde", "~", u"~"},
        {"circled one (NEC row 13)", "\x87\x40", u"\u2460"},
        {"IBM extension kanji", "\xFA\x5C", u"\u7E8A"},
        {"small roman one (IBM extension)", "\xFA\x40", u"\u2170"},
        {"user-defined character", "\xF0\x40", u"\uE000"},
        {"trail byte is a backslash", "\x95\x5C", u"\u8868"},
        {"NUL", std::string("\0", 1), std::u16string(1, u'\0')},
        {"mixed line", "a\x82\xA0\xB1\r\n", u"a\u3042\uFF71\r\n"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(Cp932::Decode(row.bytes), row.text) << row.name;
        bool complete = false;
        EXPECT_EQ(Hex(Encoded(row.text, &complete)), Hex(row.bytes)) << row.name;
        EXPECT_TRUE(complete) << row.name;
    }
}

// Characters that other programs write for the same sign; they are saved as the Windows sign.
TEST(Cp932Codec, EncodesLookalikeSigns)
{
    const std::vector<std::pair<std::u16string, std::string>> rows = {
        {u"\u301C", "\x81\x60"}, // wave dash -> full-width tilde
        {u"\u2212", "\x81\x7C"}, // minus sign -> full-width hyphen-minus
        {u"\u00A2", "\x81\x91"}, // cent
        {u"\u00A3", "\x81\x92"}, // pound
        {u"\u00AC", "\x81\xCA"}, // not sign
        {u"\u2016", "\x81\x61"}, // double vertical line -> parallel
    };
    for (const auto& [text, bytes] : rows) {
        bool complete = false;
        EXPECT_EQ(Hex(Encoded(text, &complete)), Hex(bytes)) << Hex(bytes);
        EXPECT_TRUE(complete);
    }
}

TEST(Cp932Codec, DuplicatePairsReadAsTheirCharacterAndSaveAsTheWindowsPair)
{
    struct Row
    {
        const char* name;
        std::string bytes;
        std::u16string text;
        std::string saved;
    };
    const std::vector<Row> rows = {
        {"NEC-selected kanji", "\xED\x40", u"\u7E8A", "\xFA\x5C"},
        {"NEC-selected small roman one", "\xEE\xEF", u"\u2170", "\xFA\x40"},
        {"NEC-selected not sign", "\xEE\xF9", u"\uFFE2", "\x81\xCA"},
        {"IBM not sign", "\xFA\x54", u"\uFFE2", "\x81\xCA"},
        {"IBM roman one", "\xFA\x4A", u"\u2160", "\x87\x54"},
        {"NEC nearly equal", "\x87\x90", u"\u2252", "\x81\xE0"},
        {"NEC because", "\x87\x9A", u"\u2235", "\x81\xE6"},
        {"IBM broken bar", "\xFA\x55", u"\uFFE4", "\xFA\x55"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(Cp932::Decode(row.bytes), row.text) << row.name;
        EXPECT_EQ(Hex(Encoded(row.text)), Hex(row.saved)) << row.name;
    }
    EXPECT_EQ(Cp932Table::DuplicatePairCount, 398u);
}

// Bytes that are no character decode to byte escapes, one unit each, and are saved as they were.
TEST(Cp932Codec, EscapesBytesWithoutCharacter)
{
    struct Row
    {
        const char* name;
        std::string bytes;
        std::u16string text;
    };
    const std::vector<Row> rows = {
        {"0x80", "\x80", u"\xDC80"},
        {"0xA0", "\xA0", u"\xDCA0"},
        {"0xFD 0xFE 0xFF", "\xFD\xFE\xFF", u"\xDCFD\xDCFE\xDCFF"},
        {"lone lead byte at the end", "a\x82", u"a\xDC82"},
        {"lead byte with a blank after it", "\x81\x20x", u"\xDC81\xDD20x"},
        {"lead byte with a line feed after it", "\x82\n", u"\xDC82\xDD0A"},
        {"pair in an empty row", "\x85\x40", u"\xDC85\xDD40"},
        {"trail byte 0x7F", "\x88\x7F", u"\xDC88\xDD7F"},
        {"trail byte past the last trail", "\x81\xFD@", u"\xDC81\xDDFD@"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(Cp932::Decode(row.bytes), row.text) << row.name;
        bool complete = false;
        EXPECT_EQ(Hex(Encoded(row.text, &complete)), Hex(row.bytes)) << row.name;
        EXPECT_TRUE(complete) << row.name;
    }
}

TEST(Cp932Codec, CharactersWithoutShiftJisFormBecomeQuestionMarks)
{
    struct Row
    {
        const char* name;
        std::u16string text;
        std::string bytes;
    };
    const std::vector<Row> rows = {
        {"emoji", u"a\U0001F600b", "a?b"},
        {"emoji whose low half looks like an escape", u"\U0001F431", "?"},
        {"e acute", u"caf\u00E9", "caf?"},
        {"yen sign", u"\u00A5", "?"},
        {"unpaired high surrogate", u"a\xD83Dz", "a?z"},
        {"unpaired high surrogate at the end", u"a\xD83D", "a?"},
        {"lone low surrogate outside the escapes", u"\xDE00", "?"},
        {"C1 control", u"\u0080", "?"},
        {"private-use placeholder of 0xA0", u"\uF8F0", "?"},
        {"paragraph separator kept", u"a\u2029b", "a?b"},
    };
    for (const Row& row : rows) {
        bool complete = true;
        EXPECT_EQ(Hex(Encoded(row.text, &complete)), Hex(row.bytes)) << row.name;
        EXPECT_FALSE(complete) << row.name;
    }
}

TEST(Cp932Codec, LineBreaksWhenReading)
{
    const std::vector<std::pair<std::string, std::u16string>> rows = {
        {"a\r\nb", u"a\nb"},             // CR LF becomes LF
        {"a\rb", u"a\rb"},               // a lone CR stays
        {"a\nb", u"a\nb"},               // a lone LF stays
        {"\r\r\n", u"\r\n"},             // only the CR next to the LF joins it
        {"a\r", u"a\r"},                 // CR as the last byte
        {"\x81\r\n", u"\xDC81\xDD0D\n"}, // the CR is the trail byte of a pair
    };
    for (const auto& [bytes, text] : rows) {
        EXPECT_EQ(Cp932::Decode(bytes, LineBreaks::Convert), text) << Hex(bytes);
        EXPECT_EQ(Cp932::Decode(bytes, LineBreaks::Keep).size(), bytes.size()) << Hex(bytes);
    }
}

TEST(Cp932Codec, LineBreaksWhenWriting)
{
    const std::vector<std::pair<std::u16string, std::string>> rows = {
        {u"a\nb", "a\r\nb"},     // a line feed
        {u"a\u2029b", "a\r\nb"}, // the editor's paragraph separator
        {u"a\rb", "a\rb"},       // a lone CR stays what it is
        {u"\r\n", "\r\r\n"},     // so that the bytes CR CR LF read back as CR LF save as they were
        {u"\n\n", "\r\n\r\n"},
    };
    for (const auto& [text, bytes] : rows) {
        bool complete = false;
        EXPECT_EQ(Hex(Encoded(text, &complete, LineBreaks::Convert)), Hex(bytes));
        EXPECT_TRUE(complete);
    }
}

// The bytes as the codec saves them: every duplicate pair replaced by the pair Windows writes.
std::string PreferredForm(const std::string& bytes)
{
    static const std::map<std::uint32_t, std::uint32_t> preferred = [] {
        std::map<std::uint32_t, std::uint32_t> pairs;
        for (std::size_t i = 0; i < Cp932Table::DuplicatePairCount; ++i)
            pairs[Cp932Table::DuplicatePairs[i].pair] = Cp932Table::DuplicatePairs[i].preferred;
        return pairs;
    }();
    std::string out = bytes;
    for (const ShiftJis::Character& c : ShiftJis::Characters(bytes)) {
        const auto found = preferred.find(c.code);
        if (c.length == 2 && found != preferred.end()) {
            out[c.position] = static_cast<char>(found->second >> 8);
            out[c.position + 1] = static_cast<char>(found->second & 0xFF);
        }
    }
    return out;
}

TEST(Cp932Codec, EveryPairAndByteSavesAsItWasRead)
{
    for (int lead = 0; lead < 256; ++lead) {
        for (int trail = 0; trail < 256; ++trail) {
            const std::string bytes{static_cast<char>(lead), static_cast<char>(trail)};
            bool complete = false;
            const std::string saved = Encoded(Cp932::Decode(bytes), &complete);
            if (saved != PreferredForm(bytes) || !complete)
                ADD_FAILURE() << Hex(bytes) << "saved as " << Hex(saved);
        }
        const std::string single(1, static_cast<char>(lead));
        EXPECT_EQ(Encoded(Cp932::Decode(single)), single);
    }
}

TEST(Cp932Codec, RandomBytesRoundTrip)
{
    std::mt19937 random(932);
    std::uniform_int_distribution<int> byte(0, 255);
    std::uniform_int_distribution<int> length(0, 300);
    for (int round = 0; round < 500; ++round) {
        std::string bytes(static_cast<std::size_t>(length(random)), '\0');
        for (char& b : bytes)
            b = static_cast<char>(byte(random));
        const std::u16string text = Cp932::Decode(bytes);
        bool complete = false;
        ASSERT_EQ(Hex(Encoded(text, &complete)), Hex(PreferredForm(bytes))) << round;
        ASSERT_TRUE(complete) << round;
        const std::string crlf =
            Encoded(Cp932::Decode(bytes, LineBreaks::Convert), nullptr, LineBreaks::Convert);
        // Lone LFs gain a CR when saved; everything else comes back.
        ASSERT_EQ(Cp932::Decode(crlf, LineBreaks::Convert),
                  Cp932::Decode(bytes, LineBreaks::Convert))
            << round;
    }
}

TEST(Cp932Codec, AppendsToWhatIsThere)
{
    std::u16string text = u"x";
    Cp932::Decode("\x82\xA0", text);
    EXPECT_EQ(text, u"x\u3042");
    std::string bytes = "y";
    EXPECT_TRUE(Cp932::Encode(u"\u3042", bytes));
    EXPECT_EQ(bytes, "y\x82\xA0");
}

TEST(Cp932Codec, Utf8ForTheTerminal)
{
    const std::vector<std::pair<std::string, std::string>> rows = {
        {"\x82\xA0\x8A\xBF", "\xE3\x81\x82\xE6\xBC\xA2"}, // あ漢
        {"\xB1", "\xEF\xBD\xB1"},                         // ｱ
        {"a\r\nb", "a\r\nb"},
        {"\x80\xA0\x82", "\x80\xA0\x82"}, // bytes without a character go out as they are
    };
    for (const auto& [bytes, utf8] : rows)
        EXPECT_EQ(Hex(Cp932::DecodeToUtf8(bytes)), Hex(utf8)) << Hex(bytes);
    EXPECT_EQ(Cp932::DecodeToUtf8("a\r\nb", LineBreaks::Convert), "a\nb");
}

TEST(Cp932Codec, Utf8FromTheSettingsFile)
{
    struct Row
    {
        const char* name;
        std::string utf8;
        std::string bytes;
        bool complete;
        bool valid;
    };
    const std::vector<Row> rows = {
        {"kana and kanji", "\xE3\x81\x82\xE6\xBC\xA2", "\x82\xA0\x8A\xBF", true, true},
        {"half-width katakana", "\xEF\xBD\xB1", "\xB1", true, true},
        {"ascii", "C:\\a.txt", "C:\\a.txt", true, true},
        {"e acute", "caf\xC3\xA9", "caf?", false, true},
        {"emoji", "\xF0\x9F\x98\x80", "?", false, true},
        {"stray byte", "a\xFFz", "a?z", false, false},
        {"overlong slash", "\xC0\xAF", "??", false, false},
        {"overlong three-byte", "\xE0\x80\xAF", "???", false, false},
        {"encoded surrogate", "\xED\xA0\x80", "???", false, false},
        {"cut sequence", "\xE3\x81", "??", false, false},
        {"above U+10FFFF", "\xF4\x90\x80\x80", "????", false, false},
    };
    for (const Row& row : rows) {
        std::string out;
        EXPECT_EQ(Cp932::EncodeFromUtf8(row.utf8, out), row.complete) << row.name;
        EXPECT_EQ(Hex(out), Hex(row.bytes)) << row.name;
        EXPECT_EQ(Cp932::IsValidUtf8(row.utf8), row.valid) << row.name;
    }
    std::string out;
    EXPECT_TRUE(Cp932::EncodeFromUtf8("a\nb", out, LineBreaks::Convert));
    EXPECT_EQ(out, "a\r\nb");
}

// Every stray byte of a text read as UTF-8 for counting becomes the two bytes of 〓: a text of
// nothing else comes out twice as long, and all of it is there.
TEST(Cp932Codec, StrayUtf8BytesEachCountAsOneGetaMark)
{
    for (const std::size_t count : {1u, 2u, 17u, 4096u}) {
        SCOPED_TRACE(count);
        std::string out = "x";
        EXPECT_EQ(Cp932::EncodeFromUtf8ForCounting(std::string(count, '\x82'), out), count);
        std::string expected = "x";
        for (std::size_t i = 0; i < count; ++i)
            expected += "\x81\xAC";
        EXPECT_EQ(out, expected);
    }
}

// UTF-8 read character by character and each character encoded from UTF-16 on its own: what the
// direct conversion must give, for saving ("?" for what has no form) and for counting (〓).
std::string ByCharacters(std::string_view utf8, LineBreaks breaks, bool counting)
{
    std::string out;
    const auto* s = reinterpret_cast<const unsigned char*>(utf8.data());
    for (std::size_t position = 0; position < utf8.size();) {
        char32_t code = 0;
        const std::size_t length = Utf8::Read(s, position, utf8.size(), code);
        if (length == 0 || code > 0xFFFF) {
            out += counting ? "\x81\xAC" : "?";
            position += length != 0 ? length
                        : counting  ? Utf8::InvalidLength(s, position, utf8.size())
                                    : 1;
            continue;
        }
        std::string one;
        const bool found =
            Cp932::Encode(std::u16string(1, static_cast<char16_t>(code)), one, breaks);
        out += found || !counting ? one : "\x81\xAC";
        position += length;
    }
    return out;
}

TEST(Cp932Codec, DirectUtf8AgreesWithCharacterByCharacter)
{
    // ASCII with line feeds and NULs, kana, kanji, Greek, a character beyond the BMP, one without
    // a form, an over-long form, a surrogate, a half-width kana (three bytes for one) and stray
    // bytes; some texts longer than the pieces the output grows by.
    const std::string pieces[] = {"a",
                                  "Z~\\",
                                  "\n",
                                  "\r\n",
                                  std::string(1, '\0'),
                                  "\xE3\x81\x82",
                                  "\xE6\xBC\xA2",
                                  "\xCE\xB1",
                                  "\xF0\x9F\x98\x80",
                                  "\xE2\x82\xAC",
                                  "\xE0\x80\x80",
                                  "\xED\xA0\x80",
                                  "\xEF\xBD\xB1",
                                  "\xE3\x80\x80",
                                  "\x80",
                                  "\xE3\x81",
                                  "\xC0\xAF",
                                  "\xFF"};
    std::mt19937 random(932);
    std::uniform_int_distribution<std::size_t> piece(0, std::size(pieces) - 1);
    for (int round = 0; round < 600; ++round) {
        std::string utf8;
        const std::size_t count = round % 100 == 0 ? 60000 : random() % 300;
        for (std::size_t i = 0; i < count; ++i)
            utf8 += pieces[piece(random)];
        for (const LineBreaks breaks : {LineBreaks::Keep, LineBreaks::Convert}) {
            std::string saved = "x";
            Cp932::EncodeFromUtf8(utf8, saved, breaks);
            ASSERT_EQ(saved, "x" + ByCharacters(utf8, breaks, false)) << round;
        }
        std::string counted;
        Cp932::EncodeFromUtf8ForCounting(utf8, counted);
        ASSERT_EQ(counted, ByCharacters(utf8, LineBreaks::Keep, true)) << round;
    }
}

TEST(Cp932Codec, Utf8CheckAgreesWithTheCharacterWalk)
{
    // Runs of ASCII and of three-byte characters that the check passes eight and six bytes at a
    // time, broken by over-long forms, surrogates, four-byte characters, cut sequences and stray
    // bytes at every distance from the end.
    const std::string pieces[] = {"abcdefg",
                                  "\xE3\x81\x82",
                                  "\xE6\xBC\xA2\xE5\xAD\x97",
                                  "\r\n",
                                  "\xE0\x80\x80",
                                  "\xED\xA0\x80",
                                  "\xED\x9F\xBF",
                                  "\xF0\x9F\x98\x80",
                                  "\xCE\xB1",
                                  "\xE3\x81",
                                  "\x80",
                                  "\xFF",
                                  "\xEF\xBF\xBF",
                                  "\xE0\xA0\x80"};
    const auto byCharacters = [](std::string_view text) {
        return Utf8::ForEachCodePoint(text, [](char32_t) noexcept {});
    };
    std::mt19937 random(8);
    std::uniform_int_distribution<std::size_t> piece(0, std::size(pieces) - 1);
    std::bernoulli_distribution flaw(0.1);
    int valid = 0;
    for (int round = 0; round < 5000; ++round) {
        std::string text;
        for (std::size_t n = random() % 40; n > 0; --n) {
            std::size_t p = piece(random);
            if (p >= 4 && p <= 11 && p != 6 && p != 8 && !flaw(random))
                p = 1;
            text += pieces[p];
        }
        ASSERT_EQ(Cp932::IsValidUtf8(text), byCharacters(text)) << "round " << round;
        valid += byCharacters(text);
    }
    EXPECT_GT(valid, 1000);
}

TEST(Cp932Codec, OnlyAsciiHasTheFormsOfControlBytes)
{
    // The counting form of UTF-8 is checked for its line breaks as it is made, on the ASCII it
    // reads: that holds only while no other character's form is a single control byte.
    for (char32_t c = 0x80; c <= 0xFFFF; ++c) {
        if (c >= 0xD800 && c <= 0xDFFF)
            continue;
        std::string form;
        Cp932::Encode(std::u16string(1, static_cast<char16_t>(c)), form);
        ASSERT_FALSE(form.size() == 1 && static_cast<unsigned char>(form[0]) < 0x20)
            << std::hex << static_cast<std::uint32_t>(c);
    }
}

} // namespace
