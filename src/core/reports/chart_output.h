#pragma once
// File names of a saved chart picture.

#include <string>

// The name a save dialog offers for a chart: its title without the final
// line break, with "/" (and "\") turned into "-" so that it names a file, not
// a folder path.
std::string chartImageFileName(const std::string& title);

// The name with ".jpg" added unless it already ends in ".jpg" (any case).
std::string withJpgExtension(const std::string& name);
