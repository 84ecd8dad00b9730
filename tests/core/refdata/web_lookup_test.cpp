#include "refdata/web_lookup.h"

#include <gtest/gtest.h>

TEST(WebLookup, AddressesCarryTheEncodedCall)
{
    struct Case {
        TWebLookup site;
        const char* url;
    } cases[] = {
        {TWebLookup::Google, "https://www.google.com/search?hl=ru&ie=windows-1251&q=DL%2FUA3XXX&lr="},
        {TWebLookup::Yandex, "https://yandex.ru/search/?rpt=rad&text=DL%2FUA3XXX"},
        {TWebLookup::QrzRu, "https://www.qrz.ru/db/DL%2FUA3XXX"},
        {TWebLookup::ContestProfile, "https://www.qrzcq.com/call/DL%2FUA3XXX"},
        {TWebLookup::QrzCom, "https://www.qrz.com/db/DL%2FUA3XXX"},
        {TWebLookup::Arrl, "https://www.arrl.org/advanced-call-sign-search?callsign=DL%2FUA3XXX"},
    };
    for (const Case& c : cases) EXPECT_EQ(webLookupUrl(c.site, "DL/UA3XXX"), c.url);
}

TEST(WebLookup, PercentEncoding)
{
    EXPECT_EQ(percentEncode("ua3xxx"), "ua3xxx");
    EXPECT_EQ(percentEncode("A B&C=D?#%"), "A%20B%26C%3DD%3F%23%25");
    EXPECT_EQ(percentEncode("\xC4"), "%C4");
}
