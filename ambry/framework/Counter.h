// The home page's visitor counter, kept as decimal text in the data folder's counter file.
#pragma once
#include "keystone/Keystone"

namespace Ambry {

class Counter {
 public:
  ~Counter();  // adds the visits counted here to the file when it was read

  static void init();                  // reads the count from the counter file
  static int get();                    // the count, reading it first if need be
  static void inc(const int& amount);  // adds to the count in memory
  static void flush();                 // adds what was counted since reading to the counter file

  static int counter;
  static bool counterInitYet;
  static Counter mSingleton;  // defined with the library's load-time set-up
};

}  // namespace Ambry
