#pragma once
// What the main window says and switches off about the master callsign file.
// Lines are separated by "\r", as in the program's message boxes.

#include <string>
#include <vector>

class TMasterCallDB;

namespace zem {

inline constexpr char kMasterDownloadPage[] = "https://www.supercheckpartial.com/";
// Status-bar panel 0 when master.dta could not be loaded.
inline constexpr char kNoMasterStatus[] = "No master.dta";
// Caption of the tool button that needs the master file.
inline constexpr char kPossibleMistakesCaption[] = "Possible mistakes in callsigns";

// The warning shown (OK button) when the load of master.dta failed.
std::string NomasterText();
// Commands that the warning switches off: the first are hidden, the second disabled.
const std::vector<std::string>& NomasterHiddenCommands();   // {"tb17"}
const std::vector<std::string>& NomasterDisabledCommands(); // {"FindinMasterdta1"}

// Text of the information box of "Information about Master.dta".
std::string MasterInfoText(const TMasterCallDB& master);

} // namespace zem
