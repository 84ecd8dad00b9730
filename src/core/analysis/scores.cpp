#include "analysis/scores.h"

#include "analysis/analysis_pass.h"
#include "analysis/call_country.h"
#include "analysis/dupe_key.h"
#include "main/log_table.h"
#include "main/text_util.h"

#include <optional>
#include <stdexcept>
#include <unordered_set>

namespace {

constexpr int band40 = 3;

bool isLowBand(int band) { return band >= 1 && band <= band40; }

// A copy of the call's country: the lookup's result fields change with the
// next call looked up. Empty when the country file does not know the call
// or its record does not convert (the analysis pass reports that one).
std::optional<CountryRecord> countryCopy(TCty_search& cty, const std::string& call)
{
    try {
        if (const CountryRecord* rec = countryOfCall(cty, call)) return *rec;
    } catch (const std::invalid_argument&) {
    }
    return std::nullopt;
}

} // namespace

int scoreBandOfCell(const std::string& bandCell)
{
    const auto& names = BandNames();
    for (size_t b = 0; b < names.size(); ++b)
        if (bandCell == names[b]) return static_cast<int>(b) + 1;
    return -1;
}

bool sameCountry(const CountryRecord& a, const CountryRecord& b)
{
    if (a.CountryNum > 0 || b.CountryNum > 0) return a.CountryNum == b.CountryNum;
    return zem::iequals(a.Prefix, b.Prefix);
}

int cqwwQsoPoints(const CountryRecord& own, const CountryRecord& worked)
{
    if (sameCountry(own, worked)) return 0;
    if (own.Continent != worked.Continent) return 3;
    return own.Continent == "NA" ? 2 : 1;
}

int cqwpxQsoPoints(const CountryRecord& own, const CountryRecord& worked, int band)
{
    if (sameCountry(own, worked)) return 1;
    int pts = 3;
    if (own.Continent == worked.Continent) pts = own.Continent == "NA" ? 2 : 1;
    return isLowBand(band) ? 2 * pts : pts;
}

int ucgQsoPoints(const CountryRecord* reference, const CountryRecord& worked, int band)
{
    if (reference && sameCountry(*reference, worked)) return 1;
    const int pts = worked.Continent == "AS" ? 1 : 3;
    return band == band40 ? 2 * pts : pts;
}

long long writeQsoPoints(AppState& s, TCty_search& cty, TScoreContest contest)
{
    TKeoEGrid& log = s.log_grid;
    TKeoEGrid::BatchUpdate batch(log);
    const int lastRow = s.header.QsoCount > 0 ? log.RowCount() - 1 : 0;
    const std::vector<bool> dupe = dupeRows(log);

    std::optional<CountryRecord> reference;
    if (contest == TScoreContest::CQWW || contest == TScoreContest::CQWPX)
        reference = countryCopy(cty, s.header.OwnCall.empty() ? s.header.StationCall : s.header.OwnCall);
    else if (contest == TScoreContest::UCG)
        reference = countryCopy(cty, UcgReferenceCall);

    std::unordered_set<std::string> workedOnBand; // Cup of Ural: callsign + band
    long long total = 0;
    for (int r = 1; r <= lastRow; ++r) {
        const int band = scoreBandOfCell(log.Cell(lcBand, r));
        int pts = 0;
        if (band > 0 && !dupe[static_cast<size_t>(r)]) {
            const std::string& call = log.Cell(lcCallsign, r);
            if (contest == TScoreContest::CupOfUral) {
                pts = workedOnBand.insert(zem::upperAscii(call + log.Cell(lcBand, r))).second ? 11 : 1;
            } else if (const auto worked = countryCopy(cty, call)) {
                if (contest == TScoreContest::UCG)
                    pts = ucgQsoPoints(reference ? &*reference : nullptr, *worked, band);
                else if (reference)
                    pts = contest == TScoreContest::CQWW ? cqwwQsoPoints(*reference, *worked)
                                                         : cqwpxQsoPoints(*reference, *worked, band);
            }
        }
        log.SetCell(lcPts, r, std::to_string(pts));
        total += pts;
    }
    return total;
}

std::string scoreText(TScoreContest contest, const TKeoEGrid& summary, long long wpxCount, long long points)
{
    const std::string qsoPoints = std::to_string(points) + " QSO points";
    switch (contest) {
    case TScoreContest::CQWW: {
        auto total = [&](int col) {
            int v = 0;
            return zem::tryToInt(summary.Cell(col, SummaryTotalRow), v) ? static_cast<long long>(v) : 0LL;
        };
        const long long waz = total(scWAZ), dxcc = total(scDXCC);
        return std::to_string(waz) + " WAZ + " + std::to_string(dxcc) + " DXCC + " + qsoPoints + " = " +
               std::to_string((waz + dxcc) * points) + " total points";
    }
    case TScoreContest::CQWPX:
    case TScoreContest::UCG:
        return std::to_string(wpxCount) + " WPX * " + qsoPoints + " = " + std::to_string(wpxCount * points) +
               " total points";
    case TScoreContest::CupOfUral: break;
    }
    return qsoPoints;
}

std::string scoreMessage(const std::string& contestName, const std::string& scoreText)
{
    return contestName + ":\n" + scoreText;
}
