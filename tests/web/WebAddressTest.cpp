// Addresses in the browser engine's form: hosts written in any of the ways the engine accepts come out as
// it writes them, and two hosts the engine tells apart never come out the same.

#include <gtest/gtest.h>

#include <map>

#include "platform/web/WebAddress.h"

namespace {

using namespace vcl::webaddress;
using vcl::String;

String Host(const String& Written) {
    String problem;
    const String host = CanonicalHost(Written, problem);
    EXPECT_EQ(host.empty(), !problem.empty()) << Written;
    return host;
}

TEST(WebAddress, AnIPv4AddressInAnyOfItsOldFormsIsFourDecimalNumbers) {
    const std::map<String, String> forms = {{"127.1", "127.0.0.1"},           {"127.0.1", "127.0.0.1"},
                                            {"2130706433", "127.0.0.1"},      {"0x7f.1", "127.0.0.1"},
                                            {"0X7F.0.0.1", "127.0.0.1"},      {"0177.0.0.01", "127.0.0.1"},
                                            {"127.0.0.1.", "127.0.0.1"},      {"0x", "0.0.0.0"},
                                            {"1.16777215", "1.255.255.255"},  {"%31%32%37.1", "127.0.0.1"},
                                            {"4294967295", "255.255.255.255"}};
    for (const auto& [written, engine] : forms)
        EXPECT_EQ(Host(written), engine) << written;
    // A name whose last label is a number is an address, and these are none the engine can read.
    for (const char* unreadable :
         {"1.2.3.4.5", "256.1", "1.16777216", "4294967296", "09", "foo.1", "1..2", "0x100000000"})
        EXPECT_EQ(Host(unreadable), "") << unreadable;
    for (const char* name : {"1.2.3.4x", "1.2.3.0xg"})
        EXPECT_EQ(Host(name), name) << "the last label is no number: a name";
}

TEST(WebAddress, ALastLabelBeginningWithANumberBeyond32BitsIsRefused) {
    // The engine cannot load these: the "0x" or "0" where the number passes 32 bits begins another number.
    for (const char* unloadable : {"5000000000x", "0x100000000x", "040000000000x", "5000000000x1",
                                   "1.5000000000x", "5000000000X.", "0x1000000000a"})
        EXPECT_EQ(Host(unloadable), "") << unloadable;
    for (const char* name : {"500000000x", "4294967295x", "1x5000000000x", "a5000000000x", "5000000000x.com"})
        EXPECT_EQ(Host(name), name) << "no number beyond 32 bits begins the last label";
}

TEST(WebAddress, AnIPv6AddressIsCompressedInLowerCase) {
    EXPECT_EQ(Host("[0:0:0:0:0:0:0:1]"), "[::1]");
    EXPECT_EQ(Host("[::FFFF:127.0.0.1]"), "[::ffff:7f00:1]");
    EXPECT_EQ(Host("[2001:DB8:0:0:1:0:0:1]"), "[2001:db8::1:0:0:1]") << "the first of two equal runs";
    EXPECT_EQ(Host("[2001:db8:0:1:1:1:1:1]"), "[2001:db8:0:1:1:1:1:1]") << "one zero piece stays";
    EXPECT_EQ(Host("[::]"), "[::]");
    for (const char* unreadable : {"[]", "[::1%25lo]", "[1:2:3:4:5:6:7:8:9]", "[12345::]", "[::1"})
        EXPECT_EQ(Host(unreadable), "") << unreadable;
}

TEST(WebAddress, NamesAreLowerCaseAndNamesInOtherScriptsTheirAsciiForm) {
    EXPECT_EQ(Host("LocalHost"), "localhost");
    EXPECT_EQ(Host("localhost."), "localhost.") << "one final dot is part of the host";
    EXPECT_EQ(Host("B\u00DCCHER.de"), "xn--bcher-kva.de");
    EXPECT_EQ(Host("b%C3%BCcher.de"), "xn--bcher-kva.de");
    EXPECT_EQ(Host("m\u00FCnchen."), "xn--mnchen-3ya.");
    EXPECT_EQ(Host("u\u0308.de"), "xn--tda.de") << "composed: a letter and its mark are one letter";
    EXPECT_EQ(Host("\u03A3.gr"), "xn--4xa.gr") << "capital sigma is sigma";
    EXPECT_EQ(Host("XN--BCHER-KVA.de"), "xn--bcher-kva.de");
    for (const char* unusable : {"a..b", "a b", "a!b", "a%b", "a%zzb", ".", "xn--zz", "a/b", "\xFF.de"})
        EXPECT_EQ(Host(unusable), "") << unusable;
}

TEST(WebAddress, ANameTheEngineCannotLoadIsRefusedWrittenEitherWay) {
    // Right-to-left labels: a digit may end one, a left-to-right letter may not stand in one, and every
    // label of such a name begins with a letter.
    EXPECT_EQ(Host("\u05D0\u05D1.de"), "xn--4dbc.de");
    EXPECT_EQ(Host("\u05D0"
                   "1.de"),
              "xn--1-zhc.de");
    EXPECT_EQ(Host("\u0645\u062B\u0627\u0644\u0661.com"), "xn--mgbh0fb7l.com");
    for (const char* unusable : {"a\u05D0.de", "\u05D0a.de", "1\u05D0.de", "a-\u05D1.de", "\u05D0.1a",
                                 "\u0645"
                                 "1\u0661.com",
                                 "xn--a-0hc.de", "\u0338a.de", "xn--a-1eb.de"})
        EXPECT_EQ(Host(unusable), "") << unusable;
}

TEST(WebAddress, AnAsciiLabelMustDecodeToANameInTheFormTheEngineGivesNames) {
    // These decode to letters the engine maps to others: "\u1FB4\u1FB7", feminine ordinal, micro sign, long
    // s, capital sharp s, ohm sign.
    for (const char* mapped :
         {"xn--isgg", "xn--hba.de", "xn--sba.de", "xn--kha.de", "xn--kkg.de", "xn--22g.de"})
        EXPECT_EQ(Host(mapped), "") << mapped;
    // a with diaeresis, mu, dotless i, sharp s, final sigma: letters of their own.
    for (const char* own : {"xn--4ca.de", "xn--xxa.de", "xn--cfa.de", "xn--zca.de", "xn--3xa.gr"})
        EXPECT_EQ(Host(own), own);
}

TEST(WebAddress, ThePathIsPercentEncodedAsTheEngineWritesIt) {
    EXPECT_EQ(NormaliseBase("http://host/a^b{c}|d/").Url, "http://host/a%5Eb%7Bc%7D|d/");
    EXPECT_EQ(NormaliseBase("http://u^:p@host/").Url, "http://u%5E:p@host/");
}

TEST(WebAddress, HostsTheEngineTellsApartNeverComeOutTheSame) {
    // Each group: hosts that are distinct to the engine. A doubtful one may be refused, but none may take
    // another's place.
    const std::vector<std::vector<String>> groups = {
        {"fa\u00DF.de", "fass.de", "FA\u1E9E.de"}, // sharp s, "ss", capital sharp s
        {"\u03C2.gr", "\u03C3.gr"},                // final and plain sigma
        {"\u0130stanbul.tr", "istanbul.tr"},       // capital I with a dot
        {"a\u200Db.de", "ab.de"},                  // a joiner between letters
        {"\u2460.de", "1.de"},                     // a circled digit
        {"localhost.", "localhost"},
        {"127.0.0.1", "127.0.0.2", "[::ffff:127.0.0.1]", "[::1]"}};
    for (const auto& group : groups) {
        std::map<String, String> seen;
        for (const String& host : group) {
            const String form = Host(host);
            if (form.empty()) continue;
            EXPECT_TRUE(seen.emplace(form, host).second)
                << host << " and " << seen[form] << " both come out as " << form;
        }
    }
    EXPECT_EQ(Host("fa\u00DF.de"), "xn--fa-hia.de");
    EXPECT_EQ(Host("\u03C2.gr"), "xn--3xa.gr");
}

} // namespace
