// The program's text is 8-bit Windows-1252 ("ANSI") inside the engine and UTF-8 at
// its edges. These helpers convert between the two and give the code page's own
// case rules, which the searches and the sorted lists rely on.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace kvx {

// The Unicode code point of one Windows-1252 byte (undefined bytes map to C1 controls).
char32_t AnsiToCodePoint(unsigned char c);

// Windows-1252 text to UTF-8.
std::string AnsiToUtf8(std::string_view ansi);

// UTF-8 text to Windows-1252. A character the code page lacks becomes an HTML numeric
// character reference ("&#945;") when numericReferences is set, otherwise "?".
// Malformed UTF-8 bytes are taken as Windows-1252 bytes, so nothing is lost.
std::string Utf8ToAnsi(std::string_view utf8, bool numericReferences = true);

// Appends the UTF-8 form of one code point.
void AppendUtf8(std::string& out, char32_t codePoint);

// Case mapping of the Windows-1252 code page (letters with accents included).
unsigned char AnsiLowerChar(unsigned char c);
unsigned char AnsiUpperChar(unsigned char c);
std::string AnsiLowerCase(std::string_view s);
std::string AnsiUpperCase(std::string_view s);

// ASCII-only lowering: only A-Z change. The stemmer and wildcard patterns use it.
std::string AsciiLowerCase(std::string_view s);

// Case-insensitive comparison in the code page: <0, 0 or >0.
int AnsiCompareText(std::string_view a, std::string_view b);
bool AnsiSameText(std::string_view a, std::string_view b);

bool AnsiStartsText(std::string_view prefix, std::string_view s);
bool AnsiEndsText(std::string_view suffix, std::string_view s);
// Case-insensitive substring search; npos when absent.
size_t AnsiFindText(std::string_view needle, std::string_view haystack);

// Without the control characters and blanks at either end.
std::string_view TrimBlanks(std::string_view s);

// Every occurrence of `from` replaced by `to`, left to right, case-sensitive; an empty
// `from` changes nothing.
std::string ReplaceAll(std::string_view s, std::string_view from, std::string_view to);

}  // namespace kvx
