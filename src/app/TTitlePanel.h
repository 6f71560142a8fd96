#pragma once
#include <QLabel>
#include <QStackedWidget>
#include <QWidget>

class TFlatButton;
class TKXImage;
class TKXAniProgress;

// The title panel along the bottom of the host window: the toolbar on the left, the title
// picture or the edit buttons in the middle, and the page control with the advert, the
// progress text and the progress animation on the right. Only the controls; the host
// decides what they do.
class TTitlePanel : public QWidget
{
    Q_OBJECT
public:
    static constexpr int DesignHeight = 65;

    explicit TTitlePanel(QWidget* parent);

    QWidget* TB_Menu_Panel = nullptr;
    TFlatButton* HomeButton = nullptr;
    TFlatButton* Read = nullptr;
    TFlatButton* ExitButton = nullptr;
    TFlatButton* about_button = nullptr;
    TFlatButton* findButton = nullptr;

    QWidget* TB_Button_BK = nullptr;
    QLabel* ProgramTitleImage = nullptr;
    QWidget* TB_Edit_Panel = nullptr;
    TFlatButton* SettingsEditor = nullptr;
    TFlatButton* openwebbutton = nullptr;
    TFlatButton* ToolBarButton_Read = nullptr;
    TFlatButton* EditorButton_Save = nullptr;

    QStackedWidget* TB_PageControl = nullptr;
    QWidget* TB_TabSheet_Advert = nullptr;
    QWidget* TB_TabSheet_TextDisplay = nullptr;
    QWidget* TB_TabSheet_ProgressDisplay = nullptr;
    TKXImage* Advert = nullptr; // the advert picture; clicks open its page
    QLabel* Image2 = nullptr;
    QLabel* Progress_TextLabel = nullptr;
    TKXAniProgress* ProgressControl = nullptr;

    // The built-in title picture, for restoring when no logo is configured.
    static QPixmap BuiltInTitlePicture();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void LayOut();
};
