// Dates as YYYY-MM-DD text: fixed-position parsing, comparison, and the local date and time.
#include "ambry/framework/AmbryDate.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>

using Keystone::String;

namespace Ambry {

namespace {

// The atoi value of up to count characters from start; characters past the end are missing.
int part(const String& text, int start, int count) {
  std::string digits;
  for (int i = start; i < start + count && i < text.length(); ++i) digits += text[i];
  return std::atoi(digits.c_str());
}

struct tm localNow() {
  const time_t now = std::time(nullptr);
  struct tm local = {};
  localtime_r(&now, &local);
  return local;
}

String dateText(const struct tm& local) {
  char text[32];
  std::snprintf(text, sizeof text, "%d-%02d-%02d", local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
  return String(text);
}

}  // namespace

AmbryDate::AmbryDate(const String& text)
    : mYear(part(text, 0, 4)), mMonth(part(text, 5, 2)), mDay(part(text, 8, 2)) {}

bool AmbryDate::operator<(const AmbryDate& other) const {
  if (mYear != other.mYear) return mYear < other.mYear;
  if (mMonth != other.mMonth) return mMonth < other.mMonth;
  return mDay < other.mDay;
}

bool AmbryDate::operator<=(const AmbryDate& other) const {
  return *this < other || (mYear == other.mYear && mMonth == other.mMonth && mDay == other.mDay);
}

String getScientificDate() {
  return dateText(localNow());
}

// Date and time come from one reading of the clock, so a call at midnight cannot pair
// one day's date with the other day's time.
String getScientificDateTime() {
  const struct tm local = localNow();
  char time[16];
  std::snprintf(time, sizeof time, "%02d:%02d:%02d", local.tm_hour, local.tm_min, local.tm_sec);
  return dateText(local) + " " + time;
}

}  // namespace Ambry
