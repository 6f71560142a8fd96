#include "TContentsSearch.h"
#include "platform/TDirEnumerator.h"
#include "platform/TMemory.h"
#include "platform/TPath.h"
#include <algorithm>
#include <utility>

namespace {

// A listing this long leaves, once freed, memory worth giving back to the system.
constexpr size_t kLargeListing = 100000;

const QString kAllEntries = QStringLiteral("*.*");

bool IsDotEntry(const QString& name)
{
    return name == QLatin1String(".") || name == QLatin1String("..");
}

} // namespace

// Counts how deep the walking steps are nested, so that a walk started afresh (from
// Search or from a subclass calling a step directly) forgets the folders of the last one.
class TContentsSearch::TWalkLevel
{
public:
    explicit TWalkLevel(TContentsSearch& search) : m_search(search)
    {
        if (m_search.m_walkDepth++ == 0)
            m_search.m_visited.clear();
    }
    ~TWalkLevel() { --m_search.m_walkDepth; }
    TWalkLevel(const TWalkLevel&) = delete;
    TWalkLevel& operator=(const TWalkLevel&) = delete;

private:
    TContentsSearch& m_search;
};

TContentsSearch::TContentsSearch() = default;
TContentsSearch::~TContentsSearch() = default;

void TContentsSearch::SearchFinished() {}
void TContentsSearch::SearchStarting() {}
void TContentsSearch::SubFolderFound(std::unique_ptr<TFoundFile>) {}
void TContentsSearch::EnteringFolder(const QString&) {}

void TContentsSearch::FolderFound(std::unique_ptr<TFoundFile> record)
{
    m_foundList.push_back(std::move(record));
}

void TContentsSearch::FileFound(std::unique_ptr<TFoundFile> record)
{
    m_foundList.push_back(std::move(record));
}

void TContentsSearch::Idle() {}

void TContentsSearch::SetSearch(const QString& mask, const QString& folder, bool lowerCaseNames,
                                bool recursive)
{
    m_mask = mask;
    m_startFolder = folder;
    m_lowerCaseNames = lowerCaseNames;
    m_recursive = recursive;
}

bool TContentsSearch::SetFindFolders(bool value)
{
    const bool previous = m_findFolders;
    m_findFolders = value;
    return previous;
}

void TContentsSearch::ClearFound() { m_foundList.clear(); }

bool TContentsSearch::Search() { return RunSearch(false); }

bool TContentsSearch::SearchAny() { return RunSearch(true); }

bool TContentsSearch::RunSearch(bool stopAtFirst)
{
    SearchStarting();
    m_cancelled = false;
    m_busy = true;
    bool matched = false;
    try {
        matched = SearchFolder(m_startFolder, stopAtFirst);
    } catch (...) {
        m_busy = false;
        m_largestListing = 0;
        throw;
    }
    m_busy = false;
    if (std::exchange(m_largestListing, 0) >= kLargeListing)
        TMemory::ReturnFreed();
    SearchFinished();
    return matched;
}

// The folder a pattern enumerates is what precedes its mask; one that was already walked
// (or cannot be identified, being absent) is reported by the caller accordingly.
bool TContentsSearch::FirstVisit(const QString& pattern)
{
    QString folder = TPath::ExtractFilePath(pattern);
    if (folder.isEmpty())
        folder = QStringLiteral("./");
    TFolderId id{0, 0};
    if (!TDirEnumerator::Identity(folder, &id.device, &id.inode))
        return true; // nothing to list there; the enumeration will say so
    return m_visited.insert(id).second;
}

bool TContentsSearch::SearchFolder(const QString& folder, bool stopAtFirst)
{
    TWalkLevel level(*this);
    const QString pattern = folder + m_mask;
    if (!FirstVisit(pattern))
        return false;

    EnteringFolder(folder);

    const bool wantFolderDetails = m_findFolders && !m_folderDetails;
    TDirEntries entries = TDirEnumerator::List(
        pattern, wantFolderDetails ? TDirEnumerator::NamesAndKinds : TDirEnumerator::Full);

    m_largestListing = std::max(m_largestListing, entries.size());
    // Unless the listing is walked again for sub-folders, each entry is let go once handed
    // on: a huge folder's listing shrinks as the receiver's list grows.
    const bool walkAgain = m_recursive && m_mask == kAllEntries;
    bool matched = false;
    size_t next = 0;
    while (next < entries.size()) {
        TDirEntry& entry = entries[next];
        matched = true; // an entry of the kind not reported counts as well
        if (entry.isDirectory && m_findFolders)
            FolderFound(std::make_unique<TFoundFile>(entry, m_lowerCaseNames, folder));
        else if (!entry.isDirectory && !m_findFolders)
            // A file is not walked into: its record takes the name rather than a copy.
            FileFound(std::make_unique<TFoundFile>(std::move(entry), m_lowerCaseNames, folder));
        if (walkAgain)
            ++next;
        else
            entries.pop_front();
        if (stopAtFirst)
            return true;
        Idle();
        if (m_cancelled)
            return matched;
    }

    if (m_recursive) {
        // With the all-entries mask the listing just read is the sub-folder listing too.
        const bool found = m_mask == kAllEntries ? WalkSubFolders(folder, stopAtFirst, entries)
                                                 : SearchSubFolders(folder, stopAtFirst);
        if (found)
            matched = true;
    }
    return matched;
}

bool TContentsSearch::SearchSubFolders(const QString& folder, bool stopAtFirst)
{
    TWalkLevel level(*this);
    return WalkSubFolders(
        folder, stopAtFirst,
        TDirEnumerator::List(folder + kAllEntries, TDirEnumerator::NamesAndKinds));
}

bool TContentsSearch::WalkSubFolders(const QString& folder, bool stopAtFirst,
                                     const TDirEntries& entries)
{
    bool matched = false;
    bool first = true;
    for (const TDirEntry& entry : entries) {
        if (!first) {
            Idle();
            if (m_cancelled)
                break;
        }
        first = false;
        if (!entry.isDirectory || IsDotEntry(entry.name))
            continue;
        if (SearchFolder(folder + entry.name + u'/', stopAtFirst)) {
            if (stopAtFirst)
                return true;
            matched = true;
        }
    }
    return matched;
}

bool TContentsSearch::ListSubFolders(const QString& folder, bool stopAtFirst)
{
    TWalkLevel level(*this);
    QString base = folder;
    if (base.isEmpty() || !TPath::IsSeparator(base.back()))
        base += u'/';
    const TDirEntries entries =
        TDirEnumerator::List(base + kAllEntries, TDirEnumerator::NamesAndKinds);

    bool found = false;
    for (const TDirEntry& entry : entries) {
        if (entry.isDirectory && !IsDotEntry(entry.name)) {
            found = true;
            SubFolderFound(
                std::make_unique<TFoundFile>(entry, m_lowerCaseNames, base + entry.name + u'/'));
            if (stopAtFirst)
                return true;
        }
        Idle();
        if (m_cancelled)
            return found;
    }
    return found;
}
