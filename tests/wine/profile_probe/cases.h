// Profile files and calls on which the portable profile code must answer as the system does.
// Texts are bytes in code page 932, as the program's settings file holds them.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace probe {

struct ReadCase {
  const char* name;
  std::string contents;
  const char* section;
  const char* key;
  std::int32_t defaultValue;
};

struct WriteStep {
  const char* section;
  const char* key;
  const char* value;
};

struct WriteCase {
  const char* name;
  std::optional<std::string> initial;  // nothing: the file does not exist yet
  std::vector<WriteStep> steps;
};

inline std::string OptionWith(const std::string& value) {
  return "[Option]\r\nMaxLog=" + value + "\r\n";
}

// "警告" and the warning text of the program's User section, in code page 932.
inline const char* const kWarningKey = "\x8c\x78\x8d\x90";

// ASCII text in UTF-16 with its mark, little or big end first.
inline std::string Utf16(const std::string& ascii, bool bigEndian = false) {
  std::string out = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
  for (const char c : ascii) {
    out += bigEndian ? std::string{'\0', c} : std::string{c, '\0'};
  }
  return out;
}

inline std::vector<ReadCase> ReadCases() {
  return {
      {"plain number", OptionWith("5"), "Option", "MaxLog", 50},
      {"negative", OptionWith("-5"), "Option", "MaxLog", 50},
      {"plus sign", OptionWith("+8"), "Option", "MaxLog", 50},
      {"minus zero", OptionWith("-0"), "Option", "MaxLog", 50},
      {"space after sign", OptionWith("- 5"), "Option", "MaxLog", 50},
      {"two signs", OptionWith("+-5"), "Option", "MaxLog", 50},
      {"spaces around value", "[Option]\r\nMaxLog=   7   \r\n", "Option", "MaxLog", 50},
      {"tab before value", "[Option]\r\nMaxLog=\t9\r\n", "Option", "MaxLog", 50},
      {"spaces around key", "[Option]\r\n  MaxLog  =  11\r\n", "Option", "MaxLog", 50},
      {"space inside number", OptionWith("1 2"), "Option", "MaxLog", 50},
      {"letters", OptionWith("abc"), "Option", "MaxLog", 50},
      {"digits then letters", OptionWith("12abc"), "Option", "MaxLog", 50},
      {"decimal point", OptionWith("1.5"), "Option", "MaxLog", 50},
      {"exponent", OptionWith("1e3"), "Option", "MaxLog", 50},
      {"leading zeros", OptionWith("010"), "Option", "MaxLog", 50},
      {"hex prefix", OptionWith("0x10"), "Option", "MaxLog", 50},
      {"hex upper prefix", OptionWith("0X1F"), "Option", "MaxLog", 50},
      {"hex prefix alone", OptionWith("0x"), "Option", "MaxLog", 50},
      {"octal prefix", OptionWith("0o17"), "Option", "MaxLog", 50},
      {"binary prefix", OptionWith("0b101"), "Option", "MaxLog", 50},
      {"negative hex", OptionWith("-0x10"), "Option", "MaxLog", 50},
      {"full-width digits", OptionWith("\x82\x50\x82\x51"), "Option", "MaxLog", 50},
      {"empty value", OptionWith(""), "Option", "MaxLog", 50},
      {"only spaces", OptionWith("   "), "Option", "MaxLog", 50},
      {"no equals sign", "[Option]\r\nMaxLog\r\n", "Option", "MaxLog", 50},
      {"missing key", "[Option]\r\nMaxWatch=3\r\n", "Option", "MaxLog", 50},
      {"missing section", "[User]\r\nMaxLog=3\r\n", "Option", "MaxLog", 50},
      {"empty file", "", "Option", "MaxLog", 50},
      {"negative default", "", "Option", "MaxLog", -7},
      {"section case", "[OPTION]\r\nMaxLog=12\r\n", "option", "MaxLog", 50},
      {"key case", "[Option]\r\nMAXLOG=13\r\n", "Option", "maxlog", 50},
      {"full-width letter case", "[Option]\r\n\x82\x60=14\r\n", "Option", "\x82\x81", 50},
      {"double-byte trail letter", "[Option]\r\n\x83\x41=15\r\n", "Option", "\x83\x61", 50},
      {"double-byte key", std::string("[User]\r\n") + kWarningKey + "=21\r\n", "User", kWarningKey,
       50},
      {"repeated section, first", "[Option]\r\nMaxLog=1\r\n[Other]\r\n[Option]\r\nMaxLog=2\r\n",
       "Option", "MaxLog", 50},
      {"repeated section, key only in second",
       "[Option]\r\nChkMode=1\r\n[Other]\r\nA=1\r\n[Option]\r\nMaxLog=3\r\n", "Option", "MaxLog",
       50},
      {"repeated key", "[Option]\r\nMaxLog=4\r\nMaxLog=5\r\n", "Option", "MaxLog", 50},
      {"key before any section", "MaxLog=6\r\n[Option]\r\nChkMode=1\r\n", "Option", "MaxLog", 50},
      {"key before any section, empty name", "MaxLog=6\r\n[Option]\r\n", "", "MaxLog", 50},
      {"blank lines", "\r\n\r\n[Option]\r\n\r\n\r\nMaxLog=16\r\n\r\n", "Option", "MaxLog", 50},
      {"semicolon comment", "[Option]\r\n;MaxLog=17\r\n", "Option", "MaxLog", 50},
      {"comment before key", "; settings\r\n[Option]\r\n; the log\r\nMaxLog=18\r\n", "Option",
       "MaxLog", 50},
      {"value with comment", OptionWith("19 ; nineteen"), "Option", "MaxLog", 50},
      {"double quotes", OptionWith("\"20\""), "Option", "MaxLog", 50},
      {"single quotes", OptionWith("'22'"), "Option", "MaxLog", 50},
      {"unbalanced quote", OptionWith("\"23"), "Option", "MaxLog", 50},
      {"quotes around nothing", OptionWith("\"\""), "Option", "MaxLog", 50},
      {"quoted spaces", OptionWith("\" 24 \""), "Option", "MaxLog", 50},
      {"long digits, 10", OptionWith("2147483648"), "Option", "MaxLog", 50},
      {"long digits, wraps", OptionWith("4294967297"), "Option", "MaxLog", 50},
      {"long digits, 20", OptionWith("99999999999999999999"), "Option", "MaxLog", 50},
      {"long digits, 29 chars", OptionWith("00000000000000000000000000025"), "Option", "MaxLog",
       50},
      {"long digits, 30 chars", OptionWith("000000000000000000000000000026"), "Option", "MaxLog",
       50},
      {"long quoted, 30 chars", OptionWith("\"0000000000000000000000000027\""), "Option", "MaxLog",
       50},
      {"long quoted, 31 chars", OptionWith("\"00000000000000000000000000028\""), "Option", "MaxLog",
       50},
      {"LF line ends", "[Option]\nChkMode=1\nMaxLog=29\n", "Option", "MaxLog", 50},
      {"CR line ends", "[Option]\rChkMode=1\rMaxLog=30\r", "Option", "MaxLog", 50},
      {"no final line end", "[Option]\r\nMaxLog=31", "Option", "MaxLog", 50},
      {"UTF-8 BOM", "\xEF\xBB\xBF[Option]\r\nMaxLog=32\r\n", "Option", "MaxLog", 50},
      {"UTF-16 mark", Utf16("[Option]\r\nChkMode=1\r\nMaxLog=41\r\n"), "Option", "MaxLog", 50},
      {"UTF-16 mark, big end first", Utf16("[Option]\r\nMaxLog=42\r\n", true), "Option", "MaxLog",
       50},
      {"UTF-16 with other characters",
       Utf16("[Option]\r\nX=") + std::string("\x42\x30\r\0\n\0", 6) +
           Utf16("MaxLog=43\r\n").substr(2),
       "Option", "MaxLog", 50},
      {"spaces in header", "[ Option ]\r\nMaxLog=33\r\n", "Option", "MaxLog", 50},
      {"text after header", "[Option] old\r\nMaxLog=34\r\n", "Option", "MaxLog", 50},
      {"header without bracket", "[Option\r\nMaxLog=35\r\n", "Option", "MaxLog", 50},
      {"indented header", "  [Option]\r\nMaxLog=36\r\n", "Option", "MaxLog", 50},
      {"equals in value", OptionWith("37=38"), "Option", "MaxLog", 50},
      {"key with spaces asked trimmed", "[Option]\r\nMax Log=39\r\n", "Option", "Max Log", 50},
      {"empty key asked", "[Option]\r\n=40\r\n", "Option", "", 50},
      {"program's settings",
       "[User]\r\n" + std::string(kWarningKey) +
           "=x\r\n[Option]\r\nChkMode=0\r\nDisabledPastLog=0\r\nMaxWatch=3"
           "\r\nMaxLog=4\r\nInterval=1000\r\nThrough=2\r\n",
       "Option", "Interval", 5000},
  };
}

// Every pair of a lead byte and a byte behind it, one row of lead bytes per key. Rows 87, ED, EE
// and FA are left out: the system writes their characters that duplicate others in the others'
// spelling, which the portable code does not.
inline std::string EveryDoubleBytePair() {
  std::string text = "[Pairs]\r\n";
  for (int lead = 0x81; lead <= 0xfc; ++lead) {
    if (lead == 0xa0) lead = 0xe0;
    if (lead == 0x87 || lead == 0xed || lead == 0xee || lead == 0xfa) continue;
    text += "R" + std::to_string(lead) + "=";
    for (int trail = 0x40; trail <= 0xfc; ++trail) {
      text += static_cast<char>(lead);
      text += static_cast<char>(trail);
    }
    text += "\r\n";
  }
  return text;
}

inline std::vector<WriteCase> WriteCases() {
  // "このファイルを直接操作すると予期しない動作をする場合があります。"
  const char* warning =
      "\x82\xb1\x82\xcc\x83\x74\x83\x40\x83\x43\x83\x8b\x82\xf0\x92\xbc\x90\xda\x91\x80"
      "\x8d\xec\x82\xb7\x82\xe9\x82\xc6\x97\x5c\x8a\xfa\x82\xb5\x82\xc8\x82\xa2\x93\xae"
      "\x8d\xec\x82\xf0\x82\xb7\x82\xe9\x8f\xea\x8d\x87\x82\xaa\x82\xa0\x82\xe8\x82\xdc"
      "\x82\xb7\x81\x42";
  return {
      {"new file, one key", std::nullopt, {{"User", "key1", "v1"}}},
      {"new file, the program's save",
       std::nullopt,
       {{"User", kWarningKey, warning},
        {"Option", "ChkMode", "2"},
        {"Option", "DisabledPastLog", "0"},
        {"Option", "MaxWatch", "10"},
        {"Option", "MaxLog", "50"},
        {"Option", "Interval", "5000"},
        {"Option", "Through", "0"}}},
      {"second save over the first",
       "[User]\r\n" + std::string(kWarningKey) + "=" + warning +
           "\r\n[Option]\r\nChkMode=2\r\nDisabledPastLog=0\r\nMaxWatch=10\r\nMaxLog=50\r\n"
           "Interval=5000\r\nThrough=0\r\n",
       {{"User", kWarningKey, warning},
        {"Option", "ChkMode", "0"},
        {"Option", "MaxLog", "120"},
        {"Option", "Through", "7"}}},
      {"new section at the end", "[User]\r\nA=1\r\n", {{"Option", "MaxLog", "5"}}},
      {"new key in a section that is not last",
       "[Option]\r\nA=1\r\n[User]\r\nB=2\r\n",
       {{"Option", "MaxLog", "6"}}},
      {"existing key keeps its spelling", "[option]\r\nmaxlog=5\r\n", {{"Option", "MaxLog", "10"}}},
      {"same value again", "[Option]\r\nMaxLog=5\r\n", {{"Option", "MaxLog", "5"}}},
      {"no final line end", "[Option]\r\nA=1", {{"Option", "B", "2"}}},
      {"LF line ends", "[Option]\nA=1\nB=2\n", {{"Option", "B", "3"}}},
      {"blank lines and comments",
       "; top\r\n\r\n[Option]\r\n; note\r\n\r\nA=1\r\n\r\n",
       {{"Option", "A", "2"}}},
      {"key before any section", "A=1\r\n[Option]\r\nB=2\r\n", {{"Option", "C", "3"}}},
      {"repeated section",
       "[Option]\r\nA=1\r\n[Other]\r\nX=1\r\n[Option]\r\nB=2\r\n",
       {{"Option", "B", "9"}}},
      {"value with spaces", std::nullopt, {{"Option", "A", "  5  "}}},
      {"empty value", std::nullopt, {{"Option", "A", ""}}},
      {"spaces around names", std::nullopt, {{" Option ", " A ", "1"}}},
      {"quoted value", std::nullopt, {{"Option", "A", "\"q\""}}},
      {"UTF-8 BOM kept", "\xEF\xBB\xBF[Option]\r\nA=1\r\n", {{"Option", "A", "2"}}},
      {"line without equals", "[Option]\r\nLoose\r\n", {{"Option", "Loose", "1"}}},
      {"blank line before a UTF-8 BOM",
       "\r\n\xEF\xBB\xBF[Option]\r\nA=1\r\n",
       {{"Option", "B", "2"}}},
      {"UTF-16 mark behind a blank line",
       "\r\n\xFE\xFF[Option]\r\nA=1\r\n",
       {{"Option", "B", "2"}}},
      {"spaces before a UTF-8 BOM", "   \xEF\xBB\xBF A=1\r\n", {{"", "", ""}}},
      {"header with a lead byte before a trimmed space",
       "[Opt\x81 ]\r\nA=1\r\n[Other]\r\nB=2\r\n",
       {{"Other", "C", "3"}}},
      {"header with a lead byte before a trimmed tab",
       "[Top]\r\nT=0\r\n[\x82\t]\r\nA=1\r\n",
       {{"Top", "C", "3"}}},
      {"empty header", "[Option]\r\nA=1\r\n[]\r\nB=2\r\n", {{"Option", "C", "3"}}},
      {"value ending in a lead byte", "[Option]\r\nA=x\x81\r\nB=2\r\n", {{"Option", "B", "3"}}},
      {"double-byte rows without characters",
       "[Option]\r\nK=\x85\x40|\x86\x9f|\xeb\x40|\xec\xfc|\xef\x40|\xf0\x40|\xfa\x40|\x81\x7f|"
       "\x81\xad|\x81\xfd|\x81\x3f|\xfc\x4b|\xfc\x4c|\xfd|\xa0|\x80\r\n",
       {{"Option", "B", "3"}}},
      {"every double-byte pair", EveryDoubleBytePair(), {{"Pairs", "B", "3"}}},
      {"lead byte at the end of the file", "[Option]\r\nA=1\r\nB=x\x81", {{"Option", "C", "3"}}},
      {"lead byte at the end of a name", std::nullopt, {{"Opt\x81", "K\x82", "v\x83"}}},
      {"key ending in a lead byte before its equals sign",
       "[Option]\r\nA\x81=1\r\nB=2\r\n",
       {{"Option", "B", "3"}}},
  };
}

}  // namespace probe
