#pragma once
// After a save that wrote "?" for characters without a Shift-JIS form, the text on screen is made
// to show what the file holds.

class QTextDocument;

// Replaces every character of the document that has no Shift-JIS form (a surrogate pair counts as
// one character) by "?", exactly as the codec writes it, in one undo step; undoing it brings the
// characters back. Returns the number of characters replaced.
int ReplaceCharactersWithoutShiftJisForm(QTextDocument& document);
