// Builds master.dta from a text list of callsigns, one a line; "#" lines are
// comments. The calls are sorted without regard to letter case and kept once,
// as the master editor's list would hold them.
//
//   make_master <calls.txt> <master.dta>

#include "main/text_util.h"
#include "refdata/master_call_db.h"

#include <algorithm>
#include <exception>
#include <iostream>

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::cerr << "usage: make_master <calls.txt> <master.dta>\n";
        return 2;
    }
    try {
        std::vector<std::string> calls;
        for (const auto& line : zem::readLines(argv[1])) {
            if (zem::startsWith(line, "#")) continue;
            std::string call = zem::upperAscii(zem::trim(line));
            if (!call.empty()) calls.push_back(std::move(call));
        }
        std::sort(calls.begin(), calls.end());
        calls.erase(std::unique(calls.begin(), calls.end()), calls.end());
        Cteate_master(calls, argv[2]);
        std::cout << "make_master: " << calls.size() << " callsigns written to " << argv[2] << "\n";
    } catch (const std::exception& e) {
        std::cerr << "make_master: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
