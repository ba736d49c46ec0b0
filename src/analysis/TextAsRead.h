#pragma once
// The text as a reader reads it: the ruby readings and the editorial notes that writers mark in
// their manuscripts are not characters of the work.
//
//   ｜漢字《かんじ》  漢字《かんじ》   -> 漢字       (the reading and the ｜ or | that marks the
//   base) 《《強調》》                       -> 強調       (emphasis dots: only the marks go)
//   ［＃改ページ］                     -> (nothing)  (an editorial note)
//   ※［＃「口＋亞」、第3水準1-15-8］  -> ※         (the ※ stands for a character outside the set)
//
// A mark closes on its own line or is ordinary text: a 《 or ［＃ with no closing mark before the
// line break stays, as does a ｜ not followed by a reading on its line. Line breaks always stay.

#include <string>
#include <string_view>

// True when the text may hold a ruby or note mark (a 《, ｜, | or ［＃ character); false means
// TextAsRead would give the text back unchanged.
bool MayHoldRubyOrNotes(std::string_view text) noexcept;

// The Shift-JIS text with ruby readings, their base marks and editorial notes removed. Applying
// it to its own result changes nothing.
std::string TextAsRead(std::string_view text);
