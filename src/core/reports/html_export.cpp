#include "reports/html_export.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <stdexcept>

std::string htmlTimestamp(const std::tm& now)
{
    char weekday[64] = {}, month[64] = {};
    std::strftime(weekday, sizeof weekday, "%A", &now);
    std::strftime(month, sizeof month, "%B", &now);
    char buf[256];
    std::snprintf(buf, sizeof buf, " %s, %s %d, %d,  %02d:%02d ", weekday, month, now.tm_mday, now.tm_year + 1900,
                  now.tm_hour, now.tm_min);
    return buf;
}

std::string gridHtmlPage(const TKeoEGrid& grid, const std::string& name, const LogHeader& header,
                         bool summaryImage, const std::tm& now)
{
    std::string p;
    p.reserve(static_cast<size_t>(grid.RowCount()) * static_cast<size_t>(grid.ColCount()) * 16 + 1024);
    auto line = [&p](const std::string& text) {
        p += text;
        p += '\n';
    };
    line("<HTML><HEAD><TITLE>" + header.LogTitle + " - " + name + "</TITLE></HEAD>");
    line("<SCRIPT>function FR(_node, _color){_node.onmouseover=function(){}");
    line("list = _node.rows;for (var i = 1; i < list.length; i++) {");
    line("list[i].onmouseover=function(){this.style[\"backgroundColor\"]= _color;}");
    line("list[i].onmouseout=function(){this.style[\"backgroundColor\"]=\"\";}}}</SCRIPT>");
    line("<style>BODY {FONT-FAMILY: arial; FONT-SIZE: 8pt; TEXT-ALIGN: justify}");
    line("TABLE {COLOR: #000000; FONT-FAMILY: Arial, Verdana, Helvetica, sans-serif; FONT-SIZE: 12px}");
    line("i {color:blue}</style>");
    line("<body><h3><i>" + header.LogTitle + "</i></h3>");
    line("<h3><b>" + name + "</b></h3>");
    line("Total QSO :" + std::to_string(header.QsoCount));
    line("<TABLE onmouseover=\"FR(this, '#AAA');\" cellpadding=2 cellspacing=0 width=90% "
         "borderColorDark=#ffffff borderColorLight=ffffff border=1>");
    line("<tr bgcolor=blue>");
    for (int c = 0; c < grid.ColCount(); ++c)
        line("<td align=center height=25><font color=white><strong>" + grid.Cell(c, 0) + "</strong></font></td>");
    line("</tr>");
    for (int r = 1; r < grid.RowCount(); ++r) {
        line(std::string("<tr bgcolor=") + (r % 2 == 1 ? "DDDDDD" : "") + ">");
        line("<td bgcolor=bbbbbb align=right><font color=black><strong>" + grid.Cell(0, r) +
             "</strong></font></td>");
        for (int c = 1; c < grid.ColCount(); ++c) line("<td>" + grid.Cell(c, r) + "</td>");
        line("</tr>");
    }
    line("</TABLE>");
    if (summaryImage) line("<br><br><IMG alt=\"Summary\" src=\"Summary.jpg\" border=1 width=90%>");
    line("<br>" + htmlTimestamp(now));
    line("</body></HTML>");
    return p;
}

void grid_to_html(const TKeoEGrid& grid, const std::string& name, const std::string& folder,
                  const LogHeader& header, bool summaryImage)
{
    if (grid.RowCount() <= 1) return;
    const std::time_t t = std::time(nullptr);
    std::tm now{};
    localtime_r(&t, &now);
    const std::string page = gridHtmlPage(grid, name, header, summaryImage, now);

    const auto file = std::filesystem::path(folder) / (name + ".htm");
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    if (!out) throw std::runtime_error("Cannot create file \"" + file.string() + "\"");
    out.write(page.data(), static_cast<std::streamsize>(page.size()));
    out.close();
    if (!out) throw std::runtime_error("Cannot write file \"" + file.string() + "\"");
}
