// ISBN check digits, the ISBN-10 to ISBN-13 conversion and the cleaning of written ISBNs.
#include "ambry/records/Isbn.h"

#include <cctype>

namespace Records {

namespace {

bool allDigits(std::string_view text) {
  for (char c : text)
    if (!std::isdigit(static_cast<unsigned char>(c))) return false;
  return true;
}

// The check digit of the first twelve digits of an ISBN-13.
char isbn13Check(std::string_view twelve) {
  int sum = 0;
  for (int i = 0; i < 12; ++i) sum += (twelve[i] - '0') * (i % 2 == 0 ? 1 : 3);
  return static_cast<char>('0' + (10 - sum % 10) % 10);
}

// The check character of the first nine digits of an ISBN-10: a digit, or X for ten.
char isbn10Check(std::string_view nine) {
  int sum = 0;
  for (int i = 0; i < 9; ++i) sum += (nine[i] - '0') * (10 - i);
  const int check = (11 - sum % 11) % 11;
  return check == 10 ? 'X' : static_cast<char>('0' + check);
}

bool isIsbn13(std::string_view text) {
  return text.size() == 13 && allDigits(text) && (text.substr(0, 3) == "978" || text.substr(0, 3) == "979") &&
         isbn13Check(text) == text[12];
}

bool isIsbn10(std::string_view text) {
  return text.size() == 10 && allDigits(text.substr(0, 9)) &&
         isbn10Check(text) == std::toupper(static_cast<unsigned char>(text[9]));
}

std::string_view trimmed(std::string_view text) {
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front()))) text.remove_prefix(1);
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) text.remove_suffix(1);
  return text;
}

// The text without a leading "ISBN" (and its colon) and without a qualifier: "(pbk.)" and all after.
std::string_view withoutLabels(std::string_view text) {
  text = trimmed(text);
  if (text.size() >= 4 && std::toupper(static_cast<unsigned char>(text[0])) == 'I' &&
      std::toupper(static_cast<unsigned char>(text[1])) == 'S' &&
      std::toupper(static_cast<unsigned char>(text[2])) == 'B' &&
      std::toupper(static_cast<unsigned char>(text[3])) == 'N') {
    text.remove_prefix(4);
    if (!text.empty() && text.front() == ':') text.remove_prefix(1);
  }
  const size_t qualifier = text.find('(');
  if (qualifier != std::string_view::npos) text = text.substr(0, qualifier);
  return trimmed(text);
}

}  // namespace

Isbn normaliseIsbn(std::string_view written) {
  const std::string_view kept = withoutLabels(written);
  // The number is what the text begins with; a qualifier without parentheses ("pbk.") follows it.
  std::string compact;
  for (char c : kept) {
    if (c == '-' || c == ' ') continue;
    if (!std::isdigit(static_cast<unsigned char>(c)) && c != 'X' && c != 'x') break;
    compact += c;
  }
  if (isIsbn13(compact)) return {compact, true};
  if (isIsbn10(compact)) {
    const std::string twelve = "978" + compact.substr(0, 9);
    return {twelve + isbn13Check(twelve), true};
  }
  return {std::string(kept), false};
}

std::string isbn10Of(std::string_view isbn13) {
  if (!isIsbn13(isbn13) || isbn13.substr(0, 3) != "978") return "";
  const std::string nine(isbn13.substr(3, 9));
  return nine + isbn10Check(nine);
}

}  // namespace Records
