// Master editor: a text file of callsigns gathered into the editor's list,
// written as a master file and read back; every call with a pair of
// alphabet characters side by side must come back.

#include "fuzz_util.h"

#include "refdata/master_call_db.h"
#include "refdata/master_editor.h"

#include <cstdlib>
#include <exception>
#include <set>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string path = fuzz::writeInput("calls.txt", data, size);
    MasterCallList list;
    try {
        list.AddAll(readCallTextFile(path));
    } catch (const std::exception&) {
        return 0;
    }
    const std::string dta = (fuzz::scratchFolder() / "mine.dta").string();
    const int leftOut = Cteate_master(list.Calls(), dta);
    TMasterCallDB m;
    m.LoadFromFile(dta);
    const auto back = m.AllCalls();
    const std::set<std::string> got(back.begin(), back.end());
    auto indexable = [](const std::string& c) {
        auto known = [](char ch) { return (ch >= 'A' && ch <= 'Z') || (ch >= '0' && ch <= '9') || ch == '/'; };
        for (std::size_t i = 0; i + 1 < c.size(); ++i)
            if (known(c[i]) && known(c[i + 1])) return true;
        return false;
    };
    int missing = 0;
    for (const auto& c : list.Calls())
        if (indexable(c) && !got.count(c)) ++missing;
    if (missing > leftOut || back.size() > list.Calls().size()) std::abort();
    return 0;
}
