#pragma once
// A five-country file with three oblasts and a small log, shared by the
// tests of the DXCC page's tables.

#include "main/app_state.h"
#include "main/log_table.h"
#include "refdata/cty_search.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <unistd.h>

namespace countryfixture {

inline std::string header(const std::string& name, const std::string& cq, const std::string& itu,
                          const std::string& cont, const std::string& prefix)
{
    char buf[200];
    std::snprintf(buf, sizeof buf, "%-26s%2s:  %2s:  %s:  %6s:  %7s:  %6s:  %s:", (name + ":").c_str(), cq.c_str(),
                  itu.c_str(), cont.c_str(), "50.00", "-10.00", "-1.0", prefix.c_str());
    return buf;
}

// A lookup over the given texts of cty.dat and zem-cty.dat.
inline TCty_search loadCtyText(const std::string& testName, const std::string& ctyText, const std::string& zemText)
{
    namespace fs = std::filesystem;
    const fs::path dir = fs::temp_directory_path() / ("zem_tables_" + testName + "_" + std::to_string(::getpid()));
    fs::create_directories(dir);
    std::ofstream(dir / "cty.dat") << ctyText;
    std::ofstream(dir / "zem-cty.dat") << zemText;
    TCty_search cty;
    cty.LoadFiles(dir / "cty.dat", dir / "zem-cty.dat");
    fs::remove_all(dir);
    return cty;
}

// Countries 1 Germany, 2 European Russia, 3 Asiatic Russia, 4 United
// States, 5 Japan.
inline std::string fixtureCtyText()
{
    return header("Germany", "14", "28", "EU", "DL") + "\n    DA,DL;\n" +
           header("European Russia", "16", "29", "EU", "UA") + "\n    R,UA,UA3;\n" +
           header("Asiatic Russia", "17", "30", "AS", "UA9") + "\n    UA9,UA0;\n" +
           header("United States", "05", "08", "NA", "K") + "\n    K,W;\n" +
           header("Japan", "25", "45", "AS", "JA") + "\n    JA;\n";
}

// Oblasts 3A and 9C; "Zoneless Island" has zone 0 and no number of its own,
// and since the country of a call comes from cty.dat alone, no call reaches it.
inline std::string fixtureZemText()
{
    return header("Moscow (3A)", "16", "29", "EU", "UA") + "\n    UA3A;\n" +
           header("Sverdlovsk (9C)", "17", "30", "AS", "UA9") + "\n    UA9C;\n" +
           header("Zoneless Island", "00", "00", "OC", "ZL0") + "\n    ZL0;\n";
}

inline TCty_search loadCty(const std::string& testName)
{
    return loadCtyText(testName, fixtureCtyText(), fixtureZemText());
}

struct Qso {
    std::string call, kHz, band, time = "1200", date = "2024-03-16", mode = "CW";
};

inline void fillLog(AppState& s, const std::vector<Qso>& qsos)
{
    initLogGrid(s.log_grid);
    s.log_grid.SetRowCount(static_cast<int>(qsos.size()) + 1);
    int r = 0;
    for (const Qso& q : qsos) {
        ++r;
        s.log_grid.SetCell(lcNumber, r, std::to_string(r));
        s.log_grid.SetCell(lcCallsign, r, q.call);
        s.log_grid.SetCell(lcKHz, r, q.kHz);
        s.log_grid.SetCell(lcBand, r, q.band);
        s.log_grid.SetCell(lcMode, r, q.mode);
        s.log_grid.SetCell(lcDate, r, q.date);
        s.log_grid.SetCell(lcTime, r, q.time);
    }
    s.header.QsoCount = r;
    s.header.LogTitle = "TEST SM5XX 2024";
}

// Germany 3 QSOs on 20/40/80, United States 3 (prefixes K55, K5, K1) on
// 20/10, Japan 1 on 15, one call no file knows, one call of a country
// without a number and zone 0. Two clock hours.
inline std::vector<Qso> mainLog()
{
    return {
        {"DL1AAA", "14025", "20", "1200"}, {"K55AA", "14030", "20", "1210"},  {"DL2BBB", "7010", "40", "1220"},
        {"XX1XX", "14040", "20", "1230"},  {"JA1ABC", "21010", "15", "1300"}, {"K5AA", "14050", "20", "1310"},
        {"DL1AAA", "3510", "80", "1320"},  {"K1AR", "28010", "10", "1330"},   {"ZL0AA", "14060", "20", "1340"},
    };
}

} // namespace countryfixture
