#include "main/file_associations.h"

#include "main/ini_file.h"
#include "main/text_util.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <set>
#include <sstream>
#include <stdexcept>
#include <system_error>
#include <vector>

extern char** environ;

namespace fs = std::filesystem;

namespace {

// Present in every file the program writes here; nothing without it is touched.
constexpr const char* kXmlMarker = "<!-- ZEM Log Analysis file association -->";
constexpr const char* kDesktopMarkerKey = "X-ZEM-File-Association";
constexpr const char* kDesktopSection = "Desktop Entry";

fs::path desktopFile(const fs::path& dataHome) { return dataHome / "applications" / "zem.desktop"; }
fs::path packagesDir(const fs::path& dataHome) { return dataHome / "mime" / "packages"; }

std::string checkedExt(const std::string& ext)
{
    if (ext.empty()) throw std::invalid_argument("Empty file extension");
    for (char c : ext)
        if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')))
            throw std::invalid_argument("'" + ext + "' is not a file extension");
    return zem::lowerAscii(ext);
}

fs::path packageFile(const fs::path& dataHome, const std::string& ext)
{
    return packagesDir(dataHome) / ("zem-" + checkedExt(ext) + ".xml");
}

bool readFile(const fs::path& p, std::string& out)
{
    try {
        out = zem::readFile(p.string());
        return true;
    } catch (const std::runtime_error&) {
        return false;
    }
}

bool isOwnPackage(const fs::path& p)
{
    std::string text;
    return readFile(p, text) && text.find(kXmlMarker) != std::string::npos;
}

bool isOwnDesktopFile(const fs::path& p)
{
    std::error_code ec;
    if (!fs::exists(p, ec)) return false;
    return TIniFile(p).ReadBool(kDesktopSection, kDesktopMarkerKey, false);
}

// Writes through a temporary file; returns false when the file already holds the text.
bool writeIfDifferent(const fs::path& p, const std::string& text)
{
    std::string old;
    if (readFile(p, old) && old == text) return false;
    std::error_code ec;
    fs::create_directories(p.parent_path(), ec);
    fs::path tmp = p;
    tmp += ".tmp";
    {
        std::ofstream out(tmp, std::ios::binary | std::ios::trunc);
        out.write(text.data(), static_cast<std::streamsize>(text.size()));
        out.flush();
        if (!out) {
            fs::remove(tmp, ec);
            throw std::runtime_error("Cannot write file " + p.string());
        }
    }
    fs::rename(tmp, p, ec);
    if (ec) {
        fs::remove(tmp, ec);
        throw std::runtime_error("Cannot write file " + p.string() + ": " + ec.message());
    }
    return true;
}

bool removeFile(const fs::path& p)
{
    std::error_code ec;
    bool removed = fs::remove(p, ec);
    if (ec) throw std::runtime_error("Cannot delete file " + p.string() + ": " + ec.message());
    return removed;
}

std::string xmlEscape(const std::string& s)
{
    std::string r;
    for (char c : s) {
        switch (c) {
        case '&': r += "&amp;"; break;
        case '<': r += "&lt;"; break;
        case '>': r += "&gt;"; break;
        case '"': r += "&quot;"; break;
        default: r += c;
        }
    }
    return r;
}

// One argument of an Exec line: quoted, with the characters that are special
// inside quotes escaped, "%" doubled, and then the backslashes of the whole
// value doubled as the desktop file's string values require.
std::string execArgument(const std::string& arg)
{
    std::string quoted = "\"";
    for (char c : arg) {
        if (c == '"' || c == '`' || c == '$' || c == '\\') quoted += '\\';
        if (c == '%') quoted += '%';
        quoted += c;
    }
    quoted += '"';
    std::string value;
    for (char c : quoted) {
        if (c == '\\') value += '\\';
        value += c;
    }
    return value;
}

std::string actionId(const std::string& verb)
{
    std::string id;
    for (char c : zem::lowerAscii(verb)) {
        if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'))
            id += c;
        else if (!id.empty() && id.back() != '-')
            id += '-';
    }
    while (!id.empty() && id.back() == '-') id.pop_back();
    return id.empty() ? "open" : id;
}

// The MIME types of the program's own package files, sorted.
std::vector<std::string> ownMimeTypes(const fs::path& dataHome)
{
    std::set<std::string> types;
    std::error_code ec;
    for (fs::directory_iterator it(packagesDir(dataHome), ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (!zem::startsWith(name, "zem-") || it->path().extension() != ".xml") continue;
        std::string text;
        if (!readFile(it->path(), text) || text.find(kXmlMarker) == std::string::npos) continue;
        const std::string open = "<mime-type type=\"";
        for (size_t p = text.find(open); p != std::string::npos; p = text.find(open, p + 1)) {
            size_t b = p + open.size();
            size_t e = text.find('"', b);
            if (e != std::string::npos) types.insert(text.substr(b, e - b));
        }
    }
    return {types.begin(), types.end()};
}

std::string joinTypes(const std::vector<std::string>& types)
{
    std::string r;
    for (const auto& t : types) r += t + ";";
    return r;
}

fs::path findTool(const char* name)
{
    const char* path = std::getenv("PATH");
    if (!path) return {};
    for (const auto& dir : zem::split(path, ':')) {
        if (dir.empty()) continue;
        fs::path p = fs::path(dir) / name;
        if (::access(p.c_str(), X_OK) == 0) return p;
    }
    return {};
}

// The caches only speed the desktop up; a missing tool or a failure is no error.
void runQuietly(const fs::path& tool, const fs::path& arg)
{
    if (tool.empty()) return;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    std::string toolText = tool.string(), argText = arg.string();
    char* argv[] = {toolText.data(), argText.data(), nullptr};
    pid_t pid = 0;
    if (posix_spawn(&pid, toolText.c_str(), &actions, nullptr, argv, environ) == 0) {
        int status = 0;
        while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
        }
    }
    posix_spawn_file_actions_destroy(&actions);
}

void refreshDesktopCaches(const fs::path& dataHome)
{
    std::error_code ec;
    if (fs::is_directory(dataHome / "mime", ec)) runQuietly(findTool("update-mime-database"), dataHome / "mime");
    if (fs::is_directory(dataHome / "applications", ec))
        runQuietly(findTool("update-desktop-database"), dataHome / "applications");
}

} // namespace

fs::path userDataHome()
{
    const char* xdg = std::getenv("XDG_DATA_HOME");
    if (xdg && *xdg && fs::path(xdg).is_absolute()) return xdg;
    const char* home = std::getenv("HOME");
    return fs::path(home && *home ? home : ".") / ".local" / "share";
}

std::string zemMimeType(const std::string& typeName)
{
    std::string slug;
    for (char c : zem::lowerAscii(zem::trim(typeName))) {
        if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'))
            slug += c;
        else if (!slug.empty() && slug.back() != '-')
            slug += '-';
    }
    while (!slug.empty() && slug.back() == '-') slug.pop_back();
    return "application/x-zem-" + (slug.empty() ? std::string("file") : slug);
}

bool AddFileMenue(const std::string& ext, const std::string& verb, int /*iconIndex*/, const std::string& typeName,
                  const std::string& exePath, const fs::path& dataHome)
{
    const std::string lowExt = checkedExt(ext);
    const fs::path desktop = desktopFile(dataHome);
    std::error_code ec;
    const bool desktopExists = fs::exists(desktop, ec);
    if (desktopExists && !isOwnDesktopFile(desktop))
        throw std::runtime_error(desktop.string() + " belongs to another program");
    const fs::path package = packageFile(dataHome, lowExt);
    if (fs::exists(package, ec) && !isOwnPackage(package))
        throw std::runtime_error(package.string() + " belongs to another program");

    // The weight lifts the type above the desktop's own globs for the same
    // extension (*.cbr is a comic book archive there, *.log a plain log).
    std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    xml += std::string(kXmlMarker) + "\n";
    xml += "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n";
    xml += "  <mime-type type=\"" + xmlEscape(zemMimeType(typeName)) + "\">\n";
    xml += "    <comment>" + xmlEscape("ZEM Log Analysis " + typeName + " file") + "</comment>\n";
    xml += "    <glob pattern=\"*." + lowExt + "\" weight=\"80\"/>\n";
    xml += "  </mime-type>\n";
    xml += "</mime-info>\n";
    bool changed = writeIfDifferent(package, xml);

    // Every verb the entry already offers stays; the new one is added.
    std::vector<std::string> verbs;
    if (desktopExists) {
        TIniFile old(desktop);
        for (const auto& section : old.ReadSections())
            if (zem::startsWith(section, "Desktop Action ")) {
                std::string name = old.ReadString(section, "Name", "");
                if (!name.empty()) verbs.push_back(name);
            }
    }
    if (std::find(verbs.begin(), verbs.end(), verb) == verbs.end()) verbs.push_back(verb);

    const std::string exec = execArgument(exePath) + " %f";
    std::string entry = "[Desktop Entry]\n";
    entry += "Type=Application\n";
    entry += "Name=ZEM Log Analysis\n";
    entry += "Exec=" + exec + "\n";
    entry += "Terminal=false\n";
    entry += "NoDisplay=true\n";
    entry += "MimeType=" + joinTypes(ownMimeTypes(dataHome)) + "\n";
    entry += "Actions=";
    for (const auto& v : verbs) entry += actionId(v) + ";";
    entry += "\n";
    entry += std::string(kDesktopMarkerKey) + "=1\n";
    for (const auto& v : verbs) {
        entry += "\n[Desktop Action " + actionId(v) + "]\n";
        entry += "Name=" + v + "\n";
        entry += "Exec=" + exec + "\n";
    }
    changed = writeIfDifferent(desktop, entry) || changed;

    if (changed) refreshDesktopCaches(dataHome);
    return changed;
}

bool DeleteFileMenue(const std::string& ext, const std::string& /*verb*/, const fs::path& dataHome)
{
    const fs::path package = packageFile(dataHome, ext);
    bool changed = false;
    if (isOwnPackage(package)) changed = removeFile(package);

    // The entry serves every extension: it keeps its action while it opens
    // any type, and goes with the last one.
    const fs::path desktop = desktopFile(dataHome);
    if (isOwnDesktopFile(desktop)) {
        const auto types = ownMimeTypes(dataHome);
        if (types.empty()) {
            changed = removeFile(desktop) || changed;
        } else {
            TIniFile entry(desktop);
            entry.WriteString(kDesktopSection, "MimeType", joinTypes(types));
            changed = writeIfDifferent(desktop, entry.Text()) || changed;
        }
    }

    if (changed) refreshDesktopCaches(dataHome);
    return changed;
}
