#include "foundation/XmlScanner.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

namespace {

// Records every event of a scanner as one line of text.
class EventLog {
public:
    explicit EventLog(TCustomXmlScanner& s) {
        s.OnXmlProlog = [this](auto&, const std::string& version, const std::string& encoding, bool standalone) {
            Add("prolog " + version + "/" + encoding + (standalone ? "/standalone" : ""));
        };
        s.OnComment = [this](auto&, const std::string& text) { Add("comment " + text); };
        s.OnPI = [this](auto&, const std::string& target, const std::string& content, TAttrList& attrs) {
            Add("pi " + target + " [" + content + "]" + Attributes(attrs));
        };
        s.OnDtdRead = [this](auto&, const std::string& root) { Add("dtd " + root); };
        s.OnStartTag = [this](auto&, const std::string& name, TAttrList& attrs) {
            Add("start " + name + Attributes(attrs));
        };
        s.OnEmptyTag = [this](auto&, const std::string& name, TAttrList& attrs) {
            Add("empty " + name + Attributes(attrs));
        };
        s.OnEndTag = [this](auto&, const std::string& name) { Add("end " + name); };
        s.OnContent = [this](auto&, const std::string& text) { Add("text " + text); };
        s.OnCData = [this](auto&, const std::string& text) { Add("cdata " + text); };
        s.OnElement = [this](auto&, TElemDef& def) { Add("element " + def.Name + " " + def.Definition); };
        s.OnAttList = [this](auto&, TElemDef& def) { Add("attlist " + def.Name); };
        s.OnEntity = [this](auto&, TEntityDef& def) { Add("entity " + def.Name); };
        s.OnNotation = [this](auto&, TNotationDef& def) { Add("notation " + def.Name + " " + def.Value); };
        s.OnDtdError = [this](auto&, size_t) { Add("error"); };
    }

    std::string Joined() const {
        std::string all;
        for (const auto& line : lines) all += (all.empty() ? "" : " | ") + line;
        return all;
    }

    std::vector<std::string> lines;

private:
    void Add(std::string line) { lines.push_back(std::move(line)); }
    static std::string Attributes(TAttrList& attrs) {
        std::string text;
        for (int i = 0; i < attrs.Count(); ++i) text += " " + attrs.Node(i).Name + "=" + attrs.Node(i).Value;
        return text;
    }
};

std::string Scan(const std::string& xml, bool normalize = true) {
    TXmlScanner scanner;
    EventLog log(scanner);
    scanner.LoadFromBuffer(xml);
    scanner.SetNormalize(normalize);
    scanner.Run();
    return log.Joined();
}

struct Case {
    const char* what;
    std::string xml;
    std::string events;
    bool normalize = true;
};

const std::string kDtd = "<?xml version=\"1.0\"?><!DOCTYPE r [";

}  // namespace

TEST(XmlScanner, ReportsThePartsOfEachSnippet) {
    const Case cases[] = {
        {"no declaration: UTF-8 stays as it is", "<a>\xC3\xA4</a>", "start a | text \xC3\xA4 | end a"},
        {"declaration without encoding: UTF-8 is converted", "<?xml version=\"1.0\"?><a>\xC3\xA4</a>",
         "prolog 1.0/ | start a | text \xE4 | end a"},
        {"declared other encoding stays as it is",
         "<?xml version=\"1.0\" encoding=\"windows-1252\" standalone=\"yes\"?><a>\xE4</a>",
         "prolog 1.0/windows-1252/standalone | start a | text \xE4 | end a"},
        {"whitespace between tags is no text", "<a>\n  <b/>\n</a>", "start a | empty b | end a"},
        {"a line break between words becomes one blank", "<a>two\r\n   words </a>",
         "start a | text two words | end a"},
        {"without normalizing every stretch is reported", "<a> x\n<b/> </a>",
         "start a | text  x\n | empty b | text   | end a", false},
        {"predefined entities give no tag", "<a>&lt;b&gt;</a>", "start a | text <b> | end a"},
        {"character references", "<a>&#65;&#x41;</a>", "start a | text AA | end a"},
        {"a character reference maps through the code page", "<a>&#8364;&#228;&#x4E00;</a>",
         "start a | text \x80\xE4\xBF | end a"},
        {"an invalid character reference gives a blank", "<a t=\"1&#xZZ;2&#0;3\">a&#xZZ;b&#12x;c</a>",
         "start a t=1 2 3 | text a b c | end a"},
        {"an undeclared reference", "<a t=\"x&nbsp;y\">x&nbsp;y</a>", "start a t=x&nbsp;y | text xnbspy | end a"},
        {"a reference without semicolon", "<a t=\"A & B &amp; C\">Tom & Jerry &amp; x;</a>",
         "start a t=A & B & C | text Tom Jerry & x; | end a"},
        {"entity in an attribute value", "<a title=\"A&amp;B\" x = 'y'/>", "empty a title=A&B x=y"},
        {"attribute whitespace becomes blanks", "<a t=\"1\n2\t3\"></a>", "start a t=1 2 3 | end a"},
        {"empty-element tag has no end tag", "<r><a/></r>", "start r | empty a | end r"},
        {"end tag", "<a></a >", "start a | end a"},
        {"UTF-8 two and three bytes", "<?xml version=\"1.0\" encoding=\"utf-8\"?><a>\xC3\xA4\xE2\x82\xAC</a>",
         "prolog 1.0/utf-8 | start a | text \xE4\x80 | end a"},
        {"four-byte sequence becomes one inverted question mark",
         "<?xml version=\"1.0\"?><a>\xF0\x9F\x98\x80x</a>", "prolog 1.0/ | start a | text \xBFx | end a"},
        {"broken UTF-8 keeps the characters after it", "<?xml version=\"1.0\"?><a>\xC3x\xE2\x82</a>",
         "prolog 1.0/ | start a | text \xBFx\xBF | end a"},
        {"CDATA keeps tags and references", "<a><![CDATA[<b>&amp;</b>]]></a>",
         "start a | cdata <b>&amp;</b> | end a"},
        {"comment and processing instruction", "<!-- c --><?go x=\"1\"?><a/>",
         "comment <!-- c --> | pi go [x=\"1\"] x=1 | empty a"},
        {"unterminated comment runs to the end", "<a><!-- open", "start a | comment <!-- open"},
        {"unterminated tag and value run to the end", "<a t=\"x>", "start a t=x>"},
        {"internal entity with markup is read in place",
         kDtd + "<!ENTITY e \"<b>x</b>\">]><a>1&e;2</a>",
         "prolog 1.0/ | entity e | dtd r | start a | text 1 | start b | text x | end b | text 2 | end a"},
        {"entity text runs on into the enclosing text", kDtd + "<!ENTITY e \"x\">]><a>1 &e; 2</a>",
         "prolog 1.0/ | entity e | dtd r | start a | text 1 x 2 | end a"},
        {"character reference in an entity value is UTF-8 text",
         kDtd + "<!ENTITY e \"&#228;&#60;b/>\">]><a t=\"&e;\">&e;</a>",
         "prolog 1.0/ | entity e | dtd r | start a t=\xE4<b/> | text \xE4 | empty b | end a"},
        {"parameter entities", kDtd + "<!ENTITY % p \"<!ENTITY e 'E'>\">%p;<!ENTITY f \"%q;\">]><a>&e;&f;</a>",
         "prolog 1.0/ | entity p | entity e | entity f | dtd r | start a | text E%q; | end a"},
        {"declared attributes",
         kDtd + "<!ELEMENT a EMPTY><!ATTLIST a d CDATA 'def' f CDATA #FIXED 'fix' t NMTOKENS #IMPLIED>]>"
                "<a f=\"other\" t=\"  x   y \"/>",
         "prolog 1.0/ | element a EMPTY | attlist a | dtd r | empty a d=def f=fix t=x y"},
        {"attribute list before the element keeps its attributes",
         kDtd + "<!ATTLIST a d CDATA 'def'><!ELEMENT a (#PCDATA)>]><a/>",
         "prolog 1.0/ | attlist a | element a (#PCDATA) | dtd r | empty a d=def"},
        {"notation, comment and PI in the DTD",
         kDtd + "<!NOTATION gif SYSTEM \"image/gif\"><!-- n --><?p?>]><a/>",
         "prolog 1.0/ | notation gif image/gif | comment <!-- n --> | pi p [] | dtd r | empty a"},
        {"DTD errors are reported and the scan goes on", kDtd + "<!FOO>%undeclared;]x><a/>",
         "prolog 1.0/ | error | error | error | dtd r | empty a"},
    };
    for (const Case& c : cases) EXPECT_EQ(Scan(c.xml, c.normalize), c.events) << c.what;
}

TEST(XmlScanner, RecursiveEntitiesAreReportedAndGiveNothing) {
    // A cycle in content and in an attribute value.
    EXPECT_EQ(Scan(kDtd + "<!ENTITY a \"x&b;\"><!ENTITY b \"y&a;\">]><r t=\"&a;\">&a;</r>"),
              "prolog 1.0/ | entity a | entity b | dtd r | error | start r t=xy | error | text xy | end r");
    // A parameter entity that names itself.
    EXPECT_EQ(Scan(kDtd + "<!ENTITY % p \"%p;\">%p;]><r/>"), "prolog 1.0/ | entity p | error | dtd r | empty r");
}

TEST(XmlScanner, EntityExpansionStopsAtItsLimits) {
    // Ten levels of ten references each would give 10^10 characters.
    std::string xml = kDtd + "<!ENTITY e0 \"lol\">";
    for (int level = 1; level <= 10; ++level) {
        xml += "<!ENTITY e" + std::to_string(level) + " \"";
        for (int i = 0; i < 10; ++i) xml += "&e" + std::to_string(level - 1) + ";";
        xml += "\">";
    }
    xml += "]><r t=\"&e10;\">&e10;</r>";
    TXmlScanner scanner;
    size_t errors = 0;
    size_t textSize = 0;
    std::string attribute;
    scanner.OnDtdError = [&](auto&, size_t) { ++errors; };
    scanner.OnContent = [&](auto&, const std::string& text) { textSize += text.size(); };
    scanner.OnStartTag = [&](auto&, const std::string&, TAttrList& attrs) { attribute = attrs.ValueOf("t"); };
    scanner.LoadFromBuffer(xml);
    scanner.Run();
    EXPECT_GT(errors, 0u);
    EXPECT_LE(attribute.size(), TXmlParser::kMaxEntityExpansion);
    EXPECT_LE(textSize, TXmlParser::kMaxEntityExpansion);

    // Nesting deeper than the limit.
    std::string deep = kDtd + "<!ENTITY d0 \"x\">";
    for (int level = 1; level <= 40; ++level)
        deep += "<!ENTITY d" + std::to_string(level) + " \"&d" + std::to_string(level - 1) + ";\">";
    deep += "]><r>&d40;</r>";
    const std::string events = Scan(deep);
    EXPECT_NE(events.find("error"), std::string::npos);
    EXPECT_EQ(events.find("text x"), std::string::npos);
}

TEST(XmlScanner, LongDeclaredDefaultsOnManyTagsStopAtTheLimit) {
    // 64 KiB of default value on each of 200 tags would hand out 12.8 MB.
    const std::string value(64 * 1024, 'v');
    std::string xml = kDtd + "<!ATTLIST a d CDATA \"" + value + "\">]><r>";
    for (int i = 0; i < 200; ++i) xml += "<a/>";
    xml += "</r>";
    TXmlScanner scanner;
    size_t errors = 0;
    size_t delivered = 0;
    scanner.OnDtdError = [&](auto&, size_t) { ++errors; };
    scanner.OnEmptyTag = [&](auto&, const std::string&, TAttrList& attrs) { delivered += attrs.ValueOf("d").size(); };
    scanner.LoadFromBuffer(xml);
    scanner.Run();
    EXPECT_EQ(errors, 1u);
    EXPECT_GT(delivered, 0u);
    EXPECT_LE(delivered, TXmlParser::kMaxDeclaredAttributeWork);
}

TEST(XmlScanner, StopFlagEndsTheScanAfterThePartBeingReported) {
    TXmlScanner scanner;
    EventLog log(scanner);
    scanner.OnStartTag = [&](TCustomXmlScanner& sender, const std::string& name, TAttrList&) {
        log.lines.push_back("start " + name);
        if (name == "b") sender.SetStopParser(true);
    };
    scanner.LoadFromBuffer("<a><b>x</b><c/></a>");
    scanner.Run();
    EXPECT_EQ(log.Joined(), "start a | start b");
    // Running again clears the flag and rescans the same text.
    log.lines.clear();
    scanner.OnStartTag = nullptr;
    scanner.Run();
    EXPECT_EQ(log.Joined(), "text x | end b | empty c | end a");
}

TEST(XmlScanner, ExternalEntitiesAreOnlyReadThroughTheHandler) {
    const std::string xml = kDtd + "<!ENTITY ext SYSTEM \"/etc/passwd\">]><r>[&ext;]</r>";
    EXPECT_EQ(Scan(xml), "prolog 1.0/ | entity ext | dtd r | start r | text [] | end r");

    TXmlScanner scanner;
    EventLog log(scanner);
    std::string asked;
    scanner.OnLoadExternal = [&](auto&, const std::string& systemId, const std::string&, const std::string&) {
        asked = systemId;
        auto reader = std::make_unique<TXmlParser>();
        reader->LoadFromBuffer("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\xC3\xA4<i/>");
        return reader;
    };
    scanner.LoadFromBuffer("<!DOCTYPE r [<!ENTITY ext SYSTEM \"part.xml\">]><r>\xC3\xA4&ext;\xC3\xA4</r>");
    scanner.Run();
    EXPECT_EQ(asked, "part.xml");
    // The entity's own declaration applies to its text only.
    EXPECT_EQ(log.Joined(),
              "entity ext | dtd r | start r | text \xC3\xA4 | prolog / | text \xE4 | empty i | text \xC3\xA4 | end r");
}

TEST(XmlScanner, EncodingHandlerConvertsText) {
    TXmlScanner scanner;
    EventLog log(scanner);
    scanner.OnTranslateEncoding = [](auto&, const std::string& encoding, const std::string& source) {
        return encoding + ":" + source;
    };
    scanner.LoadFromBuffer("<?xml version=\"1.0\" encoding=\"latin1\"?><a t=\"v\">x</a>");
    scanner.Run();
    EXPECT_EQ(log.Joined(), "prolog 1.0/latin1 | start a t=LATIN1:v | text LATIN1:x | end a");
}

TEST(XmlScanner, FileLoadingAndMissingFiles) {
    const std::string path = (std::filesystem::temp_directory_path() / "zorbit_xmlscanner_test.xml").string();
    std::ofstream(path, std::ios::binary) << "<g title=\"Gr&#252;\xC3\x9F" "e\"><b>Hallo</b></g>";
    TXmlScanner scanner;
    EventLog log(scanner);
    scanner.SetNormalize(false);
    scanner.SetFilename(path);
    EXPECT_EQ(scanner.Filename(), path);
    EXPECT_TRUE(scanner.Normalize());  // loading sets it back
    scanner.Run();
    // Without a declaration nothing is converted; the reference is Windows-1252 already.
    EXPECT_EQ(log.Joined(), "start g title=Gr\xFC\xC3\x9F" "e | start b | text Hallo | end b | end g");
    std::remove(path.c_str());

    log.lines.clear();
    scanner.SetFilename(path);
    EXPECT_EQ(scanner.Filename(), "");
    scanner.Run();
    EXPECT_TRUE(log.lines.empty());
}

TEST(XmlScanner, AttributeLookup) {
    TAttrList list;
    list.Add(std::make_unique<TAttr>("b", "2"));
    list.Add(std::make_unique<TAttr>("a", "first"));
    list.Add(std::make_unique<TAttr>("a", "second"));
    EXPECT_EQ(list.Node(0).Name, "a");
    EXPECT_EQ(list.Node(2).Name, "b");
    EXPECT_EQ(list.ValueOf("a"), "first");  // of two of the same name, the one written first
    EXPECT_EQ(list.ValueOf("b"), "2");
    EXPECT_EQ(list.ValueOf("c"), "");
    EXPECT_EQ(list.Find("c"), nullptr);
}
