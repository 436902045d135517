// The XML reader under every piece boundary: what a reader hears does not
// depend on where the stream's reads end.
#include "data/import/RowSink.h"
#include "data/import/XmlReader.h"

#include <QTest>

namespace {

// Hands the part on in reads of at most `step` bytes.
class Trickle : public QIODevice {
public:
    Trickle(QByteArray bytes, qint64 step)
        : m_bytes(std::move(bytes))
        , m_step(step)
    {
        open(QIODevice::ReadOnly);
    }

protected:
    qint64 readData(char* data, qint64 most) override
    {
        const qint64 n = std::min({most, m_step, qint64(m_bytes.size()) - m_at});
        std::memcpy(data, m_bytes.constData() + m_at, size_t(n));
        m_at += n;
        return n;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    QByteArray m_bytes;
    qint64 m_step;
    qint64 m_at = 0;
};

// What a reader heard, one line an event; text that came in pieces is joined.
class Heard : public XmlReader {
public:
    Heard()
        : XmlReader(NeverCancelled)
    {
    }
    QStringList events;

protected:
    void startElement(std::string_view name, pugi::xml_node element) override
    {
        QString line = QLatin1Char('<') + QString::fromUtf8(name);
        for (const pugi::xml_attribute attribute : element.attributes())
            line += QStringLiteral(" %1=%2").arg(QString::fromUtf8(attribute.name()), QString::fromUtf8(attribute.value()).left(40));
        events.append(line + QLatin1Char('>'));
    }
    void endElement(std::string_view name) override { events.append(QStringLiteral("</%1>").arg(QString::fromUtf8(name))); }
    void text(std::string_view text) override
    {
        if (events.isEmpty() || !events.last().startsWith(u'"'))
            events.append(QStringLiteral("\""));
        events.last() += QString::fromUtf8(text);
    }
};

struct Reading {
    XmlReader::Result result;
    QStringList events;
};

Reading readIn(const QByteArray& xml, qint64 step)
{
    Trickle part(xml, step);
    Heard reader;
    const XmlReader::Result result = reader.read(part);
    return {result, reader.events};
}

}

Q_DECLARE_METATYPE(XmlReader::Result)

class TestXmlReader : public QObject {
    Q_OBJECT
private slots:
    void everyPieceBoundaryReadsAlike_data()
    {
        QTest::addColumn<QByteArray>("xml");
        QTest::addColumn<XmlReader::Result>("result");
        QTest::addColumn<QStringList>("expected"); // empty: only the same at every boundary
        const QByteArray row = "<r a=\"1\"><c>Jan &amp; Piet</c><c><![CDATA[<b>&amp;</b>]]></c></r>";
        QTest::newRow("references and character data")
            << QByteArray("<t>" + row + "</t>") << XmlReader::Result::Done
            << QStringList{QStringLiteral("<t>"), QStringLiteral("<r a=1>"), QStringLiteral("<c>"), QStringLiteral("\"Jan & Piet"),
                           QStringLiteral("</c>"), QStringLiteral("<c>"), QStringLiteral("\"<b>&amp;</b>"), QStringLiteral("</c>"),
                           QStringLiteral("</r>"), QStringLiteral("</t>")};
        QTest::newRow("character references, a line end of two characters")
            << QByteArray("<t>A&#x42;&#67;\r\nD</t>") << XmlReader::Result::Done
            << QStringList{QStringLiteral("<t>"), QStringLiteral("\"ABC\nD"), QStringLiteral("</t>")};
        QTest::newRow("a short comment at the end")
            << QByteArray("<t><c>x</c></t><!--x-->") << XmlReader::Result::Done
            << QStringList{QStringLiteral("<t>"), QStringLiteral("<c>"), QStringLiteral("\"x"), QStringLiteral("</c>"), QStringLiteral("</t>")};
        QTest::newRow("comments short and long, between rows")
            << QByteArray("<t><!----><c>1</c><!--" + QByteArray(100'000, '-').replace("--", "- ") + "--><c>2</c></t>")
            << XmlReader::Result::Done
            << QStringList{QStringLiteral("<t>"), QStringLiteral("<c>"), QStringLiteral("\"1"), QStringLiteral("</c>"), QStringLiteral("<c>"),
                           QStringLiteral("\"2"), QStringLiteral("</c>"), QStringLiteral("</t>")};
        QTest::newRow("\"<!-->\" does not end the comment it begins")
            << QByteArray("<t><!--><c>1</c>--><c>2</c></t>") << XmlReader::Result::Done
            << QStringList{QStringLiteral("<t>"), QStringLiteral("<c>"), QStringLiteral("\"2"), QStringLiteral("</c>"), QStringLiteral("</t>")};
        QTest::newRow("many rows: pieces and elements opened on their own")
            << QByteArray("<t>" + row.repeated(3000) + "</t>") << XmlReader::Result::Done << QStringList();
        QTest::newRow("one long text") << QByteArray("<t>" + QByteArray("&amp;\xC3\xA9").repeated(40'000) + "</t>")
                                       << XmlReader::Result::Done << QStringList();
        QTest::newRow("a value longer than any cell keeps a cell's worth")
            << QByteArray("<t><c v=\"" + QByteArray(300'000, 'v') + "\"/></t>") << XmlReader::Result::Done
            << QStringList{QStringLiteral("<t>"), QStringLiteral("<c v=%1>").arg(QString(40, u'v')), QStringLiteral("</c>"),
                           QStringLiteral("</t>")};
        QTest::newRow("an end tag that does not match") << QByteArray("<t><c>1</d></t>") << XmlReader::Result::Damaged << QStringList();
        QTest::newRow("two roots") << QByteArray("<t/><t/>") << XmlReader::Result::Damaged << QStringList();
        QTest::newRow("a document type") << QByteArray("<!DOCTYPE t><t/>") << XmlReader::Result::Damaged << QStringList();
        QTest::newRow("cut off") << QByteArray("<t>" + row.repeated(3000)) << XmlReader::Result::Damaged << QStringList();
    }
    void everyPieceBoundaryReadsAlike()
    {
        QFETCH(QByteArray, xml);
        QFETCH(XmlReader::Result, result);
        QFETCH(QStringList, expected);
        const Reading whole = readIn(xml, xml.size() + 1);
        QCOMPARE(whole.result, result);
        if (!expected.isEmpty())
            QCOMPARE(whole.events, expected);
        for (const qint64 step : {1, 2, 3, 7, 4096, 65535}) {
            if (xml.size() > 20'000 && step < 7)
                continue; // the long ones cross every kind of boundary at 7 already
            const Reading trickled = readIn(xml, step);
            QCOMPARE(trickled.result, result);
            if (result == XmlReader::Result::Done)
                QCOMPARE(trickled.events, whole.events);
        }
    }
};

QTEST_GUILESS_MAIN(TestXmlReader)
#include "tst_xmlreader.moc"
