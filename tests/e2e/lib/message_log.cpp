// Preloaded into the program by the end-to-end tests (LD_PRELOAD), so that a test can read
// the text of a message window, which the X server does not expose: every text given to a
// message box is appended, with the box's title, to the file named by E2E_MESSAGE_LOG, one
// message per line as "title<TAB>text" (line breaks in the text written as "\n"). The
// call then goes on to Qt unchanged. The program itself is not touched.
#include <QFile>
#include <QMessageBox>
#include <dlfcn.h>

void QMessageBox::setText(const QString& text)
{
    using Real = void (*)(QMessageBox*, const QString&);
    static const Real real =
        reinterpret_cast<Real>(dlsym(RTLD_NEXT, "_ZN11QMessageBox7setTextERK7QString"));
    const QByteArray path = qgetenv("E2E_MESSAGE_LOG");
    if (!path.isEmpty()) {
        QFile log(QString::fromLocal8Bit(path));
        if (log.open(QIODevice::Append | QIODevice::WriteOnly)) {
            QString flat = text;
            flat.replace(QLatin1String("\r\n"), QLatin1String("\\n"))
                .replace(u'\n', QLatin1String("\\n"));
            log.write((windowTitle() + u'\t' + flat + u'\n').toUtf8());
        }
    }
    if (real)
        real(this, text);
}
