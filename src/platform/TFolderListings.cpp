#include "TFolderListings.h"
#include <QFile>
#include <dirent.h>

namespace {
thread_local TFolderListings* t_current = nullptr;

// Of two entries matching one name, the first in name order wins: ignoring case, then by
// code unit, as the enumeration orders them.
bool ComesFirst(const QString& a, const QString& b)
{
    const int c = a.compare(b, Qt::CaseInsensitive);
    return c != 0 ? c < 0 : a < b;
}
} // namespace

TFolderListings::TUse::TUse(TFolderListings& listings) : m_previous(t_current)
{
    t_current = &listings;
}

TFolderListings::TUse::~TUse() { t_current = m_previous; }

TFolderListings* TFolderListings::Current() { return t_current; }

bool TFolderListings::ReadFolder(const QString& folder, QHash<QString, QString>* entries)
{
    DIR* d =
        ::opendir(QFile::encodeName(folder.isEmpty() ? QStringLiteral(".") : folder).constData());
    if (!d)
        return false;
    while (dirent* e = ::readdir(d)) {
        const QString entry = QFile::decodeName(e->d_name);
        QString& winner = (*entries)[entry.toCaseFolded()];
        if (winner.isEmpty() || ComesFirst(entry, winner))
            winner = entry;
    }
    ::closedir(d);
    return true;
}

bool TFolderListings::Find(const QString& folder, const QString& name, QString* found)
{
    auto it = m_folders.find(folder);
    if (it == m_folders.end()) {
        TListing listing;
        listing.readable = ReadFolder(folder, &listing.entries);
        it = m_folders.insert(folder, std::move(listing));
    }
    if (!it->readable)
        return false;
    const auto entry = it->entries.constFind(name.toCaseFolded());
    if (entry == it->entries.constEnd())
        return false;
    *found = *entry;
    return true;
}
