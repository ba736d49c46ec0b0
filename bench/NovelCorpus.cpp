// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "NovelCorpus.h"

#include "analysis/Cp932Codec.h"
#include "analysis/ShiftJis.h"

#include <algorithm>
#include <random>

namespace {

class Writer
{
public:
    explicit Writer(std::uint32_t seed) : FRandom(seed) {}

    std::uint32_t Below(std::uint32_t n) { return FRandom() % n; }

    void DoubleByte(std::uint32_t code)
    {
        FText.push_back(static_cast<char>(code >> 8));
        FText.push_back(static_cast<char>(code & 0xFF));
        ++FColumn;
    }

    void Kanji()
    {
        const std::uint32_t lead = 0x89 + Below(0x97 - 0x89 + 1);
        std::uint32_t trail = 0x40 + Below(0xFC - 0x40);
        if (trail >= 0x7F)
            ++trail; // 0x7F is never a trail byte
        DoubleByte(lead << 8 | trail);
    }

    void Hiragana() { DoubleByte(0x829F + Below(0x82F1 - 0x829F + 1)); }
    void Katakana() { DoubleByte(0x8340 + Below(0x837E - 0x8340 + 1)); }

    void Word()
    {
        static const char* const words[] = {"Tokyo",      "Kyoto", "jazz",
                                            "well-known", "piano", "2026"};
        const std::string word = words[Below(6)];
        FText += word;
        FColumn += static_cast<int>(word.size() + 1) / 2;
    }

    void Sentence()
    {
        const bool quoted = Below(6) == 0;
        if (quoted)
            DoubleByte(0x8175); // 「
        const int length = 8 + static_cast<int>(Below(30));
        for (int i = 0; i < length; ++i) {
            const std::uint32_t kind = Below(100);
            if (kind < 40)
                Hiragana();
            else if (kind < 75)
                Kanji();
            else if (kind < 85)
                Katakana();
            else if (kind < 95)
                DoubleByte(0x8141); // 、
            else
                Word();
            if (FColumn >= 38 + static_cast<int>(Below(5)))
                LineBreak();
        }
        DoubleByte(quoted ? 0x8176 : 0x8142); // 」 or 。
    }

    void LineBreak()
    {
        FText += "\r\n";
        FColumn = 0;
    }

    void Paragraph()
    {
        DoubleByte(0x8140); // 　
        const int sentences = 1 + static_cast<int>(Below(6));
        for (int i = 0; i < sentences; ++i)
            Sentence();
        LineBreak();
    }

    std::string& Text() { return FText; }

private:
    std::mt19937 FRandom;
    std::string FText;
    int FColumn = 0;
};

} // namespace

std::string MakeNovelCorpus(std::size_t bytes, std::uint32_t seed)
{
    Writer writer(seed);
    writer.Text().reserve(bytes + 512);
    while (writer.Text().size() < bytes)
        writer.Paragraph();
    std::string text = std::move(writer.Text());
    text.resize(bytes);
    // Never end on a lone lead byte.
    std::size_t p = 0;
    while (p + 1 < text.size())
        p += ShiftJis::CharacterLength(text, p);
    if (p + 1 == text.size() && ShiftJis::IsLeadByte(text.back()))
        text.back() = '.';
    return text;
}

std::string MakeChapteredNovel(std::size_t bytes, std::size_t chapters)
{
    const std::string corpus = MakeNovelCorpus(bytes);
    const std::size_t every = corpus.size() / std::max<std::size_t>(chapters, 1);
    std::string novel;
    novel.reserve(corpus.size() + chapters * 32);
    std::size_t from = 0;
    for (std::size_t n = 1; n <= chapters && from < corpus.size(); ++n) {
        const std::string number = std::to_string(n);
        const std::string heading = n % 10 == 1 ? "# 第" + number + "部" : "第" + number + "章";
        Cp932::EncodeFromUtf8(heading + "\r\n", novel);
        const std::size_t cut = corpus.find("\r\n", std::min(from + every, corpus.size()));
        const std::size_t to = cut == std::string::npos ? corpus.size() : cut + 2;
        novel.append(corpus, from, to - from);
        from = to;
    }
    novel.append(corpus, from);
    return novel;
}
