// Holding back what a piece of work writes to the page until it is known whether the work stands.
#pragma once

namespace Ambry {

// From construction on, standard output's descriptor leads to an anonymous file, below the C
// runtime's buffered output, so every writer of the page is held alike; release writes what was
// held to the page after what came before, discard drops it; the destructor releases. Where no
// anonymous file can be made, the output goes to the page as it is written.
class HeldOutput {
 public:
  HeldOutput();
  ~HeldOutput() { release(); }
  HeldOutput(const HeldOutput&) = delete;
  HeldOutput& operator=(const HeldOutput&) = delete;
  void release() { finish(true); }
  void discard() { finish(false); }

 private:
  void finish(bool keep);

  int mPage = -1;  // the page's descriptor, kept aside while descriptor 1 leads to mHeld
  int mHeld = -1;
};

}  // namespace Ambry
