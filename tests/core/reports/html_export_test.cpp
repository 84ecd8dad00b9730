#include "reports/html_export.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {

TKeoEGrid threeRows()
{
    TKeoEGrid g(3, 4, 1, 1);
    g.SetHeader({"Band", "QSO", "Note"});
    g.WriteRow(1, {"160", "12", "a<b & c"});
    g.WriteRow(2, {"80", "", "x"});
    g.WriteRow(3, {"40", "7", "<i>y</i>"});
    return g;
}

LogHeader header()
{
    LogHeader h;
    h.LogTitle = "RDXC RZ9ZEM 2024";
    h.QsoCount = 412;
    return h;
}

std::tm saturday()
{
    std::tm t{};
    t.tm_year = 2024 - 1900;
    t.tm_mon = 2;
    t.tm_mday = 16;
    t.tm_wday = 6;
    t.tm_hour = 9;
    t.tm_min = 5;
    return t;
}

std::string readFile(const fs::path& p)
{
    std::ifstream in(p, std::ios::binary);
    std::ostringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

} // namespace

TEST(HtmlExport, PageText)
{
    const std::string expected =
        "<HTML><HEAD><TITLE>RDXC RZ9ZEM 2024 - Band table</TITLE></HEAD>\n"
        "<SCRIPT>function FR(_node, _color){_node.onmouseover=function(){}\n"
        "list = _node.rows;for (var i = 1; i < list.length; i++) {\n"
        "list[i].onmouseover=function(){this.style[\"backgroundColor\"]= _color;}\n"
        "list[i].onmouseout=function(){this.style[\"backgroundColor\"]=\"\";}}}</SCRIPT>\n"
        "<style>BODY {FONT-FAMILY: arial; FONT-SIZE: 8pt; TEXT-ALIGN: justify}\n"
        "TABLE {COLOR: #000000; FONT-FAMILY: Arial, Verdana, Helvetica, sans-serif; FONT-SIZE: 12px}\n"
        "i {color:blue}</style>\n"
        "<body><h3><i>RDXC RZ9ZEM 2024</i></h3>\n"
        "<h3><b>Band table</b></h3>\n"
        "Total QSO :412\n"
        "<TABLE onmouseover=\"FR(this, '#AAA');\" cellpadding=2 cellspacing=0 width=90% borderColorDark=#ffffff "
        "borderColorLight=ffffff border=1>\n"
        "<tr bgcolor=blue>\n"
        "<td align=center height=25><font color=white><strong>Band</strong></font></td>\n"
        "<td align=center height=25><font color=white><strong>QSO</strong></font></td>\n"
        "<td align=center height=25><font color=white><strong>Note</strong></font></td>\n"
        "</tr>\n"
        "<tr bgcolor=DDDDDD>\n"
        "<td bgcolor=bbbbbb align=right><font color=black><strong>160</strong></font></td>\n"
        "<td>12</td>\n"
        "<td>a<b & c</td>\n"
        "</tr>\n"
        "<tr bgcolor=>\n"
        "<td bgcolor=bbbbbb align=right><font color=black><strong>80</strong></font></td>\n"
        "<td></td>\n"
        "<td>x</td>\n"
        "</tr>\n"
        "<tr bgcolor=DDDDDD>\n"
        "<td bgcolor=bbbbbb align=right><font color=black><strong>40</strong></font></td>\n"
        "<td>7</td>\n"
        "<td><i>y</i></td>\n"
        "</tr>\n"
        "</TABLE>\n"
        "<br> Saturday, March 16, 2024,  09:05 \n"
        "</body></HTML>\n";
    EXPECT_EQ(gridHtmlPage(threeRows(), "Band table", header(), false, saturday()), expected);

    const std::string summary = gridHtmlPage(threeRows(), "Summary", header(), true, saturday());
    EXPECT_NE(summary.find("</TABLE>\n<br><br><IMG alt=\"Summary\" src=\"Summary.jpg\" border=1 width=90%>\n<br> "),
              std::string::npos);
}

TEST(HtmlExport, WritesIntoTheFolderOnlyWhenThereAreRows)
{
    const fs::path dir = fs::temp_directory_path() / ("zem_html_" + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);

    grid_to_html(threeRows(), "Rates for periods", dir.string(), header());
    const std::string page = readFile(dir / "Rates for periods.htm");
    EXPECT_EQ(page.rfind("<HTML><HEAD><TITLE>RDXC RZ9ZEM 2024 - Rates for periods</TITLE></HEAD>\n", 0), 0u);
    EXPECT_NE(page.find("<td>a<b & c</td>\n"), std::string::npos);
    EXPECT_EQ(page.find("Summary.jpg"), std::string::npos);

    // A grid with its title row only leaves an existing page as it was.
    TKeoEGrid empty(3, 1, 1, 1);
    empty.SetHeader({"Band", "QSO", "Note"});
    std::ofstream(dir / "Errors in Time.htm") << "old";
    grid_to_html(empty, "Errors in Time", dir.string(), header());
    grid_to_html(empty, "WPX", dir.string(), header());
    EXPECT_EQ(readFile(dir / "Errors in Time.htm"), "old");
    EXPECT_FALSE(fs::exists(dir / "WPX.htm"));

    // Exporting again replaces the page.
    auto two = threeRows();
    two.SetRowCount(2);
    grid_to_html(two, "Rates for periods", dir.string(), header());
    EXPECT_EQ(readFile(dir / "Rates for periods.htm").find("<td>7</td>"), std::string::npos);

    EXPECT_THROW(grid_to_html(two, "x", (dir / "no such folder").string(), header()), std::runtime_error);
    fs::remove_all(dir);
}
