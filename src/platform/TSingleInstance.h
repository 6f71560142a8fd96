#pragma once
#include <QObject>
#include <QString>
#include <functional>

class QLocalServer;

// One running program per kit: the first start listens on a local socket named after the
// kit's folder; a later start of the same kit finds it, asks it to come to the front and
// ends, so two programs never write the same ini and state files. The socket lives in the
// user's runtime folder; one a killed program left behind is removed, never obeyed.
class TSingleInstance : public QObject
{
    Q_OBJECT
public:
    explicit TSingleInstance(const QString& kitFolder, QObject* parent = nullptr);
    ~TSingleInstance() override;

    // True when no other program of this kit runs: this one now listens. False when one
    // does; it has been asked to come to the front. A socket that cannot be made does not
    // stop the start: the program then runs as if alone.
    bool Claim();

    // Called when a later start asks this one to come to the front.
    std::function<void()> OnActivate;

    // The socket's full path for a kit folder.
    static QString ServerName(const QString& kitFolder);

private:
    QString m_name;
    QLocalServer* m_server = nullptr;
};
