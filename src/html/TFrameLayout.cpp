#include "html/TFrameLayout.h"
#include <QStringList>
#include <algorithm>
#include <cmath>

namespace {

enum TKind { Pixels, Percent, Share };

struct TEntry
{
    TKind kind = Share;
    double value = 1;
};

constexpr int kMaxEntries = 64;

QVector<TEntry> Parse(const QString& list)
{
    QVector<TEntry> entries;
    const QStringList parts = list.split(u',', Qt::KeepEmptyParts);
    for (QString p : parts) {
        p = p.trimmed();
        TEntry e;
        if (p.endsWith(u'*')) {
            bool ok = false;
            const double w = p.chopped(1).trimmed().toDouble(&ok);
            e.kind = Share;
            e.value = ok && w > 0 ? w : 1;
        } else if (p.endsWith(u'%')) {
            bool ok = false;
            const double v = p.chopped(1).trimmed().toDouble(&ok);
            e.kind = ok && v >= 0 ? Percent : Share;
            e.value = ok && v >= 0 ? v : 1;
        } else {
            bool ok = false;
            const double v = p.toDouble(&ok);
            e.kind = ok && v >= 0 ? Pixels : Share;
            e.value = ok && v >= 0 ? v : 1;
        }
        entries << e;
        if (entries.size() >= kMaxEntries)
            break;
    }
    if (entries.isEmpty())
        entries << TEntry();
    return entries;
}

// Whole pixels whose sum is exactly total, each as near its share as rounding allows.
QVector<int> Round(const QVector<double>& wanted, int total)
{
    QVector<int> sizes;
    double running = 0;
    int given = 0;
    for (int i = 0; i < wanted.size(); ++i) {
        running += wanted[i];
        const int upTo = i == wanted.size() - 1 ? total : int(std::lround(running));
        sizes << std::max(0, upTo - given);
        given += sizes.back();
    }
    return sizes;
}

} // namespace

int TFrameLayout::Count(const QString& list)
{
    return list.trimmed().isEmpty() ? 1 : int(Parse(list).size());
}

QVector<int> TFrameLayout::Sizes(const QString& list, int total)
{
    total = std::max(total, 0);
    const QVector<TEntry> entries =
        list.trimmed().isEmpty() ? QVector<TEntry>{TEntry()} : Parse(list);
    QVector<double> wanted(entries.size(), 0.0);
    double fixed = 0, shares = 0;
    for (int i = 0; i < entries.size(); ++i) {
        if (entries[i].kind == Pixels)
            wanted[i] = entries[i].value;
        else if (entries[i].kind == Percent)
            wanted[i] = entries[i].value * total / 100.0;
        else
            shares += entries[i].value;
        fixed += wanted[i];
    }
    if (fixed > total && fixed > 0) {
        const double scale = total / fixed;
        for (double& w : wanted)
            w *= scale;
        fixed = total;
    }
    const double rest = total - fixed;
    if (shares > 0) {
        for (int i = 0; i < entries.size(); ++i)
            if (entries[i].kind == Share)
                wanted[i] = rest * entries[i].value / shares;
    } else if (rest > 0) {
        if (fixed > 0) {
            for (double& w : wanted)
                w += rest * w / fixed;
        } else {
            for (double& w : wanted)
                w = double(total) / entries.size();
        }
    }
    return Round(wanted, total);
}
