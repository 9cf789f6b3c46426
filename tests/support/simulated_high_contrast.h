// High-contrast mode for tests. Wine reports the mode as off and refuses
// to switch it (SPI_SETHIGHCONTRAST fails), and on Windows switching it
// would recolour the whole desktop, so the mode is given to this process
// alone: while a SimulatedHighContrast says so, the process's imported
// SystemParametersInfoW answers SPI_GETHIGHCONTRAST with HCF_HIGHCONTRASTON
// set. Every other question still goes to the system. The notifications
// the system would send are the test's to send.
#pragma once

namespace testsupport {

class SimulatedHighContrast {
 public:
  SimulatedHighContrast();  // installs the answer, mode off
  ~SimulatedHighContrast();  // the system's own answers again
  SimulatedHighContrast(const SimulatedHighContrast&) = delete;
  SimulatedHighContrast& operator=(const SimulatedHighContrast&) = delete;
  void Set(bool on);
  bool installed() const { return installed_; }

 private:
  bool installed_ = false;
};

}  // namespace testsupport
