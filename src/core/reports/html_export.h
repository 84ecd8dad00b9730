#pragma once
// Every result grid is also saved as an HTML page in the log folder, so that
// a user can keep or publish the analysis without the program.

#include "main/app_state.h"
#include "main/keoe_grid.h"

#include <ctime>
#include <string>

// Writes grid as folder/name.htm, replacing any file of that name. The page
// names the loaded log (header.LogTitle) and its QSO count (header.QsoCount),
// whatever the grid holds. Cell texts are copied as they stand. A grid with no
// row below its title row writes nothing. summaryImage adds the Summary chart
// image below the table; only the Summary grid asks for it. Throws
// std::runtime_error when the file cannot be created or written.
void grid_to_html(const TKeoEGrid& grid, const std::string& name, const std::string& folder,
                  const LogHeader& header, bool summaryImage = false);

// The page's text, lines ended by "\n", stamped with the given local time.
std::string gridHtmlPage(const TKeoEGrid& grid, const std::string& name, const LogHeader& header,
                         bool summaryImage, const std::tm& now);

// " Weekday, Month d, yyyy,  hh:mm " with the names of the C library's time
// locale (the program sets it from the user's environment at start-up).
std::string htmlTimestamp(const std::tm& now);
