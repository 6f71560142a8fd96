#pragma once
// Pages for the HTML view's benchmarks, written once per process to a temporary folder.
#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <map>

namespace bench {

inline QString WritePage(const QString& name, const QByteArray& html)
{
    static QTemporaryDir dir;
    const QString path = dir.path() + u'/' + name;
    QFile f(path);
    if (f.open(QIODevice::WriteOnly))
        f.write(html);
    return path;
}

// A page as webs of the time were written: paragraphs with fonts and links, a named
// heading now and then and small tables; at least `bytes` long.
inline QString OrdinaryPage(qint64 bytes)
{
    static std::map<qint64, QString> made;
    auto found = made.find(bytes);
    if (found != made.end())
        return found->second;
    QByteArray html = "<html><head><title>Bench</title></head><body bgcolor=white>\n";
    for (int n = 0; html.size() < bytes; ++n) {
        if (n % 40 == 0)
            html += "<a name=\"Section " + QByteArray::number(n) + "#2\"></a><h2>Section " +
                    QByteArray::number(n) + "</h2>\n";
        html += "<p>Lorem ipsum <b>dolor</b> sit amet, <a href=\"page" +
                QByteArray::number(n % 97) +
                ".htm\">consectetur</a> adipiscing elit, <font color=red size=4>sed do</font> "
                "eiusmod tempor "
                "incididunt ut labore et dolore magna aliqua &amp; more.</p>\n";
        if (n % 25 == 0)
            html += "<table border=1 cellpadding=2><tr><td>cell</td><td "
                    "bgcolor=#ffffcc>cell</td></tr></table>\n";
    }
    html += "<p>The closing word is zanzibar.</p></body></html>\n";
    return made[bytes] = WritePage(QStringLiteral("doc%1.htm").arg(bytes), html);
}

// A listing exported as one small table per entry (some 97 bytes each), with a named
// heading every thousand entries: 40 000 of them make a page of about 3.9 MB.
inline QString SmallTablesPage(int tables)
{
    static std::map<int, QString> made;
    auto found = made.find(tables);
    if (found != made.end())
        return found->second;
    QByteArray html = "<html><head><title>Listing</title></head><body>\n";
    for (int n = 0; n < tables; ++n) {
        const QByteArray number = QByteArray::number(n);
        if (n % 1000 == 0)
            html += "<a name=\"Part " + number + "\"></a><h3>Part " + number + "</h3>\n";
        html += "<table border=1 cellpadding=2><tr><td>Entry " + number + "</td><td align=right>" +
                QByteArray::number(n * 7 % 1000) + " pcs</td></tr></table>\n";
    }
    html += "<p>The closing word is zanzibar.</p></body></html>\n";
    return made[tables] = WritePage(QStringLiteral("tables%1.htm").arg(tables), html);
}

} // namespace bench
