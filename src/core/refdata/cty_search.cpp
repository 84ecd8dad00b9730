#include "refdata/cty_search.h"

#include "import/comma_text.h"

#include <algorithm>

#include "main/text_util.h"

namespace {

constexpr std::size_t MaxKeyLength = 14;
constexpr std::size_t MaxCallLength = 20;
constexpr std::size_t MaxCountryLength = 30;
constexpr std::size_t MaxPrefixLength = 10;
constexpr const char* kCtyDatMissing = "Can`t found cty.dat";

bool isUpperLetter(char c) { return c >= 'A' && c <= 'Z'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isBlank(char c) { return c == ' ' || c == '\t'; }

// Columns of a header line once its colons are gone (0-based start, length).
std::string column(const std::string& line, std::size_t start, std::size_t length)
{
    if (start >= line.size()) return {};
    return line.substr(start, length);
}

// Entries of an alias line: comma-text splitting at commas and blanks, quotes
// honoured; the empty entries that double commas leave are dropped.
std::vector<std::string> splitAliases(const std::string& line)
{
    auto out = zem::commaTextTokens(line, ',');
    out.erase(std::remove_if(out.begin(), out.end(), [](const std::string& e) { return e.empty(); }), out.end());
    return out;
}

// Cuts every override group out of an alias entry and returns the CQ "(..)"
// and ITU "[..]" texts it held. Groups are removed whole, from the opening to
// the closing mark, whatever their order or width; the position "<lat/lon>",
// continent "{..}" and offset "~..~" overrides of newer files are removed
// without use, so that they never end up inside a key.
void cutOverrides(std::string& entry, std::string& cq, std::string& itu)
{
    std::string key;
    std::size_t i = 0;
    while (i < entry.size()) {
        char open = entry[i];
        char close = 0;
        switch (open) {
        case '(': close = ')'; break;
        case '[': close = ']'; break;
        case '<': close = '>'; break;
        case '{': close = '}'; break;
        case '~': close = '~'; break;
        default: break;
        }
        if (close == 0) {
            key += entry[i++];
            continue;
        }
        std::size_t end = entry.find(close, i + 1);
        std::string inside = entry.substr(i + 1, end == std::string::npos ? std::string::npos : end - i - 1);
        if (open == '(') cq = inside.substr(0, 2);
        if (open == '[') itu = inside.substr(0, 2);
        i = end == std::string::npos ? entry.size() : end + 1;
    }
    entry = std::move(key);
}

std::string badIntegerMessage(const std::string& text)
{
    return "'" + text + "' is not a valid integer value";
}

std::string badFloatMessage(const std::string& text)
{
    return "'" + text + "' is not a valid floating point value";
}

} // namespace

std::string shownCountryName(std::string_view name) { return zem::trim(name); }

TCty_search::TCty_search(const std::filesystem::path& programFolder)
{
    LoadFiles(programFolder / "cty.dat", programFolder / "zem-cty.dat");
}

void TCty_search::LoadFiles(const std::filesystem::path& ctyDat, const std::filesystem::path& zemCtyDat)
{
    countries_.clear();
    Records.clear();
    Keys = KeySet{};
    OblastKeys = KeySet{};
    refinedCountries_.clear();
    FoundIndex = -1;
    result_ = CountryRecord{};
    countryCount_ = 0;

    std::vector<std::string> Prefixes;
    loadFile(ctyDat, true, Prefixes);
    loadFile(zemCtyDat, false, Prefixes);
}

void TCty_search::loadFile(const std::filesystem::path& file, bool isCtyDat,
                           std::vector<std::string>& Prefixes)
{
    std::vector<std::string> lines;
    try {
        lines = zem::readLines(file.string());
    } catch (const std::runtime_error&) {
        if (isCtyDat) throw CtyFileMissing(kCtyDatMissing);
        throw; // zem-cty.dat: the read error, naming the file
    }

    // Country numbers of zem-cty.dat come from the primary prefixes of cty.dat;
    // the first country with a prefix gives its number.
    std::unordered_map<std::string, int> numberOfPrefix;
    if (!isCtyDat) {
        for (std::size_t i = 0; i < Prefixes.size(); ++i)
            numberOfPrefix.emplace(zem::upperAscii(zem::trim(Prefixes[i])), static_cast<int>(i) + 1);
    }

    bool haveHeader = false;
    std::string headerCq;
    std::string headerItu;
    for (const std::string& raw : lines) {
        if (raw.empty() || raw[0] == ';') continue;
        // Comment lines of some editions of the file; taken for a header they
        // would shift the number of every following country.
        std::size_t firstText = raw.find_first_not_of(" \t");
        if (firstText == std::string::npos) continue;
        if (raw[firstText] == '#') continue;

        std::string line;
        line.reserve(raw.size());
        for (char c : raw)
            if (c != ';') line += c;
        if (line.empty()) continue;

        if (!isBlank(line[0])) {
            std::string header;
            header.reserve(line.size());
            for (char c : line)
                if (c != ':') header += c;

            Country country;
            country.name = zem::trim(column(header, 0, 25)) + " ";
            if (country.name.size() > MaxCountryLength) country.name.resize(MaxCountryLength);
            headerCq = zem::trim(column(header, 25, 2));
            headerItu = zem::trim(column(header, 29, 2));

            // The last five blank-separated fields of columns 34-73: continent,
            // latitude, longitude, time offset, primary prefix.
            std::vector<std::string> HeaderFields = zem::tokens(column(header, 33, 40));
            auto field = [&HeaderFields](std::size_t fromEnd) -> std::string {
                if (HeaderFields.size() < fromEnd) return {};
                return HeaderFields[HeaderFields.size() - fromEnd];
            };
            country.continent = field(5).substr(0, 2);
            const std::string lat = field(4);
            const std::string lon = field(3);
            const std::string offset = field(2);
            country.prefix = field(1).substr(0, MaxPrefixLength);
            if (!zem::tryToDouble(lat, country.latitude)) country.badNumber = badFloatMessage(lat);
            else if (!zem::tryToDouble(lon, country.longitude)) country.badNumber = badFloatMessage(lon);
            else if (!zem::tryToDouble(offset, country.timeOffset)) country.badNumber = badFloatMessage(offset);

            const std::string primary = column(header, 62, 10);
            if (isCtyDat) {
                ++countryCount_;
                country.countryNum = countryCount_;
                Prefixes.push_back(primary);
            } else {
                auto it = numberOfPrefix.find(zem::upperAscii(zem::trim(primary)));
                country.countryNum = it == numberOfPrefix.end() ? 0 : it->second;
                if (country.countryNum > 0 &&
                    std::find(refinedCountries_.begin(), refinedCountries_.end(), country.countryNum) ==
                        refinedCountries_.end())
                    refinedCountries_.push_back(country.countryNum);
            }
            countries_.push_back(std::move(country));
            haveHeader = true;
            continue;
        }

        // An alias line before any header has no country to belong to.
        if (!haveHeader) continue;
        std::vector<std::string> Aliases = splitAliases(line);
        for (std::string& entry : Aliases)
            addEntry(std::move(entry), isCtyDat, countries_.size() - 1, headerCq, headerItu);
    }
    // Something else under the name (a log, a page saved by a browser): every
    // call would go without a country.
    if (isCtyDat && countryCount_ == 0) throw CtyFileMissing(kCtyDatMissing);
}

void TCty_search::addEntry(std::string entry, bool isCtyDat, std::size_t country,
                           const std::string& headerCq, const std::string& headerItu)
{
    // cty.dat keys stay as the file writes them: its R prefixes belong to
    // several countries (RA2 is Kaliningrad, R1FJ Franz Josef Land).
    entry = zem::upperAscii(entry);
    if (entry.empty()) return;

    std::string cq = headerCq;
    std::string itu = headerItu;
    cutOverrides(entry, cq, itu);

    bool exact = false;
    if (!entry.empty() && entry[0] == '=') {
        exact = true;
        entry.erase(0, 1);
    }
    if (entry.empty()) return;
    if (!exact && entry.size() > MaxKeyLength) entry.resize(MaxKeyLength);

    Entry record;
    record.country = country;
    record.wholeCall = exact;
    if (!zem::tryToInt(cq, record.cq)) record.badZone = badIntegerMessage(cq);
    else if (!zem::tryToInt(itu, record.itu)) record.badZone = badIntegerMessage(itu);
    Records.push_back(std::move(record));

    // A later definition of a key replaces the earlier one, unless the
    // earlier one is of an entity marked "*" (one that counts in CQ and WAE
    // contests but is no DXCC entity, such as *4U1V or *GM/s) and the later
    // one is not: calls listed under both, in either order, are the "*"
    // entity's, as contest loggers count them.
    KeySet& keys = isCtyDat ? Keys : OblastKeys;
    KeyMap& map = exact ? keys.wholeCalls : keys.prefixes;
    auto [it, added] = map.try_emplace(std::move(entry), Records.size() - 1);
    if (!added && (isStarEntity(country) || !isStarEntity(Records[it->second].country)))
        it->second = Records.size() - 1;
}

bool TCty_search::isStarEntity(std::size_t country) const
{
    return !countries_[country].prefix.empty() && countries_[country].prefix[0] == '*';
}

long TCty_search::KeySet::find(std::string_view key, bool wholeText) const
{
    if (wholeText) {
        auto it = wholeCalls.find(key);
        if (it != wholeCalls.end()) return static_cast<long>(it->second);
    }
    auto it = prefixes.find(key);
    if (it != prefixes.end()) return static_cast<long>(it->second);
    return -1;
}

long TCty_search::KeySet::longestPrefix(std::string_view s) const
{
    for (std::size_t n = s.size(); n >= 1; --n) {
        const long hit = find(s.substr(0, n), n == s.size());
        if (hit >= 0) return hit;
    }
    return -1;
}

std::string TCty_search::CountryName(int countryNum) const
{
    // cty.dat is loaded first: its countries lead the list, in file order.
    if (countryNum < 1 || countryNum > countryCount_ || static_cast<std::size_t>(countryNum) > countries_.size())
        return {};
    return countries_[static_cast<std::size_t>(countryNum) - 1].name;
}

std::vector<int> TCty_search::ZoneNumbers(bool cq) const
{
    std::vector<int> zones;
    for (const KeyMap* map : {&Keys.prefixes, &Keys.wholeCalls, &OblastKeys.prefixes, &OblastKeys.wholeCalls})
        for (const auto& [key, record] : *map) {
            const Entry& e = Records[record];
            const int z = cq ? e.cq : e.itu;
            if (e.badZone.empty() && z > 0) zones.push_back(z);
        }
    std::sort(zones.begin(), zones.end());
    zones.erase(std::unique(zones.begin(), zones.end()), zones.end());
    return zones;
}

void TCty_search::fillResult(std::size_t record)
{
    const Entry& entry = Records[record];
    const Country& country = countries_[entry.country];
    // Nothing changes when a number of the record is bad: the caller counts
    // the call as a processing error and keeps the previous result.
    if (!country.badNumber.empty()) throw std::invalid_argument(country.badNumber);
    if (!entry.badZone.empty()) throw std::invalid_argument(entry.badZone);

    result_.Country = country.name;
    result_.Continent = country.continent;
    result_.CQ = std::to_string(entry.cq);
    result_.ITU = std::to_string(entry.itu);
    result_.Latitude = country.latitude;
    result_.Longitude = country.longitude;
    result_.TimeOffset = country.timeOffset;
    result_.Prefix = country.prefix;
    result_.CountryNum = country.countryNum;
    FoundIndex = static_cast<long>(record);
}

bool TCty_search::LookupCall(const std::string& call)
{
    const std::string upper = zem::upperAscii(call);
    if (upper.empty()) return false;

    std::string s = upper.substr(0, MaxCallLength);
    if (s.find('/') != std::string::npos) {
        s = portableForm(s, false);
        if (s.size() > MaxCallLength) s.resize(MaxCallLength);
    }

    long hit = Keys.find(upper, true);
    if (hit < 0) {
        std::string mapped = s;
        if (mapped.size() >= 2 && mapped[0] == 'U' && mapped[1] >= 'R' && mapped[1] <= 'Z')
            mapped = "UR5" + mapped.substr(std::min<std::size_t>(3, mapped.size()));
        // Guantanamo Bay is KG4 and two letters (KG4AB), or KG4 before a
        // home call (KG4/W1ABC); every other KG4 call, the 2x1 KG4W and the
        // 2x3 KG4ABC among them, is the USA.
        const bool guantanamo = (mapped.size() == 5 && isUpperLetter(mapped[3]) && isUpperLetter(mapped[4])) ||
                                (mapped.size() > 3 && mapped[3] == '/');
        if (mapped.size() >= 4 && mapped.compare(0, 3, "KG4") == 0 && !guantanamo) mapped[1] = 'A';
        hit = Keys.longestPrefix(mapped);
    }
    if (hit < 0) return false;

    const Entry& found = Records[static_cast<std::size_t>(hit)];
    const int countryNum = countries_[found.country].countryNum;
    if (!found.wholeCall &&
        std::find(refinedCountries_.begin(), refinedCountries_.end(), countryNum) != refinedCountries_.end()) {
        // The oblast keys are written in the UA form of the calls.
        std::string ua = s;
        if (ua.size() >= 2 && ua[0] == 'R' && isUpperLetter(ua[1])) ua = "UA" + ua.substr(2);
        else if (ua.size() >= 2 && ua[0] == 'R' && isDigit(ua[1])) ua = "UA" + ua.substr(1);
        const long oblast = OblastKeys.longestPrefix(ua);
        if (oblast >= 0) hit = oblast;
    }
    fillResult(static_cast<std::size_t>(hit));
    return true;
}

std::string TCty_search::NormalizePortable(const std::string& call) const { return portableForm(call, true); }

std::string TCty_search::portableForm(const std::string& call, bool completeWithZero)
{
    std::string w = call;
    if (w.find('/') == std::string::npos) return call;
    if (!w.empty() && w.back() == '/') w.pop_back();

    static const char* const suffixes[] = {"/A", "/M", "/P", "/AM", "/MM", "/QRP", "/QRPP"};
    for (const char* suffix : suffixes) {
        const std::size_t len = std::char_traits<char>::length(suffix);
        const std::size_t pos = w.find(suffix);
        if (pos != std::string::npos && pos + len == w.size()) w.erase(pos);
    }
    const std::size_t slash = w.find('/');
    if (slash == std::string::npos) return w;

    std::string left = w.substr(0, slash).substr(0, MaxKeyLength);
    std::string right = w.substr(slash + 1).substr(0, MaxKeyLength);

    if (right.size() == 1 && isDigit(right[0])) {
        for (std::size_t i = 1; i < left.size(); ++i) {
            if (isDigit(left[i])) {
                left[i] = right[0];
                return left;
            }
        }
        return w;
    }

    // An empty side counts as one that does not end in a digit. The "0" makes
    // the prefix a WPX prefix; the country comes from the prefix as written
    // (OH/DL2VFR is Finland, OH0/DL2VFR Aland Islands).
    const char* const zero = completeWithZero ? "0" : "";
    if (left.empty() || !isDigit(left.back())) w = left + zero + "/" + right;
    if (left.size() > right.size()) {
        if (right.empty() || !isDigit(right.back())) right += zero;
        w = right + "/" + left;
    }
    return w;
}

std::string TCty_search::WpxPrefix(const std::string& call) const
{
    if (call.size() >= 3 && isUpperLetter(call[0]) && isUpperLetter(call[1]) && call[2] == '/')
        return call.substr(0, 2) + "0";
    // 1-based positions 2 to 20 of the call; the character after the last one
    // is no letter or "/".
    const std::size_t last = std::min(call.size(), MaxCallLength);
    for (std::size_t i = 2; i <= last; ++i) {
        if (!isDigit(call[i - 1])) continue;
        if (i >= call.size()) break;
        const char next = call[i];
        if (next == '/' || isUpperLetter(next)) return call.substr(0, i);
    }
    return {};
}
