#pragma once
// The message table: numbered common words and messages in the current
// language, refilled by RelabelAll (FillMessages). Entries are numbered 11 to
// 125; an entry that was never filled, or a number outside the table, reads
// as an empty text. GUI thread only.

namespace ign {

constexpr int kFirstMsg = 11;
constexpr int kLastMsg = 125;

// The entry in the language of the last fill; "" before the first fill. The
// pointer stays valid until the next FillMessages, SetMsg or ClearMessages.
const char* Msg(int n);

// The listed entry in the given language (LNG_ENGLISH .. LNG_CESKY), whatever
// the current one; "" for a number the table does not list. For packed texts
// that are shown again when the language changes.
const char* MsgIn(int n, int language);

// Refills every listed entry in the current language.
void FillMessages();

// Writes an entry that a page composes itself (96 and 97: the captions of the
// two multifunction inputs). Numbers outside the table are ignored.
void SetMsg(int n, const char* text);

// Empties the table again (as constructed).
void ClearMessages();

}  // namespace ign
