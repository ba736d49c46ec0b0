// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Lines a writer would call headings and lines that only look like them, for every reader of
// headings: the chapters, the manuscript check and the companion. Each row is a text of one or
// more lines (joined by \n); a heading row is a heading at its first line, and none of its lines
// asks for a paragraph indent.

#include <vector>

struct HeadingRow
{
    const char* text; // UTF-8
    int level;        // 0: prose
    const char* title;
    bool unindented; // prose whose first line lacks the paragraph indent
};

inline const std::vector<HeadingRow>& HeadingTable()
{
    static const std::vector<HeadingRow> rows = {
        // Chapter titles: the number alone, a blank and a title, a mark, a bracketed title.
        {"第一章　旅立ち", 2, "第一章　旅立ち", false},
        {"第一章", 2, "第一章", false},
        {"第3部 決戦", 2, "第3部 決戦", false},
        {"第１２幕「再会」", 2, "第１２幕「再会」", false},
        {"第二話（前編）", 2, "第二話（前編）", false},
        {"第百二十章：終わり", 2, "第百二十章：終わり", false},
        {"プロローグ", 2, "プロローグ", false},
        {"エピローグ", 2, "エピローグ", false},
        {"# 第一部", 1, "第一部", false},
        {"### 節", 3, "節", false},
        {"朝［＃「朝」は中見出し］", 2, "朝", false},
        // Block headings: the notes and the title lines are the heading's.
        {"［＃ここから大見出し］\n第一章\n旅立ち\n［＃ここで大見出し終わり］", 1, "第一章　旅立ち",
         false},
        {"［＃ここから中見出し］\n春の日\n［＃ここで中見出し終わり］", 2, "春の日", false},
        {"［＃ここから２字下げ］［＃ここから小見出し］\n夜明け\n［＃ここで小見出し終わり］", 3,
         "夜明け", false},
        // Prose that begins like a title.
        {"第三話、いかがでしたか。", 0, "", true},
        {"　第二部、完。", 0, "", false},
        {"第1話「出会い」を投稿しました。", 0, "", true},
        {"第二話 いかがでしたか。", 0, "", true},
        {"第一章を読み終えた。", 0, "", true},
        {"プロローグが好きだ", 0, "", true},
        {"#タグ", 0, "", true},
        // A block that never closes, or holds no title, is no heading.
        {"［＃ここから大見出し］\n　閉じない見出し", 0, "", false},
        {"［＃ここから大見出し］\n［＃ここで大見出し終わり］", 0, "", false},
    };
    return rows;
}
