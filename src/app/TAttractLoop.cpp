#include "TAttractLoop.h"
#include "TFileListBox.h"
#include "TRandDirListBox.h"
#include "browse/TFolderTests.h"
#include "components/media/TKXImage.h"
#include "platform/TMessageBox.h"
#include "platform/TNotSet.h"
#include "platform/TPath.h"
#include <QAbstractEventDispatcher>
#include <QTimer>

namespace {
const QString kNotFoundMessage =
    QStringLiteral("Could not find corresponding advertisement file. ");
const QString kNotLoadedMessage =
    QStringLiteral("Could not load corresponding advertisement file. ");
} // namespace

TAttractLoop::TAttractLoop(TKXImage* advert, std::function<void()> makeAdvertPageCurrent,
                           QObject* parent)
    : QObject(parent)
    , m_advert(advert)
    , m_makeAdvertPageCurrent(std::move(makeAdvertPageCurrent))
    , m_fileListBox1(std::make_unique<TFileListBox>())
    , m_randomFiles(std::make_unique<TRandDirListBox>())
{
    m_timer = new QTimer(this);
    m_timer->setObjectName(QStringLiteral("Timer1"));
    m_timer->setInterval(10000);
    connect(m_timer, &QTimer::timeout, this, &TAttractLoop::NextAdvert);
    m_randomFiles->SetFileList(m_fileListBox1.get());
    m_timer->start(); // enabled from creation; mouse movement and long operations restart it
}

TAttractLoop::~TAttractLoop() = default;

void TAttractLoop::Start(const QString& advertsFolder)
{
    m_advertShowing = true;
    if (!TNotSet::Is(advertsFolder) && WebFolderExists(advertsFolder))
        m_advertsDir = advertsFolder;
    else
        m_advertsDir = TPath::ProgramDirectory() + QStringLiteral("Advertisers");
    if (!WebFolderExists(m_advertsDir))
        return;
    if (auto* dispatcher = QAbstractEventDispatcher::instance())
        connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, this, &TAttractLoop::AppIdle);
    if (m_makeAdvertPageCurrent)
        m_makeAdvertPageCurrent();
    m_timer->start();
    NextAdvert();
}

void TAttractLoop::AppIdle()
{
    if (!m_timer->isActive())
        m_timer->start();
}

void TAttractLoop::RestartCountdown() { m_timer->stop(); }

void TAttractLoop::ProgressTextShown()
{
    m_advertShowing = false;
    m_timer->stop();
}

void TAttractLoop::AdvertPageShown()
{
    m_advertShowing = true;
    m_timer->stop();
}

void TAttractLoop::NextAdvert()
{
    if (!m_advertsRunning || !m_advertShowing)
        return;
    QString name;
    try {
        name = m_randomFiles->PickRandomFile(m_advertsDir, false);
    } catch (...) {
        // A folder that cannot be read is a folder without pictures: the loop stops below.
        name = TNotSet::Value();
    }
    if (TNotSet::Is(name)) {
        m_advertsRunning = false;
        return;
    }
    if (!TPath::FileExists(name) || !m_advert->LoadFromFile(name))
        return;
    m_advert->SetFileName(name);
    try {
        m_advert->RunEffect();
    } catch (...) {
        // The new picture is loaded; without the animation it still shows at the next paint.
    }
}

QString TAttractLoop::AdvertPageFor(const QString& bitmapFileName)
{
    const QString stem = bitmapFileName.left(qMax(0, int(bitmapFileName.size()) - 4));
    if (TPath::FileExists(stem + ".html"))
        return stem + ".html";
    if (TPath::FileExists(stem + ".htm"))
        return stem + ".htm";
    return TNotSet::Value();
}

void TAttractLoop::AdvertClick()
{
    if (!m_advertsRunning)
        return;
    const QString name = m_advert->FileName();
    if (TNotSet::Is(name) || !TPath::FileExists(name)) {
        TMessageBox::Show(kNotFoundMessage, QStringLiteral("Load Error"));
        return;
    }
    const QString page = AdvertPageFor(name);
    if (TNotSet::Is(page)) {
        TMessageBox::Show(kNotFoundMessage, QStringLiteral("Load Error"));
        return;
    }
    if (OpenDocument)
        OpenDocument(page, kNotLoadedMessage);
}
