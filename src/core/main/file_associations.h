#pragma once
// Registers the program as the opener of its log files, the freedesktop way,
// in the user's data folder:
//   applications/zem.desktop          the program, its "Open with ZEM" action
//                                      and the MIME types it opens
//   mime/packages/zem-<ext>.xml        one MIME type definition per extension
// Every file carries a marker; removal touches only files that carry it.

#include <filesystem>
#include <string>

// $XDG_DATA_HOME when set (and absolute), else ~/.local/share.
std::filesystem::path userDataHome();

// The program's MIME type for a type name: "Cabrillo" gives
// "application/x-zem-cabrillo", "TR Log" "application/x-zem-tr-log".
std::string zemMimeType(const std::string& typeName);

// Makes files ending in "." + ext (any case) of type typeName open with the
// program exePath, offered as the action verb. The icon index names one of
// the program's own icons, which it does not install on this platform, so it
// is not written. Returns whether anything on disk changed; after a change the
// desktop's MIME and application caches are refreshed when their tools are
// installed. Throws std::runtime_error when a file cannot be written or
// zem.desktop belongs to another program, std::invalid_argument for an
// extension that is not letters and digits.
bool AddFileMenue(const std::string& ext, const std::string& verb, int iconIndex, const std::string& typeName,
                  const std::string& exePath, const std::filesystem::path& dataHome);

// Undoes AddFileMenue for one extension: removes the extension's MIME type
// file when the program wrote it, and the program's desktop entry once it
// opens no type any more. Writes nothing when there is nothing of the
// program's to remove. Returns whether anything on disk changed.
bool DeleteFileMenue(const std::string& ext, const std::string& verb, const std::filesystem::path& dataHome);
