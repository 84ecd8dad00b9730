// Index file: read what the input holds as an observatory's file and mark a
// small log that runs over several days, out of order, with odd times.

#include "fuzz_util.h"

#include "main/log_table.h"
#include "refdata/ka_index.h"

#include <cstdlib>
#include <exception>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::writeInput("Moscow_ak.txt", data, size);
    static const char* const qsos[][2] = {{"2024-03-16", "2359"}, {"2024-03-17", "0000"}, {"2024-03-20", "1230"},
                                          {"2024-03-16", "0130"}, {"", ""},                 {"2024-03-18", "9"},
                                          {"2024-03-19", "2400"}, {"0000-00-00", "ab00"}};
    TKeoEGrid log;
    initLogGrid(log);
    log.SetRowCount(static_cast<int>(std::size(qsos)) + 1);
    for (std::size_t i = 0; i < std::size(qsos); ++i) {
        log.SetCell(lcDate, static_cast<int>(i) + 1, qsos[i][0]);
        log.SetCell(lcTime, static_cast<int>(i) + 1, qsos[i][1]);
    }
    KIndexTable table;
    const auto r = KA_indexs(log, static_cast<int>(std::size(qsos)) + 5, fuzz::scratchFolder(), "Moscow", &table);
    for (int row = 1; row < log.RowCount(); ++row) {
        const std::string& k = log.Cell(lcK, row);
        if (k.empty()) continue;
        if (k.find_first_not_of("0123456789") != std::string::npos || std::atoi(k.c_str()) > 9) std::abort();
    }
    if (r.QsosMarked < 0) std::abort();
    return 0;
}
