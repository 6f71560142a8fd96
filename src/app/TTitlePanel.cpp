#include "TTitlePanel.h"
#include "components/media/TKXAniProgress.h"
#include "components/media/TKXImage.h"
#include "components/paint/TAssets.h"
#include "components/panels/TFlatButton.h"
#include "platform/TColorRef.h"
#include <QResizeEvent>

namespace {

QFont PixelFont(const QString& face, int pixels, bool bold = false, bool italic = false)
{
    QFont f(face);
    f.setPixelSize(pixels);
    f.setBold(bold);
    f.setItalic(italic);
    return f;
}

TFlatButton* MakeButton(QWidget* parent, const char* name, QRect geometry, const QString& caption,
                        const QString& hint, const QFont& font, qint32 colour = TColours::clBlack)
{
    auto* b = new TFlatButton(parent);
    b->setObjectName(QLatin1String(name));
    b->setGeometry(geometry);
    b->SetCaption(caption);
    b->setToolTip(hint);
    b->setFont(font);
    b->SetFontColour(colour);
    return b;
}

QLabel* MakePicture(QWidget* parent, const char* name, const QString& resource)
{
    auto* l = new QLabel(parent);
    l->setObjectName(QLatin1String(name));
    l->setAlignment(Qt::AlignCenter);
    l->setPixmap(QPixmap(resource));
    return l;
}

} // namespace

QPixmap TTitlePanel::BuiltInTitlePicture()
{
    TAssets::Ensure();
    return QPixmap(QStringLiteral(":/assets/title.png"));
}

TTitlePanel::TTitlePanel(QWidget* parent) : QWidget(parent)
{
    TAssets::Ensure();
    resize(674, DesignHeight);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);

    const QFont sans = PixelFont(QStringLiteral("MS Sans Serif"), 16);
    const QFont arial = PixelFont(QStringLiteral("Arial"), 16);

    TB_Menu_Panel = new QWidget(this);
    TB_Menu_Panel->setObjectName(QStringLiteral("TB_Menu_Panel"));
    HomeButton = MakeButton(TB_Menu_Panel, "HomeButton", {3, 6, 54, 27}, "site",
                            "View site structure", sans);
    Read = MakeButton(TB_Menu_Panel, "Read", {61, 6, 54, 27}, "page", "View document structure",
                      arial);
    ExitButton = MakeButton(TB_Menu_Panel, "ExitButton", {3, 35, 37, 26}, "exit",
                            "Quit the application", sans, TColours::clRed);
    about_button = MakeButton(TB_Menu_Panel, "about_button", {43, 35, 14, 26}, "i", QString(),
                              PixelFont(QStringLiteral("Times New Roman"), 21, true, true));
    findButton = MakeButton(TB_Menu_Panel, "findButton", {61, 35, 54, 26}, "find",
                            "Find on this page", arial);

    TB_Button_BK = new QWidget(this);
    TB_Button_BK->setObjectName(QStringLiteral("TB_Button_BK"));
    ProgramTitleImage = MakePicture(TB_Button_BK, "ProgramTitleImage", ":/assets/title.png");
    ProgramTitleImage->hide();
    TB_Edit_Panel = new QWidget(TB_Button_BK);
    TB_Edit_Panel->setObjectName(QStringLiteral("TB_Edit_Panel"));
    SettingsEditor = MakeButton(TB_Edit_Panel, "SettingsEditor", {27, 6, 56, 27}, "editor",
                                "Open Layout Editor", sans);
    openwebbutton = MakeButton(TB_Edit_Panel, "openwebbutton", {27, 34, 56, 27}, "web",
                               "Choose a new directory", sans);
    ToolBarButton_Read = MakeButton(TB_Edit_Panel, "ToolBarButton_Read", {115, 6, 63, 27}, "load",
                                    "Load a state file", sans);
    EditorButton_Save = MakeButton(TB_Edit_Panel, "EditorButton_Save", {115, 34, 63, 27}, "save as",
                                   "Save display to state file", sans);

    TB_PageControl = new QStackedWidget(this);
    TB_PageControl->setObjectName(QStringLiteral("TB_PageControl"));
    TB_TabSheet_Advert = new QWidget;
    TB_TabSheet_Advert->setObjectName(QStringLiteral("TB_TabSheet_Advert"));
    TB_TabSheet_TextDisplay = new QWidget;
    TB_TabSheet_TextDisplay->setObjectName(QStringLiteral("TB_TabSheet_TextDisplay"));
    TB_TabSheet_ProgressDisplay = new QWidget;
    TB_TabSheet_ProgressDisplay->setObjectName(QStringLiteral("TB_TabSheet_ProgressDisplay"));
    TB_PageControl->addWidget(TB_TabSheet_Advert);
    TB_PageControl->addWidget(TB_TabSheet_TextDisplay);
    TB_PageControl->addWidget(TB_TabSheet_ProgressDisplay);

    Advert = new TKXImage(TB_TabSheet_Advert);
    Advert->setObjectName(QStringLiteral("Advert"));
    Advert->SetCenter(true);
    Advert->SetEffect(efTopDown);
    Advert->SetEffectDelay(10);
    Advert->SetPicture(
        QImage(QStringLiteral(":/assets/advert.bmp")).convertToFormat(QImage::Format_RGB32));
    Advert->setToolTip(QStringLiteral("Click for more (if available)"));
    Image2 = MakePicture(TB_TabSheet_TextDisplay, "Image2", ":/assets/textpage.png");
    Progress_TextLabel = new QLabel(TB_TabSheet_TextDisplay);
    Progress_TextLabel->setObjectName(QStringLiteral("Progress_TextLabel"));
    Progress_TextLabel->setAlignment(Qt::AlignCenter);
    Progress_TextLabel->setAttribute(Qt::WA_TranslucentBackground);
    Progress_TextLabel->move(72, 30);
    ProgressControl = new TKXAniProgress(TB_TabSheet_ProgressDisplay);
    ProgressControl->setObjectName(QStringLiteral("ProgressControl"));
    ProgressControl->SetCenter(true);
    ProgressControl->SetTransparent(true);
    TB_PageControl->setCurrentWidget(TB_TabSheet_Advert);
    LayOut();
}

void TTitlePanel::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    LayOut();
}

void TTitlePanel::LayOut()
{
    const int h = height();
    const int menuWidth = 137, pageWidth = 306;
    TB_Menu_Panel->setGeometry(0, 0, menuWidth, h);
    TB_PageControl->setGeometry(width() - pageWidth, 0, pageWidth, h);
    const int middle = qMax(0, width() - menuWidth - pageWidth);
    TB_Button_BK->setGeometry(menuWidth, 0, middle, h);
    ProgramTitleImage->setGeometry(0, 0, middle, h);
    TB_Edit_Panel->setGeometry(0, 0, middle, h);
    Advert->setGeometry(0, 0, pageWidth, h);
    Image2->setGeometry(0, 0, pageWidth, h);
    ProgressControl->setGeometry(0, 0, pageWidth, h);
}
