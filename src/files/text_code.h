// The game's character code: 64 codes for spaces, digits, capitals, the dash, the one-half sign
// and the copyright sign. Characters are Windows-1252, as every text that reaches the host is.
#pragma once

namespace files {

constexpr char kOneHalfSign = '\xBD';
constexpr char kCopyrightSign = '\xA9';

constexpr int kSpaceCode = 0;
constexpr int kDashCode = 38;
constexpr int kOneHalfCode = 39;
constexpr int kCopyrightCode = 40;

// The character of a code 0..63 (bits beyond the six are ignored). Codes the game draws as
// nothing or as a bar show as a space or a dash.
char DecodeCharacter(int code);

// The code of a character, upper-cased first. The character itself is changed to the one that
// the code decodes to: "/" becomes the one-half sign, "@" the copyright sign (the two have no
// key of their own), and anything else without a code becomes a dash.
int EncodeCharacter(char& character);

}  // namespace files
