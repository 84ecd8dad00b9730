#include "import/post_load.h"

#include "main/log_table.h"
#include "main/text_util.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <stdexcept>
#include <system_error>

void Reset_app(AppState& s)
{
    s.log_grid.ClearGrid();
    s.header.QsoCount = 0;
    s.header.Category = kNoCategory;
    s.header.StationCall.clear();
    s.header.OwnCall.clear();
    s.header.LogYear.clear();
}

void resetLogHeader(LogHeader& h)
{
    h.StationCall.clear();
    h.OwnCall.clear();
    h.ContestName.clear();
    h.Category = kNoCategory;
    h.LogYear.clear();
    h.LogTitle.clear();
    h.QsoCount = 0;
}

bool activateLoadedLog(AppState& s)
{
    if (s.header.QsoCount == 0) {
        Reset_app(s);
        return false;
    }
    // A first QSO whose date or time does not convert is listed by the
    // analysis pass like any other; the log starts at the first QSO that
    // has a minute.
    s.FirstQsoMinute = 0;
    for (int r = 1; r <= s.header.QsoCount && r < s.log_grid.RowCount(); ++r) {
        try {
            s.FirstQsoMinute = get_time_for_qso(s.log_grid, r, s.PrevMinute);
            break;
        } catch (const std::invalid_argument&) {
        }
    }
    return true;
}

std::string mainCaptionAfterLoad(const LogHeader& h) { return h.LogTitle + " - " + kAppCaption; }

StatusPanelsAfterLoad statusPanelsAfterLoad(const LogHeader& h)
{
    return {std::to_string(h.QsoCount) + " qso", h.Category, h.ContestName + "  " + h.LogYear};
}

const std::vector<LogCommand>& logCommands()
{
    static const std::vector<LogCommand> commands = {
        {"O2", "Open log folder", true, true},
        {"Points", "Points for 20 QSO", true, false},
        {"Co1", "Choose the operator", true, false},
        {"N60minr", "60 min. rate for 100 QSO", true, true},
        {"TB_find_qso", "Find QSO", true, true},
        {"Timefor10QSO1", "Time for 10 QSO", true, true},
        {"mo1", "QSO vs. Op.", true, false},
        {"sr", "ZEM Report", true, true},
        {"tb4", "ZEM Report", true, true},
        {"tr2", "", true, true},
        {"t3", "", true, true},
        {"Close1", "Close Log", true, true},
        {"QSY3", "QSY", true, true},
        {"QSO3", "Growth of QSO quantity in time", true, true},
        {"TbQ", "Time between QSOs", true, true},
        {"N55", "Hour/rate/continents", true, true},
        {"WPX1", "WPX`s", true, true},
        {"N41", "QSO by countries", true, true},
        {"msr", "Main - second radio", true, true},
        // What else reads or writes the loaded log: without one these would
        // write empty files into the closed log's folder, or show nothing.
        {"Find1", "Find QSO", true, true},
        {"Checkbandschangerule1", "Check bands change rule", true, true},
        {"ea", "Export log to ADIF", true, true},
        {"sh", "Save Log in HTML", true, true},
        {"PointsMenu", "Points", true, true},
        {"tb33", "Show", true, true},
        {"ToolBar5", "", true, true},
    };
    return commands;
}

namespace {

void replaceAll(std::string& s, char from, char to) { std::replace(s.begin(), s.end(), from, to); }

} // namespace

std::filesystem::path make_log_folder(AppState& s, const std::string& loadedFile)
{
    namespace fs = std::filesystem;
    auto& h = s.header;
    h.OwnCall = h.StationCall;
    replaceAll(h.StationCall, '/', '-');
    replaceAll(h.ContestName, '/', '-');
    std::string title = h.ContestName + " " + h.StationCall + " " + h.LogYear;
    // What is left that no folder name can hold.
    replaceAll(title, '/', '_');
    replaceAll(title, '\0', '_');
    // A header that names nothing (a TR Log file with an empty first line)
    // would make a folder of blanks: the log is named after its file.
    if (zem::trim(title).empty() && !loadedFile.empty()) {
        const std::string stem = std::filesystem::path(loadedFile).stem().string();
        if (!zem::trim(stem).empty()) title = stem;
    }
    h.LogTitle = title;

    const fs::path base = h.OutputDir.empty() ? fs::current_path() : fs::path(h.OutputDir);
    const fs::path folder = base / title;
    std::error_code ec;
    for (const fs::path& p : {folder, folder / "Rates", folder / "Bands distribution"}) {
        fs::create_directory(p, ec);
        if (ec || !fs::is_directory(p, ec))
            throw std::runtime_error("Cannot create the folder " + p.string() + (ec ? ": " + ec.message() : ""));
    }
    h.OutputDir = folder.string() + "/";
    return folder;
}

ReopenChoice readerForExtension(const std::string& path)
{
    const std::string name = zem::upperAscii(std::filesystem::path(path).filename().string());
    ReopenChoice c;
    auto has = [&](const char* ext) { return name.find(ext) != std::string::npos; };
    if (has(".TXT")) c = {ReopenReader::Cabrillo, 36};
    if (has(".CBR")) c = {ReopenReader::Cabrillo, 35};
    if (has(".LOG")) c = {ReopenReader::Cabrillo, 36};
    if (has(".DAT")) c = {ReopenReader::TRLog, 22};
    if (has(".ADI")) c.reader = ReopenReader::ADIF;
    return c;
}

void checkFileReadable(const std::string& path)
{
    // The readers' own read gives the message they would give.
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) throw std::runtime_error("Cannot open file \"" + path + "\": " + std::strerror(errno));
    std::fgetc(f);
    const bool failed = std::ferror(f) != 0;
    const int err = errno;
    std::fclose(f);
    if (failed) throw std::runtime_error("Cannot read file \"" + path + "\": " + std::strerror(err));
}

bool check_and_add_filename_to_reopen(std::vector<std::string>& list, const std::string& path)
{
    if (path.empty()) return false;
    const auto it = std::find(list.begin(), list.end(), path);
    if (it == list.begin() && it != list.end()) return false;
    if (it != list.end())
        std::iter_swap(list.begin(), it);
    else
        list.insert(list.begin(), path);
    if (list.size() > static_cast<size_t>(kReopenMax)) list.resize(kReopenMax);
    return true;
}

std::vector<ReopenMenuItem> build_reopen_menu(const std::vector<std::string>& list)
{
    std::vector<ReopenMenuItem> items;
    items.reserve(list.size());
    for (const auto& path : list) {
        std::string caption;
        for (char c : path) {
            if (c == '&') caption += '&';
            caption += c;
        }
        items.push_back({caption, path, readerForExtension(path)});
    }
    return items;
}

std::string absoluteFolderOf(const std::string& path)
{
    std::error_code ec;
    const auto abs = std::filesystem::absolute(std::filesystem::path(path), ec);
    return (ec ? std::filesystem::path(path) : abs).parent_path().string();
}
