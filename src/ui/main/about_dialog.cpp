#include "main/about_dialog.h"

#include "main/platform.h"
#include "refdata/master_messages.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QUrl>
#include <QVBoxLayout>

namespace {

const char* const kProduct = "ZEM Log Analysis";
const char* const kVersion = "v1.21b (19 February 2007)";

// A blue underlined text with the hand cursor; a click opens its address.
QLabel* linkLabel(const QString& text, const QString& address, QWidget* parent)
{
    auto* l = new QLabel(QString("<a href=\"%1\" style=\"color:blue; text-decoration:underline\">%2</a>")
                             .arg(address.toHtmlEscaped(), text.toHtmlEscaped()),
                         parent);
    l->setTextInteractionFlags(Qt::LinksAccessibleByMouse);
    l->setCursor(Qt::PointingHandCursor);
    l->setToolTip(address);
    QObject::connect(l, &QLabel::linkActivated, l, [](const QString& url) { shellOpen(url); });
    return l;
}

} // namespace

QList<TForm1::Link> TForm1::links()
{
    // The program has no web page or mail address of its own to offer.
    return {
        {"Master.dta :", "Download Master.dta", zem::kMasterDownloadPage},
        {"Claimed scores :", "3830 Score Web Page ", "https://www.3830scores.com/"},
        {"Cty.dat :", "Download Cty.dat", "https://www.country-files.com/"},
    };
}

TForm1::TForm1(QWidget* parent) : QDialog(parent)
{
    setObjectName("Form1");
    setWindowTitle("ZEM");
    auto* v = new QVBoxLayout(this);

    auto* top = new QHBoxLayout;
    auto* image = new QLabel(this);
    image->setPixmap(style()->standardIcon(QStyle::SP_ComputerIcon).pixmap(48, 48));
    top->addWidget(image);
    // The band in the colour of an active title bar.
    auto* band = new QFrame(this);
    band->setAutoFillBackground(true);
    QPalette pal = band->palette();
    pal.setColor(QPalette::Window, palette().color(QPalette::Active, QPalette::Highlight));
    pal.setColor(QPalette::WindowText, palette().color(QPalette::Active, QPalette::HighlightedText));
    band->setPalette(pal);
    auto* bandLayout = new QVBoxLayout(band);
    auto* product = new QLabel(kProduct, band);
    QFont big = product->font();
    big.setPointSize(big.pointSize() + 6);
    big.setBold(true);
    product->setFont(big);
    bandLayout->addWidget(product);
    Version = new QLabel(band);
    Version->setObjectName("Version");
    bandLayout->addWidget(Version);
    top->addWidget(band, 1);
    v->addLayout(top);

    auto* credits = new QFrame(this);
    credits->setFrameShape(QFrame::StyledPanel);
    auto* c = new QHBoxLayout(credits);
    c->addWidget(new QLabel("Master callsign file format of Super Check Partial:", credits));
    c->addWidget(linkLabel("supercheckpartial.com", zem::kMasterDownloadPage, credits));
    c->addStretch();
    v->addWidget(credits);

    auto* panel = new QFrame(this);
    panel->setFrameShape(QFrame::StyledPanel);
    auto* g = new QGridLayout(panel);
    int row = 0;
    for (const Link& l : links()) {
        g->addWidget(new QLabel(l.caption, panel), row, 0);
        g->addWidget(linkLabel(l.text, l.address, panel), row, 1);
        ++row;
    }
    v->addWidget(panel);

    auto* ok = new QPushButton("OK", this);
    ok->setObjectName("OKButton");
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    v->addWidget(ok, 0, Qt::AlignHCenter);
    FormCreate();
}

void TForm1::FormCreate() { Version->setText(kVersion); }
