#include "analysis/distribution.h"

#include "analysis/dupe_key.h"
#include "main/log_table.h"
#include "main/text_util.h"

#include <algorithm>
#include <stdexcept>
#include <unordered_map>
#include <unordered_set>

namespace fs = std::filesystem;

namespace {

// Rows a command may read: 1..qsoCount, never past the table.
int lastLogRow(const TKeoEGrid& log, int qsoCount) { return std::min(qsoCount, log.RowCount() - 1); }

void fillAll(BandDistribution& d)
{
    d.all.clear();
    for (const auto& c : d.columns) d.all.insert(d.all.end(), c.begin(), c.end());
    for (const auto& e : d.tooManyBands) d.all.push_back(e.item);
    std::stable_sort(d.all.begin(), d.all.end(), lessNoCase);
}

fs::path listFile(const fs::path& folder, const std::string& name, size_t count)
{
    return folder / (name + " (" + std::to_string(count) + ").txt");
}

} // namespace

bool lessNoCase(const std::string& a, const std::string& b)
{
    const size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        const unsigned char ca = static_cast<unsigned char>(a[i] >= 'a' && a[i] <= 'z' ? a[i] - 32 : a[i]);
        const unsigned char cb = static_cast<unsigned char>(b[i] >= 'a' && b[i] <= 'z' ? b[i] - 32 : b[i]);
        if (ca != cb) return ca < cb;
    }
    if (a.size() != b.size()) return a.size() < b.size();
    return a < b;
}

BandDistribution distributionByBands(const TKeoEGrid& log, int qsoCount, bool mixedMode)
{
    // One entry per station (or station and mode) for every band it was
    // worked on; the upper-cased text groups the entries of one station.
    struct Entry {
        std::string key;  // upper-cased station (and mode)
        std::string item; // as the first QSO of the station writes it
    };
    std::unordered_set<std::string> seen;
    std::unordered_map<std::string, std::string> firstSpelling;
    std::vector<Entry> entries;
    const int last = lastLogRow(log, qsoCount);
    seen.reserve(static_cast<size_t>(std::max(last, 0)));
    for (int r = 1; r <= last; ++r) {
        if (log.Cell(lcQSO, r) == kDupeMark) continue;
        const std::string& call = log.Cell(lcCallsign, r);
        std::string item = mixedMode ? call + "-" + log.Cell(lcMode, r) : call;
        std::string station = zem::upperAscii(item);
        std::string bandKey = station + "\x01" + zem::upperAscii(log.Cell(lcBand, r));
        if (!seen.insert(std::move(bandKey)).second) continue;
        auto it = firstSpelling.try_emplace(station, std::move(item)).first;
        entries.push_back({std::move(station), it->second});
    }
    std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) { return a.key < b.key; });

    BandDistribution d;
    for (size_t i = 0; i < entries.size();) {
        size_t j = i + 1;
        while (j < entries.size() && entries[j].key == entries[i].key) ++j;
        const size_t bands = j - i;
        if (bands <= static_cast<size_t>(DistributionColumns))
            d.columns[bands - 1].push_back(entries[i].item);
        else
            d.tooManyBands.push_back({entries[i].item, static_cast<int>(bands)});
        i = j;
    }
    for (auto& c : d.columns) std::stable_sort(c.begin(), c.end(), lessNoCase);
    std::stable_sort(d.tooManyBands.begin(), d.tooManyBands.end(),
                     [](const ManyBandsEntry& a, const ManyBandsEntry& b) { return lessNoCase(a.item, b.item); });
    fillAll(d);
    return d;
}

BandDistribution totalOnBand(const TKeoEGrid& log, int qsoCount)
{
    BandDistribution d;
    const int last = lastLogRow(log, qsoCount);
    for (int r = 1; r <= last; ++r) {
        const int band = bandOfKHzCell(log.Cell(lcKHz, r));
        if (band > 0) d.columns[static_cast<size_t>(band - 1)].push_back(log.Cell(lcCallsign, r));
    }
    fillAll(d);
    return d;
}

const std::array<std::string, 7>& byBandsTitles()
{
    static const std::array<std::string, 7> t = {"on 1 band", "on 2 band", "on 3 band", "on 4 band",
                                                 "on 5 band", "on all",    "Total callsigns"};
    return t;
}

const std::array<std::string, 7>& totalOnBandTitles()
{
    static const std::array<std::string, 7> t = {"on 160 m", "on 80 m", "on 40 m", "on 20 m",
                                                 "on 15 m",  "on 10 m", "total QSO"};
    return t;
}

int Mark_dupes(TKeoEGrid& log, int qsoCount)
{
    TKeoEGrid::BatchUpdate batch(log);
    std::unordered_set<std::string> keys;
    const int last = lastLogRow(log, qsoCount);
    keys.reserve(static_cast<size_t>(std::max(last, 0)));
    int dupes = 0;
    for (int r = 1; r <= last; ++r) {
        if (!keys.insert(dupeKey(log.Cell(lcCallsign, r), log.Cell(lcMode, r), log.Cell(lcKHz, r))).second) {
            log.SetCell(lcQSO, r, kDupeMark);
            ++dupes;
        }
    }
    return dupes;
}

void qso_proc(TKeoEGrid& log, int qsoCount, const BandDistribution& dist)
{
    std::unordered_map<std::string, int> bandsOfCall;
    for (int k = 0; k < DistributionColumns; ++k)
        for (const auto& item : dist.columns[static_cast<size_t>(k)])
            bandsOfCall.try_emplace(zem::upperAscii(item), k + 1);
    for (const auto& e : dist.tooManyBands) bandsOfCall.try_emplace(zem::upperAscii(e.item), e.bands);
    TKeoEGrid::BatchUpdate batch(log);
    const int last = lastLogRow(log, qsoCount);
    for (int r = 1; r <= last; ++r) {
        if (!log.Cell(lcQSO, r).empty()) continue;
        const auto it = bandsOfCall.find(zem::upperAscii(log.Cell(lcCallsign, r)));
        if (it != bandsOfCall.end()) log.SetCell(lcQSO, r, std::to_string(it->second));
    }
}

std::string tooManyBandsText(const BandDistribution& dist)
{
    const auto& many = dist.tooManyBands;
    if (many.empty()) return {};
    std::string t = "Worked on more than " + std::to_string(DistributionColumns) + " bands (" +
                    std::to_string(many.size()) + "), counted in \"" + byBandsTitles()[6] + "\":";
    // Five to a line: the lines stay whole in a message box, and the box
    // stays within the screen.
    const size_t named = std::min(many.size(), kManyBandsNamed);
    for (size_t i = 0; i < named; ++i) {
        t += i % 5 == 0 ? "\n" : ", ";
        t += many[i].item + " (" + std::to_string(many[i].bands) + ")";
    }
    if (named < many.size()) t += "\nand " + std::to_string(many.size() - named) + " more";
    return t;
}

std::string dupesText(int count) { return std::to_string(count) + " dupes"; }

void saveByBandsFiles(const BandDistribution& dist, const fs::path& logFolder)
{
    const auto& titles = byBandsTitles();
    const fs::path sub = logFolder / "Bands distribution";
    for (int k = 0; k < DistributionColumns; ++k) {
        const auto& c = dist.columns[static_cast<size_t>(k)];
        if (!c.empty()) zem::writeLines(listFile(sub, "Calls " + titles[static_cast<size_t>(k)], c.size()).string(), c);
    }
    if (!dist.columns[0].empty()) zem::writeLines(listFile(logFolder, titles[6], dist.all.size()).string(), dist.all);
}

void saveTotalOnBandFiles(const BandDistribution& dist, const fs::path& logFolder)
{
    static const std::array<std::string, DistributionColumns> bands = {"160", "80", "40", "20", "15", "10"};
    const fs::path sub = logFolder / "Bands distribution";
    for (int k = 0; k < DistributionColumns; ++k) {
        const auto& c = dist.columns[static_cast<size_t>(k)];
        if (!c.empty()) zem::writeLines(listFile(sub, "Calls " + bands[static_cast<size_t>(k)] + "m", c.size()).string(), c);
    }
}

AddInfoRows additionalInfo(const std::array<std::vector<std::string>, DistributionColumns>& columns, int total,
                           int qsoCount, const std::function<bool(const std::string&)>& notFoundInMaster)
{
    AddInfoRows r;
    std::array<int, DistributionColumns> s{};
    for (int k = 0; k < DistributionColumns; ++k) s[static_cast<size_t>(k)] = static_cast<int>(columns[static_cast<size_t>(k)].size());
    const int s1 = s[0];
    int notFoundMulti = 0;
    for (int k = 0; k < DistributionColumns; ++k) {
        const auto i = static_cast<size_t>(k);
        int nf = 0;
        for (const auto& item : columns[i])
            if (notFoundInMaster && notFoundInMaster(item)) ++nf;
        if (k > 0) notFoundMulti += nf;
        r.notFound[i] = {nf, s[i]};
        r.qso[i] = {(k + 1) * s[i], qsoCount};
        r.stations[i] = {s[i], total};
    }
    r.notFound[6] = r.notFound[0];
    r.notFound[7] = {notFoundMulti, total - s1};
    r.qso[6] = {s1, qsoCount};
    r.qso[7] = {qsoCount - s1, qsoCount};
    r.stations[6] = {s1, total};
    r.stations[7] = {total - s1, total};
    return r;
}
