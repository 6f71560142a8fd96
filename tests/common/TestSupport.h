#pragma once
#include "platform/TLauncher.h"
#include "platform/TMessageBox.h"
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <ostream>
#include <vector>

// Readable QString values in failure messages.
void PrintTo(const QString& s, std::ostream* os);

// Captures every message box shown while it lives, answering with a fixed button.
class TMessageCapture
{
public:
    explicit TMessageCapture(TMsgResult answer = TMsgResult::Ok);
    ~TMessageCapture();
    const std::vector<TMessage>& Messages() const { return m_messages; }
    QStringList Texts() const;
    QStringList Captions() const;
    void Clear() { m_messages.clear(); }

private:
    std::vector<TMessage> m_messages;
};

// Captures every sound, program and media-player request instead of carrying it out.
class TLaunchCapture
{
public:
    TLaunchCapture();
    ~TLaunchCapture();
    const std::vector<TLaunchRequest>& Requests() const { return m_requests; }

private:
    std::vector<TLaunchRequest> m_requests;
};

// Writes bytes to a file, creating its folders; fails the test when it cannot.
void WriteTestFile(const QString& path, const QByteArray& bytes);
QByteArray ReadTestFile(const QString& path);
// Copies a folder tree (the demo kit, for instance) into a new folder.
bool CopyTree(const QString& from, const QString& to);
