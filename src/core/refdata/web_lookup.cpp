#include "refdata/web_lookup.h"

namespace {

bool unreserved(unsigned char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '.' ||
           c == '_' || c == '~';
}

} // namespace

std::string percentEncode(std::string_view text)
{
    static const char hex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(text.size());
    for (char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        if (unreserved(c)) {
            out += ch;
        } else {
            out += '%';
            out += hex[c >> 4];
            out += hex[c & 0x0F];
        }
    }
    return out;
}

std::string webLookupUrl(TWebLookup site, std::string_view call)
{
    const std::string c = percentEncode(call);
    switch (site) {
    case TWebLookup::Google: return "https://www.google.com/search?hl=ru&ie=windows-1251&q=" + c + "&lr=";
    case TWebLookup::Yandex: return "https://yandex.ru/search/?rpt=rad&text=" + c;
    case TWebLookup::QrzRu: return "https://www.qrz.ru/db/" + c;
    case TWebLookup::ContestProfile: return "https://www.qrzcq.com/call/" + c;
    case TWebLookup::QrzCom: return "https://www.qrz.com/db/" + c;
    case TWebLookup::Arrl: return "https://www.arrl.org/advanced-call-sign-search?callsign=" + c;
    }
    return {};
}
