#include "components/outline/TMDIOutline.h"
#include "components/outline/THeadingView.h"
#include "platform/TMessageBox.h"
#include "platform/TPath.h"
#include <exception>

const char* const TMDIOutline::MissingFileText = "File not in its usual location";

TMDIOutline::TMDIOutline(QWidget* parent) : TROutliner(parent) {}

TMDIOutline::~TMDIOutline() = default;

bool TMDIOutline::SaveBookmark()
{
    THeadingView* view = Viewer();
    if (!view)
        return false;
    m_bookmarkFile = view->CurrentFile();
    m_bookmarkPosition = view->Position();
    m_bookmarkHorzPosition = view->HorzPosition();
    m_bookmarkItem = SelectedItem();
    return true;
}

bool TMDIOutline::RestoreBookmark()
{
    THeadingView* view = Viewer();
    if (!view)
        return false;
    if (!TPath::FileExists(m_bookmarkFile)) {
        TMessageBox::Show(QString::fromLatin1(MissingFileText), QStringLiteral("Error"));
        return false;
    }
    try {
        view->LoadFile(m_bookmarkFile);
        view->SetPosition(m_bookmarkPosition);
        view->SetHorzPosition(m_bookmarkHorzPosition);
    } catch (const std::exception&) {
        // A document the view cannot load is reported by the result; the caller chooses
        // the message.
        return false;
    }
    // The entry may be gone when the outline was rebuilt since; the document still shows.
    if (m_bookmarkItem > 0 && m_bookmarkItem <= ItemCount())
        SetSelectedItem(m_bookmarkItem);
    return true;
}
