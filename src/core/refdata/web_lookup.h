#pragma once
// Web addresses of the callsign lookups opened in the browser.

#include <string>
#include <string_view>

enum class TWebLookup { Google, Yandex, QrzRu, ContestProfile, QrzCom, Arrl };

// The address that looks call up on the site; the callsign is
// percent-encoded, so that "DL/UA3XXX" stays one value of the query.
std::string webLookupUrl(TWebLookup site, std::string_view call);

// Percent-encoding of a URL component: letters, digits and "-._~" stay,
// every other byte becomes %XX.
std::string percentEncode(std::string_view text);
