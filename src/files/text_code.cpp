#include "files/text_code.h"

namespace files {
namespace {

constexpr int kFirstDigitCode = 1;
constexpr int kFirstLetterCode = 11;
constexpr int kSecondSpaceCode = 37;
constexpr int kCodeMask = 63;

// Upper case for ASCII letters only: the result must not depend on the C locale.
char UpperCase(char character) {
  return character >= 'a' && character <= 'z' ? static_cast<char>(character - 'a' + 'A')
                                              : character;
}

}  // namespace

char DecodeCharacter(int code) {
  code &= kCodeMask;
  if (code == kSpaceCode || code == kSecondSpaceCode) return ' ';
  if (code < kFirstLetterCode) return static_cast<char>('0' + code - kFirstDigitCode);
  if (code < kSecondSpaceCode) return static_cast<char>('A' + code - kFirstLetterCode);
  if (code == kOneHalfCode) return kOneHalfSign;
  if (code == kCopyrightCode) return kCopyrightSign;
  return '-';
}

int EncodeCharacter(char& character) {
  character = UpperCase(character);
  if (character == ' ') return kSpaceCode;
  if (character >= '0' && character <= '9') return kFirstDigitCode + (character - '0');
  if (character >= 'A' && character <= 'Z') return kFirstLetterCode + (character - 'A');
  if (character == kOneHalfSign || character == '/') {
    character = kOneHalfSign;
    return kOneHalfCode;
  }
  if (character == kCopyrightSign || character == '@') {
    character = kCopyrightSign;
    return kCopyrightCode;
  }
  character = '-';
  return kDashCode;
}

}  // namespace files
