#pragma once
#include <QObject>
#include <QString>
#include <functional>
#include <memory>

class QTimer;
class TKXImage;
class TFileListBox;
class TRandDirListBox;

// The rotating advert of the title panel: every 10 seconds without mouse movement over
// the host, a bitmap picked at random from the adverts folder replaces the advert
// picture; clicking the picture opens the page that belongs to it. The host creates the
// loop with the advert picture and a way to bring the advert page forward, starts it
// with the configured adverts folder and tells it when the title panel changes page.
class TAttractLoop : public QObject
{
    Q_OBJECT
public:
    TAttractLoop(TKXImage* advert, std::function<void()> makeAdvertPageCurrent,
                 QObject* parent = nullptr);
    ~TAttractLoop() override;

    // Chooses the folder (the configured one when it exists, else "Advertisers" beside
    // the program) and, when it exists, shows the first advert and rotates from then on;
    // otherwise the built-in picture stays for the whole run.
    void Start(const QString& advertsFolder);

    // A new random advert, while the loop runs; a folder without pictures stops it.
    void NextAdvert();
    // The application is idle: a stopped countdown starts afresh.
    void AppIdle();
    // Mouse movement over the host: the countdown stops until the next idle moment.
    void RestartCountdown();
    // Opens the advert's page, or says there is none.
    void AdvertClick();
    // The advert's page: its name with ".html" (first) or ".htm" for the last four
    // characters; not set when neither exists.
    static QString AdvertPageFor(const QString& bitmapFileName);

    // The title panel shows a progress text now / the advert again; either way the
    // countdown restarts at the next idle moment.
    void ProgressTextShown();
    void AdvertPageShown();

    // Whether adverts rotate now (decided by the screen mode, cleared when no picture can
    // be found) and whether the advert page is the one shown.
    bool AdvertsRunning() const { return m_advertsRunning; }
    void SetAdvertsRunning(bool running) { m_advertsRunning = running; }
    bool AdvertShowing() const { return m_advertShowing; }
    QString AdvertsDir() const { return m_advertsDir; }
    QTimer* Timer1() const { return m_timer; }
    TRandDirListBox* RandomFiles() const { return m_randomFiles.get(); }

    // Opens a document in the browsing window with a failure message.
    std::function<void(const QString& file, const QString& message)> OpenDocument;

private:
    TKXImage* m_advert;
    std::function<void()> m_makeAdvertPageCurrent;
    bool m_advertsRunning = true;
    bool m_advertShowing = false;
    QString m_advertsDir;
    QTimer* m_timer = nullptr;
    std::unique_ptr<TFileListBox> m_fileListBox1;
    std::unique_ptr<TRandDirListBox> m_randomFiles;
};
