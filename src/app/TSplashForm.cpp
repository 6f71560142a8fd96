#include "TSplashForm.h"
#include "components/paint/TAssets.h"
#include <QTextBlockFormat>
#include <QTextCursor>

namespace {

QFont PixelFont(const QString& face, int pixels, bool bold = false)
{
    QFont f(face);
    f.setPixelSize(pixels);
    f.setBold(bold);
    return f;
}

const QString kWarning = QStringLiteral(
    "OOPS! Theres a problem. You appear to be running a display with 256 colours or less. "
    "Because Zelmora is designed to display a lot of graphic information, we dont recommend it "
    "on low colour displays. This demo will run but some screen elements have been drastically "
    "colour muted, we've also disabled the random advert display to reduce flickering. If "
    "possible, quit Zelmora and restart your computer in a higher video mode. You could also "
    "try running the layout editor to change some of the screen element colours.");

const QString kCredits = QStringLiteral(
    "Zelmora shows a web of documents from this disk: choose a folder on the left, then a "
    "document, and follow its links.");

} // namespace

TSplashForm::TSplashForm() : QWidget(nullptr, Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    TAssets::Ensure();
    setObjectName(QStringLiteral("SplashForm"));
    setWindowTitle(QStringLiteral("Zelmora"));
    resize(DesignWidth, DesignHeight);
    setAutoFillBackground(true);
    QPalette black = palette();
    black.setColor(QPalette::Window, Qt::black);
    black.setColor(QPalette::Base, Qt::black);
    black.setColor(QPalette::Text, Qt::white);
    black.setColor(QPalette::WindowText, Qt::white);
    setPalette(black);
    setFont(PixelFont(QStringLiteral("Times New Roman"), 13));

    SplashPanel = new QWidget(this);
    SplashPanel->setObjectName(QStringLiteral("SplashPanel"));
    SplashPanel->setGeometry(0, 0, DesignWidth, DesignHeight);
    SplashPanel->setAutoFillBackground(true);
    SplashPanel->setPalette(black);

    Image1 = new QLabel(SplashPanel);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(83, 11, 280, 75);
    Image1->setAlignment(Qt::AlignCenter);
    Image1->setPixmap(QPixmap(QStringLiteral(":/assets/splash.png")));

    SplashMessage = new QTextEdit(SplashPanel);
    SplashMessage->setObjectName(QStringLiteral("SplashMessage"));
    SplashMessage->setGeometry(18, 92, 387, 179);
    SplashMessage->setFrameShape(QFrame::NoFrame);
    SplashMessage->setReadOnly(true);
    SplashMessage->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    SplashMessage->viewport()->setCursor(Qt::ArrowCursor);
    SplashMessage->setFont(PixelFont(QStringLiteral("Times New Roman"), 19));
    SplashMessage->setPalette(black);
    SetMessage(QStringLiteral("Thanks for your interest in this product"));

    SplashCaption = new QLabel(SplashPanel);
    SplashCaption->setObjectName(QStringLiteral("SplashCaption"));
    SplashCaption->setGeometry(141, 282, 129, 24);
    SplashCaption->setAlignment(Qt::AlignCenter);
    SplashCaption->setAttribute(Qt::WA_TranslucentBackground);
    SplashCaption->setFont(PixelFont(QStringLiteral("Times New Roman"), 21, true));
    SplashCaption->setPalette(black);

    Button1 = new QPushButton(QStringLiteral("Continue"), SplashPanel);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(119, 318, 167, 33);
    Button1->setFont(PixelFont(QStringLiteral("Arial"), 13));
    QPalette buttonPalette = Button1->palette();
    buttonPalette.setColor(QPalette::ButtonText, Qt::black);
    buttonPalette.setColor(QPalette::Button, QColor(240, 240, 240));
    Button1->setPalette(buttonPalette);
    connect(Button1, &QPushButton::clicked, this, &TSplashForm::Button1Click);
}

void TSplashForm::SetMessage(const QString& text)
{
    m_text = text;
    QString shown = text;
    shown.replace(CrLf, QStringLiteral("\n"));
    SplashMessage->setPlainText(shown);
    QTextCursor cursor(SplashMessage->document());
    cursor.select(QTextCursor::Document);
    QTextBlockFormat centred;
    centred.setAlignment(Qt::AlignHCenter);
    cursor.mergeBlockFormat(centred);
}

void TSplashForm::FillStartText(int colours, bool colourWarning)
{
    SplashCaption->clear();
    SplashMessage->clear();
    if (colours <= 256 && colourWarning) {
        SetMessage(kWarning + CrLf);
        SplashCaption->setText(QStringLiteral("Warning!"));
    } else {
        SetMessage(kCredits);
    }
}

void TSplashForm::FillAboutText()
{
    SplashCaption->clear();
    const QStringList lines = {
        QString(),
        QStringLiteral(" "),
        QStringLiteral(
            " Zelmora 1.0, an offline browser for kiosks and e-books, by the Zelmora team."),
        QStringLiteral(" "),
        QStringLiteral(" The documents you read belong to their authors. ") +
            QStringLiteral("Thanks for your interest. If you have the time tell us what you think "
                           "of Zelmora."),
        QStringLiteral(" "),
        QString(),
    };
    SetMessage(lines.join(CrLf));
}

void TSplashForm::CentrePanel()
{
    const int left = qMax(0, (width() - SplashPanel->width()) / 2);
    const int top = qMax(0, (height() - SplashPanel->height()) / 2);
    SplashPanel->move(left, top);
}

void TSplashForm::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    CentrePanel();
}

void TSplashForm::Button1Click() { close(); }
