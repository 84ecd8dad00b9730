#pragma once
// The checks of the Errors page: suspect callsigns, QSOs out of time order,
// possible copying mistakes found with the master file, partial callsigns,
// and the master-file check of every station of the log. Each fills the
// Errors grid with one row per finding:
//   0 check mark, 1 running number, 2 log row (or empty), 3 mode,
//   4 callsign, 5 explanation.

#include "main/app_state.h"
#include "main/keoe_grid.h"
#include "refdata/master_call_db.h"

#include <array>
#include <filesystem>
#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

// pos of max: the progress of a check.
using CheckProgress = std::function<void(int pos, int max)>;

// 6 columns, no fixed column, one title row, design-time titles.
void initErrorsGrid(TKeoEGrid& grid);
const std::array<int, 6>& errorsColumnWidths();

// The first log row of each callsign, letter case aside: what a finding that
// names a callsign rather than a QSO points at.
class FirstQsoIndex {
public:
    explicit FirstQsoIndex(const TKeoEGrid& log);
    // Log row, or 0 when no QSO has the call.
    int find(const std::string& call) const;

private:
    std::unordered_map<std::string, int> rows_;
};

// The explanation of a suspect callsign, or empty when it looks right. When
// several rules hold the last one in the order of the rules speaks. Throws
// std::invalid_argument for an empty callsign.
std::string suspectCallMessage(const std::string& call);

// Suspect callsigns of log rows 1..QsoCount. A row whose check fails goes to
// the processing-error list (Bad_QSO) and the check goes on. Returns the
// number of findings; the grid always keeps at least one (empty) data row.
int suspectCallsigns(AppState& s, TKeoEGrid& errors, const CheckProgress& progress = {});

// QSOs followed by an earlier one (QSO minutes of qsoMinutes: a row whose
// date or time does not read is no finding). Returns the number of findings.
int timeOrder(const TKeoEGrid& log, int qsoCount, TKeoEGrid& errors, const CheckProgress& progress = {});

// The confusion label of a logged character where the master file has
// another ("C/Y"), or empty; only "CW" and "PH" have labels.
std::string confusionLabel(const std::string& mode, char logged, char master);

// Every candidate the master file does not hold, with the calls of the file
// that differ from it in one character (or, for six characters, in the order
// of the last two). Returns the number of findings.
int possibleMistakes(const TKeoEGrid& log, const std::vector<std::string>& candidates, TMasterCallDB& master,
                     TKeoEGrid& errors, const CheckProgress& progress = {});

// Stations worked on one band (columns[0]) that differ in exactly one
// character from a station of columns[1..5]. master may be nullptr: the
// "Not in master" mark is then left out. Rows sorted by the Info column.
int partialsInLog(const TKeoEGrid& log, const std::array<std::vector<std::string>, 6>& columns,
                  TMasterCallDB* master, TKeoEGrid& errors, const CheckProgress& progress = {});

struct MasterCheckResult {
    std::vector<std::string> notFound; // in the order of the stations
    int total = 0;
    int percent = 0; // of total, rounded, halves to even
};
// stations: every distinct station of the log, sorted.
MasterCheckResult masterCheck(const std::vector<std::string>& stations, TMasterCallDB& master);
inline constexpr char kNotFoundFileName[] = "Not found in Master.dta.txt";
// The file's text, lines ended by "\r\n".
std::string notFoundFileText(const MasterCheckResult& r);
// Writes folder/"Not found in Master.dta.txt". Throws std::runtime_error.
void writeNotFoundFile(const std::filesystem::path& folder, const MasterCheckResult& r);
// "Total callsigns: T\rNot found in Master.dta: N (P%)"
std::string masterCheckMessage(const MasterCheckResult& r);

// The first data row whose Callsign cell equals the upper-cased answer, or -1.
int findCallInErrors(const TKeoEGrid& errors, const std::string& answer);

// The log row a finding points at: its log row when it names one, else the
// first QSO of its callsign; 0 when there is none.
int logRowOfFinding(const TKeoEGrid& errors, int row, const TKeoEGrid& log);
