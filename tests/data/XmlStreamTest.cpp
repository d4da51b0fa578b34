#include "XmlStream.h"

#include <QByteArray>

#include <gtest/gtest.h>

#include <string>

namespace {

// The tokens of `xml` as one line each ("<local", ">local", "'text", "!failure"),
// read in blocks of `block` bytes; start tags list their attributes "a=v".
std::string tokens(const QByteArray &xml, qint64 block, const std::string &attributes = "")
{
    qint64 at = 0;
    XmlStream stream([&](char *out, qint64 max) {
        const qint64 n = std::min({max, block, qint64(xml.size()) - at});
        std::copy_n(xml.constData() + at, n, out);
        at += n;
        return n;
    });
    std::string out;
    for (;;) {
        switch (stream.next()) {
        case XmlStream::StartElement:
            out += "<" + std::string(stream.name()) + std::to_string(stream.depth());
            for (const std::string &a : {std::string("r"), attributes})
                if (!a.empty() && stream.hasAttribute(a)) out += " " + a + "=" + std::string(stream.attribute(a));
            out += "\n";
            break;
        case XmlStream::EndElement: out += ">" + std::string(stream.name()) + "\n"; break;
        case XmlStream::Text: out += "'" + std::string(stream.text()) + "\n"; break;
        case XmlStream::EndDocument: return out;
        case XmlStream::Invalid: return out + "!" + std::to_string(int(stream.failure())) + "\n";
        }
    }
}

} // namespace

TEST(XmlStream, TokensWhateverTheBlockSize)
{
    const struct { const char *what; QByteArray xml; std::string expected; } rows[] = {
        {"prefixes are cut, attributes by local name, self-closing gives an end",
         "<?xml version=\"1.0\"?>\n<x:a xmlns:x=\"u\"><x:c x:r='B2' t=\"s\"/>t</x:a>",
         "<a1\n<c2 r=B2\n>c\n't\n>a\n"},
        {"entities, character references, CDATA, comments, line ends",
         "<a>&lt;&amp;&gt;&quot;&apos;&#65;&#x42;&#x20AC;<!-- no --><![CDATA[<raw>&amp;]]>x\r\ny\rz</a>",
         "<a1\n'<&>\"'AB\xE2\x82\xAC\n'<raw>&amp;\n'x\ny\nz\n>a\n"},
        {"an attribute holding > and an entity", "<a r=\"1&gt;0 &amp; 2\">v</a>", "<a1 r=1>0 & 2\n'v\n>a\n"},
        {"a byte-order mark and blanks around the root", "\xEF\xBB\xBF  <a/>\n ", "<a1\n>a\n"},
        {"a mismatched end tag", "<a><b></a>", "<a1\n<b2\n!1\n"},
        {"a document cut short", "<a><b>text", "<a1\n<b2\n'text\n!1\n"},
        {"text outside the root", "<a/>x", "<a1\n>a\n!1\n"},
        {"a second root", "<a/><b/>", "<a1\n>a\n!1\n"},
        {"a document type", "<!DOCTYPE a [<!ENTITY e \"x\">]><a>&e;</a>", "!1\n"},
        {"an unknown entity", "<a>&e;</a>", "<a1\n!1\n"},
        {"a reference to no character", "<a>&#0;</a>", "<a1\n!1\n"},
        {"an attribute without quotes", "<a r=1/>", "!1\n"},
        {"no root", "  ", "!1\n"},
    };
    for (const auto &r : rows)
        for (qint64 block : {qint64(1), qint64(3), qint64(1 << 20)})
            EXPECT_EQ(tokens(r.xml, block), r.expected) << r.what << " in blocks of " << block;
}

TEST(XmlStream, NestingIsBoundedAt256)
{
    const auto nested = [](int depth) { return QByteArray("<e>").repeated(depth) + QByteArray("</e>").repeated(depth); };
    const std::string deepest = tokens(nested(256), 1 << 20);
    EXPECT_NE(deepest.find("<e256\n"), std::string::npos);
    EXPECT_EQ(deepest.back(), '\n');
    EXPECT_EQ(deepest.find('!'), std::string::npos);
    const std::string tooDeep = tokens(nested(257), 1 << 20);
    EXPECT_EQ(tooDeep.substr(tooDeep.size() - 3), "!2\n");
    EXPECT_EQ(tokens(nested(100000), 1 << 16).substr(tokens(nested(100000), 1 << 16).size() - 3), "!2\n");
}

TEST(XmlStream, SourceFailureStopsTheRead)
{
    int calls = 0;
    XmlStream stream([&](char *out, qint64) -> qint64 {
        if (calls++ == 0) {
            std::copy_n("<a><b>", 6, out);
            return 6;
        }
        return -1;
    });
    XmlStream::Token token;
    while ((token = stream.next()) != XmlStream::Invalid && token != XmlStream::EndDocument) {
    }
    EXPECT_EQ(token, XmlStream::Invalid);
    EXPECT_EQ(stream.failure(), XmlStream::SourceFailed);
}
