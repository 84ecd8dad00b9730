// Settings file: read it as the program does at start, read every value
// raw, then write it back as the program does at close.

#include "fuzz_util.h"

#include "main/ini_file.h"
#include "main/settings.h"

#include <exception>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string path = fuzz::writeInput("zem.ini", data, size);
    try {
        TIniFile ini(path);
        for (const auto& section : ini.ReadSections())
            for (const auto& key : ini.ReadSection(section)) {
                ini.ReadString(section, key, "");
                ini.ReadInteger(section, key, 0);
                ini.ReadBool(section, key, false);
            }
        const TSettings settings = readSettings(path);
        writeSettings(path, settings);
        readSettings(path);
    } catch (const std::exception&) {
    }
    return 0;
}
