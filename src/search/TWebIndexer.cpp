#include "search/TWebIndexer.h"
#include "html/THtmlPlainText.h"
#include "platform/TDirEnumerator.h"
#include "search/TSearchIndex.h"
#include <QDir>
#include <QFile>
#include <QHash>
#include <QSet>
#include <cstdio>
#include <vector>

TWebIndexer::TWebIndexer(TSearchIndex& index, const QString& web)
    : m_index(index), m_web(web.endsWith(u'/') ? web : web + u'/')
{}

bool TWebIndexer::IsDocumentName(const QString& name)
{
    return name.endsWith(QLatin1String(".htm"), Qt::CaseInsensitive) ||
           name.endsWith(QLatin1String(".html"), Qt::CaseInsensitive);
}

qint64 TWebIndexer::Scan(const std::atomic_bool* stop, bool apply)
{
    m_removed = m_total = m_done = m_lastId = 0;
    m_entered = 0;
    m_gaveUp = false;
    qint64 documents = 0;
    m_index.Begin();
    try {
        m_index.StartWalk();
        // Folders are walked depth first from an explicit stack; a folder reached twice
        // through links is entered once.
        std::vector<QString> stack{QString()};
        QSet<QPair<quint64, quint64>> entered;
        while (!stack.empty()) {
            if (stop && *stop)
                break;
            const QString folder = stack.back();
            stack.pop_back();
            quint64 device = 0, inode = 0;
            // A folder that cannot be read lists nothing, so its documents drop out.
            if (!TDirEnumerator::Identity(m_web + folder, &device, &inode))
                continue;
            if (entered.contains({device, inode}))
                continue;
            entered.insert({device, inode});
            ++m_entered;
            if (m_limit > 0 && !WithinLimit(folder, &documents)) {
                m_gaveUp = true;
                break;
            }
            m_index.Visited(folder);
            QHash<QString, TSearchIndex::TDocument> known;
            for (TSearchIndex::TDocument& d : m_index.Documents(folder))
                known.insert(d.name, d);
            const TDirEntries entries =
                TDirEnumerator::List(m_web + folder + QStringLiteral("*"), TDirEnumerator::Full);
            for (auto it = entries.rbegin(); it != entries.rend(); ++it) {
                const TDirEntry& e = *it;
                if (e.name == QLatin1String(".") || e.name == QLatin1String(".."))
                    continue;
                if (e.isDirectory) {
                    stack.push_back(folder + e.name + u'/');
                    continue;
                }
                if (!IsDocumentName(e.name))
                    continue;
                const TSearchIndex::TDocument now{e.name, e.size, e.writeTime};
                const auto was = known.constFind(e.name);
                const bool same =
                    was != known.cend() && was->size == now.size && was->modified == now.modified;
                if (was != known.cend())
                    known.erase(was);
                if (!same) {
                    m_index.AddPending(folder, now);
                    ++m_total;
                }
            }
            for (const TSearchIndex::TDocument& gone : std::as_const(known)) {
                if (apply)
                    m_index.Remove(folder, gone.name);
                ++m_removed;
            }
        }
        if (m_gaveUp) {
            // Nothing of a walk given up is kept: the index stays as it was.
            m_index.Rollback();
            m_removed = m_total = 0;
            return 0;
        }
        if (!(stop && *stop))
            m_removed += m_index.DropUnvisited(apply);
        m_index.Commit();
    } catch (...) {
        m_index.Rollback();
        throw;
    }
    return m_total;
}

// Names and kinds come from the folder's listing alone, without a look at each file, so a
// folder of a hundred thousand documents is counted, and turned down, cheaply.
bool TWebIndexer::WithinLimit(const QString& folder, qint64* documents) const
{
    if (m_entered > m_limit)
        return false;
    const TDirEntries names =
        TDirEnumerator::List(m_web + folder + QStringLiteral("*"), TDirEnumerator::NamesAndKinds);
    for (const TDirEntry& e : names)
        if (!e.isDirectory && IsDocumentName(e.name) && ++*documents > m_limit)
            return false;
    return true;
}

bool TWebIndexer::Step(int batch)
{
    const std::vector<TSearchIndex::TPending> rows = m_index.Pending(m_lastId, batch);
    if (rows.empty())
        return false;
    m_index.Begin();
    try {
        for (const TSearchIndex::TPending& row : rows) {
            THtmlPlainText::TResult plain;
            if (THtmlPlainText::FromFile(m_web + row.folder + row.document.name, &plain))
                m_index.Put(row.folder, row.document, plain.title, plain.text);
            else
                m_index.Remove(row.folder, row.document.name); // unreadable now: not offered
            m_lastId = row.id;
            ++m_done;
        }
        m_index.Commit();
    } catch (...) {
        m_index.Rollback();
        throw;
    }
    return true;
}

void TWebIndexer::Run(const std::function<void(qint64, qint64)>& progress,
                      const std::atomic_bool* stop)
{
    Scan(stop);
    if (progress)
        progress(m_done, m_total);
    while (!(stop && *stop) && Step()) {
        if (progress)
            progress(m_done, m_total);
    }
}

bool TWebIndexer::WriteReadyIndex(const QString& web, QString* error)
{
    const QString folder = web.endsWith(u'/') ? web : web + u'/';
    const QString target = folder + ReadyIndexName;
    const QString temporary = target + QStringLiteral(".tmp");
    QFile::remove(temporary);
    bool written = false;
    {
        TSearchIndex index;
        if (!index.Open(temporary)) {
            *error = QStringLiteral("Cannot write ") + target;
            return false;
        }
        try {
            TWebIndexer(index, folder).Run();
            index.Optimize();
            index.PrepareForShipping();
            written = true;
        } catch (const ESearchIndexError& e) {
            *error = QString::fromStdString(e.what());
        }
    }
    QFile::remove(temporary + QStringLiteral("-wal"));
    QFile::remove(temporary + QStringLiteral("-shm"));
    // The old index stays until the new one is whole; rename replaces it in one step.
    if (!written || std::rename(QFile::encodeName(temporary).constData(),
                                QFile::encodeName(target).constData()) != 0) {
        QFile::remove(temporary);
        if (error->isEmpty())
            *error = QStringLiteral("Cannot write ") + target;
        return false;
    }
    return true;
}
