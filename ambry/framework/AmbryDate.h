// Dates as YYYY-MM-DD text: parsing, comparison, and today's date and time.
#pragma once
#include "keystone/Keystone"

namespace Ambry {

class AmbryDate {
 public:
  // Reads year, month and day at fixed positions 0-3, 5-6 and 8-9; no validation.
  AmbryDate(const Keystone::String& text);
  bool operator<(const AmbryDate& other) const;
  bool operator<=(const AmbryDate& other) const;
  int getYear() const { return mYear; }
  int getMonth() const { return mMonth; }
  int getDay() const { return mDay; }

 private:
  int mYear;
  int mMonth;
  int mDay;
};

// Today's local date as YYYY-MM-DD.
Keystone::String getScientificDate();

// The local date and time as YYYY-MM-DD HH:MM:SS.
Keystone::String getScientificDateTime();

}  // namespace Ambry
